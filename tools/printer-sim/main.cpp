// printer-sim: plays one printer of the Tessaro Series on one IPv4 address, for
// the installer's network ports and their tests.
#include <arpa/inet.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "control.h"
#include "event_log.h"
#include "library_session.h"
#include "simulator.h"

namespace {

volatile int g_stopRequested = 0;

void RequestStop(int) {
    g_stopRequested = 1;
}

void PrintHelp() {
    std::cout
        << "Usage: printer-sim --address A.B.C.D [options]\n"
           "\n"
           "Plays one printer on one IPv4 address: an SNMP v1 agent on UDP 161 (community\n"
           "\"public\") answering the identity objects .1.3.6.1.4.1.7391.2.2.2.1.24.1 and\n"
           ".1.3.6.1.4.1.48203.3.2.1.1 with MDL:...;VER:...;MODE:...;STATUS:...; an LPD on\n"
           "TCP 515, raw listeners on TCP 9100, 9101 and 9500, a line-based control port, the\n"
           "channel of the stand-in maker libraries, and a port for spooler jobs.\n"
           "A boot packet in an LPR job, or a boot frame on 9101, 9500 or 9100, puts the printer\n"
           "into the loader mode (MODE:IPL). Firmware starting with PUF1, received in the loader\n"
           "mode on 9100 or as an LPR job, is installed for the install time; then the printer\n"
           "reports the version from its header and leaves the loader mode.\n"
           "The stand-in libraries (tools/standin-controller, tools/standin-remote) connect to\n"
           "the library port named by the environment variable TARNEL_STANDIN_ENDPOINT\n"
           "(A.B.C.D:PORT); IDENTITY gives the same text as SNMP with STATUS as records.\n"
           "MODE 1 or UPDATE puts the printer into the loader mode like a boot command.\n"
           "A spooler job arrives on the spool port as its raw bytes (under Wine a printer\n"
           "whose port is \"|spool-forward A.B.C.D 9200\" delivers it) and is taken as\n"
           "firmware like on 9100.\n"
           "Binding port 161 and 515 needs root (or CAP_NET_BIND_SERVICE).\n"
           "\n"
           "Options:\n"
           "  --address A.B.C.D       the printer's address (required), e.g. 127.0.0.2\n"
           "  --log-dir DIR           log folder (default ./printer-sim-log): events.log and one\n"
           "                          NNNN-<what>.bin file per connection, job file or datagram\n"
           "  --control-port N        TCP control port on the same address (default 10000)\n"
           "  --library-port N        TCP port of the libraries' channel (default 9600)\n"
           "  --spool-port N          TCP port for spooler jobs (default 9200)\n"
           "  --model TEXT            MDL (default QZ-70)\n"
           "  --version TEXT          VER (default 2.70)\n"
           "  --mode normal|ipl       initial mode (default normal)\n"
           "  --sub-power on|off      off sets status bit 31: ready for firmware (default on)\n"
           "  --status-format -1|0    STATUS as 8 hex digits or as records (default -1)\n"
           "  --install-time MS       installation time in milliseconds (default 3000)\n"
           "  --reset-after BYTES     bytes before a reset-<port> fault strikes (default 4096)\n"
           "  --fault NAME            switch a fault on (repeatable)\n"
           "  --help                  this text\n"
           "\n"
        << printer_sim::ControlHelp() << "\n"
        << printer_sim::LibraryChannelHelp()
        << "\nExample: printer-sim --address 127.0.0.2 --sub-power off --log-dir /tmp/p2\n"
           "         exec 3<>/dev/tcp/127.0.0.2/10000; echo 'get state' >&3; head -n1 <&3\n";
}

int Fail(const std::string& message) {
    std::cerr << "printer-sim: " << message << "\n";
    return 2;
}

bool ParsePort(const std::string& text, std::uint16_t& port) {
    char* end = nullptr;
    const unsigned long number = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || number == 0 || number > 65535) {
        return false;
    }
    port = static_cast<std::uint16_t>(number);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    printer_sim::PrinterSettings settings;
    std::string address;
    std::string logDir = "printer-sim-log";
    std::string controlPort = "10000";
    std::string libraryPort = "9600";
    std::string spoolPort = "9200";
    std::string resetAfter = "4096";
    std::vector<std::string> controlLines;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            PrintHelp();
            return 0;
        }
        if (i + 1 >= argc) {
            return Fail("unknown option or missing value: " + option + " (see --help)");
        }
        const std::string value = argv[++i];
        if (option == "--address") {
            address = value;
        } else if (option == "--log-dir") {
            logDir = value;
        } else if (option == "--control-port") {
            controlPort = value;
        } else if (option == "--library-port") {
            libraryPort = value;
        } else if (option == "--spool-port") {
            spoolPort = value;
        } else if (option == "--reset-after") {
            resetAfter = value;
        } else if (option == "--fault") {
            controlLines.push_back("fault " + value + " on");
        } else if (option == "--model" || option == "--version" || option == "--mode" ||
                   option == "--sub-power" || option == "--status-format" ||
                   option == "--install-time") {
            // The initial state takes the control commands' way, with their checks.
            controlLines.push_back("set " + option.substr(2) + " " + value);
        } else {
            return Fail("unknown option " + option + " (see --help)");
        }
    }
    controlLines.push_back("set reset-after " + resetAfter);
    in_addr ip{};
    if (address.empty() || ::inet_pton(AF_INET, address.c_str(), &ip) != 1) {
        return Fail("--address A.B.C.D is required (see --help)");
    }
    printer_sim::SimulatorPorts ports;
    if (!ParsePort(controlPort, ports.control)) {
        return Fail("bad --control-port " + controlPort);
    }
    if (!ParsePort(libraryPort, ports.library)) {
        return Fail("bad --library-port " + libraryPort);
    }
    if (!ParsePort(spoolPort, ports.spool)) {
        return Fail("bad --spool-port " + spoolPort);
    }
    printer_sim::SimState state(settings);
    for (const auto& line : controlLines) {
        const std::string reply = printer_sim::ExecuteControl(line, state);
        if (reply != "ok") {
            return Fail(line + ": " + reply);
        }
    }
    printer_sim::EventLog log(logDir);
    if (!log.Ok()) {
        return Fail("cannot write the log folder " + logDir);
    }
    printer_sim::Simulator simulator(ip, ports, state, log);
    std::string error;
    if (!simulator.Open(error)) {
        log.Event("cannot start: " + error);
        return Fail(error);
    }
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    simulator.Run(g_stopRequested);
    return 0;
}
