// Drives each network port against simulated printers and prints one line per
// check ("ok ..." or "FAIL ..."); the exit code is the number of failed checks.
// The test script that starts the simulators compares what they received.
//
// Usage: wine_ports PAYLOAD LPR BOREN SALIX STALLED ABSENT
//   PAYLOAD  a firmware file to install; the others are IPv4 addresses of printers:
//   LPR, BOREN, SALIX  ready ones, each updated through its port type;
//   STALLED  one that reads nothing on 515 and 9100; ABSENT  one with nothing at all.
#include <winsock2.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/text_codec.h"
#include "ports/network_port.h"

namespace {

using Clock = std::chrono::steady_clock;

int g_failures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok" : "FAIL", what.c_str());
    g_failures += ok ? 0 : 1;
}

std::uint32_t Address(const char* dotted) {
    return ::inet_addr(dotted);
}

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Reads the identity once and prints it for the script.
std::string Identity(CPort& port, const std::string& label) {
    CString text;
    const bool ok = port.GetDeviceId(text) != FALSE;
    const std::string identity = platform::WideToAnsi(text);
    Check(ok, label + " identity: " + identity);
    return identity;
}

// Polls the identity until it contains `part`, for at most 10 s.
void WaitForIdentity(CPort& port, const std::string& part, const std::string& label) {
    const auto start = Clock::now();
    std::string identity;
    while (MillisecondsSince(start) < 10000) {
        CString text;
        if (port.GetDeviceId(text)) {
            identity = platform::WideToAnsi(text);
            if (identity.find(part) != std::string::npos) {
                break;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    Check(identity.find(part) != std::string::npos, label + " reports " + part + ": " + identity);
}

// BeginUpdate, the loader mode, SendData of the firmware, the installation's end.
void Update(CPort& port, const std::vector<char>& firmware, const std::string& label) {
    Identity(port, label);
    Check(port.BeginUpdate() != FALSE, label + " BeginUpdate");
    WaitForIdentity(port, "MODE:IPL;", label);
    Check(port.SendData(firmware.data(), static_cast<std::uint32_t>(firmware.size()), 0) != FALSE,
          label + " SendData of " + std::to_string(firmware.size()) + " bytes");
    WaitForIdentity(port, "MODE:NORMAL;", label);
    Identity(port, label + " after the update");
}

// `operation` fails, in no less than `atLeastMs` and less than `belowMs`.
template <typename Operation>
void FailsWithin(Operation operation, long long atLeastMs, long long belowMs,
                 const std::string& what) {
    const auto start = Clock::now();
    const bool ok = operation() != FALSE;
    const long long took = MillisecondsSince(start);
    Check(!ok && took >= atLeastMs && took < belowMs,
          what + " fails in [" + std::to_string(atLeastMs) + ", " + std::to_string(belowMs) +
              ") ms: " + (ok ? "succeeded" : "failed") + " after " + std::to_string(took) + " ms");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: wine_ports PAYLOAD LPR BOREN SALIX STALLED ABSENT\n");
        return 100;
    }
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        std::fprintf(stderr, "no Winsock\n");
        return 100;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<char> firmware{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    Check(!firmware.empty(), "firmware file read");

    CLprNetworkPort lpr(Address(argv[2]), 1);
    Update(lpr, firmware, "LPR");
    CBorenNetworkPort boren(Address(argv[3]));
    Update(boren, firmware, "Boren");
    CSalixNetworkPort salix(Address(argv[4]));
    Check(salix.BeginUpdate() != FALSE, "Salix BeginUpdate");

    // Short limits through the ports' settings, so that the stalls end quickly.
    NetworkSettings quick;
    quick.timeouts.stall = std::chrono::milliseconds(500);
    quick.timeouts.connect = std::chrono::seconds(2);
    CLprNetworkPort stalledLpr(Address(argv[5]), 0, quick);
    CBorenNetworkPort stalledRaw(Address(argv[5]), quick);
    const std::vector<char> large(64u << 20, 'F');
    FailsWithin([&] { return stalledLpr.BeginUpdate(); }, 450, 3000, "unanswered LPR job");
    FailsWithin(
        [&] {
            return stalledRaw.SendData(large.data(), static_cast<std::uint32_t>(large.size()), 0);
        },
        450, 5000, "64 MiB to a printer that reads nothing");

    CBorenNetworkPort absent(Address(argv[6]));
    CLprNetworkPort absentLpr(Address(argv[6]), 0);
    FailsWithin([&] { return absent.BeginUpdate(); }, 0, 2000, "boot frame with nothing listening");
    FailsWithin([&] { return absentLpr.SendData("x", 1, 0); }, 0, 2000,
                "LPR job with nothing listening");
    CString untouched = L"old";
    FailsWithin([&] { return absent.GetDeviceId(untouched); }, 150, 1000, "SNMP with no agent");
    Check(untouched == L"old", "a failed query leaves the result alone");

    ::WSACleanup();
    std::printf("%d failed\n", g_failures);
    return g_failures;
}
