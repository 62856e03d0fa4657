#include "simulator.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

#include "ber.h"
#include "boot_command.h"
#include "control.h"
#include "snmp_message.h"

namespace printer_sim {
namespace {

constexpr std::uint16_t kPrinterTcpPorts[] = {kLpdPort, kRawPort, kBootPort, kAlternateBootPort};
// Also the longest the loop sleeps, so an installation ends on time and a stop
// request is seen promptly.
constexpr int kPollIntervalMs = 50;
constexpr std::size_t kReceiveBytes = 65536;
// A library request is a few words; more without a line feed is no request.
constexpr std::size_t kMaxLibraryLineBytes = 4096;
constexpr std::string_view kIdentityOids[] = {".1.3.6.1.4.1.7391.2.2.2.1.24.1",
                                              ".1.3.6.1.4.1.48203.3.2.1.1"};

sockaddr_in SocketAddress(in_addr address, std::uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr = address;
    return sa;
}

std::string PortLabel(std::uint16_t port) {
    return std::to_string(port);
}

// Closes with a TCP reset instead of an orderly end.
void ResetConnection(int fd) {
    linger hard{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
}

void SendAll(int fd, std::string_view bytes) {
    // Replies are a few bytes; a peer that does not read them loses them.
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

std::string DottedAddress(in_addr address) {
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address, text, sizeof text);
    return text;
}

}  // namespace

Simulator::Simulator(in_addr address, SimulatorPorts ports, SimState& state, EventLog& log)
    : m_address(address),
      m_addressText(DottedAddress(address)),
      m_ports(ports),
      m_state(state),
      m_log(log) {}

bool Simulator::Listen(std::uint16_t port, std::string& error) {
    UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    const int yes = 1;
    const sockaddr_in sa = SocketAddress(m_address, port);
    if (!fd.Valid() || ::setsockopt(fd.Get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) != 0 ||
        ::bind(fd.Get(), reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0 ||
        ::listen(fd.Get(), 16) != 0) {
        error = "TCP port " + PortLabel(port) + ": " + std::strerror(errno);
        return false;
    }
    m_listeners[port] = std::move(fd);
    return true;
}

bool Simulator::Open(std::string& error) {
    m_snmp = UniqueFd(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    const sockaddr_in sa = SocketAddress(m_address, kSnmpPort);
    if (!m_snmp.Valid() ||
        ::bind(m_snmp.Get(), reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) {
        error = "UDP port 161: " + std::string(std::strerror(errno));
        return false;
    }
    for (const std::uint16_t port : {m_ports.control, m_ports.library, m_ports.spool}) {
        if (!Listen(port, error)) {
            return false;
        }
    }
    for (const std::uint16_t port : kPrinterTcpPorts) {
        if (!Listen(port, error)) {
            return false;
        }
    }
    UpdateListeners();
    return true;
}

void Simulator::UpdateListeners() {
    // A refused port has no listener at all, so a connect gets a reset at once.
    for (const std::uint16_t port : kPrinterTcpPorts) {
        const bool refuse = m_state.faults.On("refuse-" + PortLabel(port));
        const bool open = m_listeners[port].Valid();
        std::string error;
        if (refuse && open) {
            m_listeners[port].Reset();
        } else if (!refuse && !open && !Listen(port, error)) {
            m_log.Event("cannot listen again: " + error);
        }
    }
}

void Simulator::Run(const volatile int& stopRequested) {
    m_log.Event("ready");
    while (!m_state.quit && !stopRequested) {
        std::vector<pollfd> fds;
        fds.push_back({m_snmp.Get(), POLLIN, 0});
        std::vector<std::uint16_t> listenerPorts;
        for (const auto& [port, fd] : m_listeners) {
            if (fd.Valid()) {
                fds.push_back({fd.Get(), POLLIN, 0});
                listenerPorts.push_back(port);
            }
        }
        const std::size_t firstConnection = fds.size();
        for (const auto& connection : m_connections) {
            const bool stalled = m_state.faults.On("stall-" + PortLabel(connection->port));
            fds.push_back({connection->fd.Get(), static_cast<short>(stalled ? 0 : POLLIN), 0});
        }
        ::poll(fds.data(), fds.size(), kPollIntervalMs);

        if (m_state.printer.Advance(Clock::now(), m_state.faults.On("version-stuck"))) {
            ++m_state.installs;
            m_log.Event("installation finished: version " + m_state.printer.Settings().version +
                        ", mode " + m_state.printer.Mode());
        }
        if (fds[0].revents & POLLIN) {
            ServeSnmp();
        }
        for (std::size_t i = 0; i < listenerPorts.size(); ++i) {
            if (fds[1 + i].revents & POLLIN) {
                Accept(listenerPorts[i]);
            }
        }
        // Connections accepted in this round are not in fds; they wait for the next.
        std::vector<std::unique_ptr<Connection>> kept;
        for (std::size_t i = 0; i < m_connections.size(); ++i) {
            auto& connection = m_connections[i];
            const short revents =
                fds.size() > firstConnection + i ? fds[firstConnection + i].revents : 0;
            const bool ready = revents & (POLLIN | POLLHUP | POLLERR);
            if (!ready || ServeConnection(*connection)) {
                kept.push_back(std::move(connection));
            }
        }
        m_connections = std::move(kept);
    }
    m_log.Event("stopped");
}

void Simulator::ServeSnmp() {
    char buffer[kReceiveBytes];
    sockaddr_in peer{};
    socklen_t peerLength = sizeof peer;
    const ssize_t n = ::recvfrom(m_snmp.Get(), buffer, sizeof buffer, 0,
                                 reinterpret_cast<sockaddr*>(&peer), &peerLength);
    if (n < 0) {
        return;
    }
    const std::string_view datagram(buffer, static_cast<std::size_t>(n));
    const std::string file = m_log.Save("snmp", datagram);
    const auto request = DecodeGetRequest(datagram);
    if (!request || request->community != "public") {
        m_log.Event("SNMP datagram " + file + " ignored: not a v1 GetRequest for 'public'");
        return;
    }
    if (m_state.faults.On("snmp-silent")) {
        m_log.Event("SNMP request " + file + " not answered: fault snmp-silent");
        return;
    }
    std::string reply;
    if (m_state.faults.On("snmp-garbage")) {
        reply = "\x30\x82\xFF\xFF garbage";
    } else if (m_state.faults.On("snmp-error")) {
        reply = EncodeGetResponse(*request, kSnmpGenErr, 1, {});
    } else {
        std::vector<std::optional<std::string>> values;
        int errorIndex = 0;
        for (std::size_t i = 0; i < request->names.size(); ++i) {
            bool known = false;
            for (const auto oid : kIdentityOids) {
                known = known || request->names[i] == ber::ObjectIdContent(oid);
            }
            if (known) {
                values.emplace_back(m_state.printer.Identity(m_state.faults.On("wrong-model")));
            } else {
                values.emplace_back();
                errorIndex = errorIndex != 0 ? errorIndex : static_cast<int>(i + 1);
            }
        }
        if (errorIndex != 0) {
            values.clear();  // an error answer echoes the names with NULL values
        }
        reply = EncodeGetResponse(*request, errorIndex != 0 ? kSnmpNoSuchName : kSnmpNoError,
                                  errorIndex, values);
    }
    ::sendto(m_snmp.Get(), reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&peer),
             peerLength);
    m_log.Event("SNMP request " + file + " answered");
}

void Simulator::Accept(std::uint16_t port) {
    UniqueFd fd(::accept4(m_listeners[port].Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (!fd.Valid()) {
        return;
    }
    auto connection = std::make_unique<Connection>();
    connection->fd = std::move(fd);
    connection->port = port;
    if (port == m_ports.library) {
        ++m_state.libraryClients;
        m_log.Event("library connection opened");
    } else if (port != m_ports.control) {
        m_log.Event("connection on TCP " + PortLabel(port));
    }
    m_connections.push_back(std::move(connection));
}

bool Simulator::ServeConnection(Connection& connection) {
    if (connection.port == m_ports.control) {
        return ServeControl(connection);
    }
    if (connection.port == m_ports.library) {
        return ServeLibrary(connection);
    }
    char buffer[kReceiveBytes];
    const ssize_t n = ::recv(connection.fd.Get(), buffer, sizeof buffer, 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
        return true;
    }
    if (n <= 0) {
        connection.aborted = n < 0;
        Finish(connection);
        return false;
    }
    const std::string_view bytes(buffer, static_cast<std::size_t>(n));
    connection.received.append(bytes);
    if (m_state.faults.On("reset-" + PortLabel(connection.port)) &&
        connection.received.size() >= m_state.resetAfterBytes) {
        m_log.Event("fault reset-" + PortLabel(connection.port) + ": reset after " +
                    std::to_string(connection.received.size()) + " bytes");
        ResetConnection(connection.fd.Get());
        connection.aborted = true;
        Finish(connection);
        return false;
    }
    if (connection.port != kLpdPort) {
        return true;
    }
    const LpdSession::Output out = connection.lpd.Feed(bytes, m_state.faults);
    for (const auto& event : out.events) {
        m_log.Event("LPD: " + event);
    }
    SendAll(connection.fd.Get(), out.reply);
    if (out.close) {
        connection.aborted = true;
        Finish(connection);
        return false;
    }
    return true;
}

std::optional<std::vector<std::string>> Simulator::ReceiveLines(Connection& connection) {
    char buffer[4096];
    const ssize_t n = ::recv(connection.fd.Get(), buffer, sizeof buffer, 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
        return std::vector<std::string>{};
    }
    if (n <= 0) {
        return std::nullopt;
    }
    connection.received.append(buffer, static_cast<std::size_t>(n));
    std::vector<std::string> lines;
    for (std::size_t newline; (newline = connection.received.find('\n')) != std::string::npos;) {
        std::string line = connection.received.substr(0, newline);
        connection.received.erase(0, newline + 1);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

bool Simulator::ServeControl(Connection& connection) {
    const auto lines = ReceiveLines(connection);
    if (!lines) {
        return false;
    }
    for (const auto& line : *lines) {
        const std::string reply = ExecuteControl(line, m_state);
        // Listeners change before the reply, so a refusal holds once "ok" arrives.
        UpdateListeners();
        m_log.Event("control: " + line + " -> " + reply);
        SendAll(connection.fd.Get(), reply + "\n");
    }
    return true;
}

bool Simulator::ServeLibrary(Connection& connection) {
    const auto lines = ReceiveLines(connection);
    const bool overlong = connection.received.size() > kMaxLibraryLineBytes;
    if (lines) {
        for (const auto& line : *lines) {
            const auto reply = connection.library.Handle(line, m_addressText, m_state, m_log);
            if (reply) {
                SendAll(connection.fd.Get(), *reply + "\n");
            }
        }
    }
    if (lines && !overlong) {
        return true;
    }
    --m_state.libraryClients;
    m_log.Event(overlong ? "library connection closed: request line too long"
                         : "library connection ended");
    return false;
}

void Simulator::Finish(Connection& connection) {
    const std::string label = PortLabel(connection.port);
    const std::string file = m_log.Save("tcp" + label, connection.received);
    m_log.Event("connection on TCP " + label + " ended" + (connection.aborted ? " (aborted)" : "") +
                ": " + std::to_string(connection.received.size()) + " bytes in " + file);
    if (connection.port == kLpdPort) {
        ActOnLpdJob(connection);
    } else if (!connection.aborted) {
        ActOnRaw(connection);
    }
}

void Simulator::ActOnRaw(const Connection& connection) {
    if (connection.port == m_ports.spool) {
        // A spooler job is firmware and nothing else; an empty one is no job.
        if (!connection.received.empty()) {
            m_log.Event("spooler job of " + std::to_string(connection.received.size()) + " bytes");
            ReceiveFirmware(connection.received);
        }
    } else if (connection.received == BootFrame()) {
        ++m_state.boots;
        m_state.printer.Boot();
        m_log.Event("boot frame on TCP " + PortLabel(connection.port) + ": loader mode");
    } else if (connection.port == kRawPort && !connection.received.empty()) {
        ReceiveFirmware(connection.received);
    } else if (!connection.received.empty()) {
        m_log.Event("not a boot frame: ignored");
    }
}

void Simulator::ActOnLpdJob(const Connection& connection) {
    const auto& files = connection.lpd.Files();
    std::string payload;
    bool boot = false;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string file = m_log.Save("lpd-file" + std::to_string(i + 1), files[i].data);
        m_log.Event("LPD job file " + std::to_string(i + 1) + " in " + file);
        boot = boot || (!files[i].control && files[i].data == BootPacket());
        if (!files[i].control) {
            payload += files[i].data;
        }
    }
    if (connection.aborted || files.empty()) {
        return;
    }
    if (boot) {
        ++m_state.boots;
        m_state.printer.Boot();
        m_log.Event("boot packet in LPD job: loader mode");
    } else {
        ReceiveFirmware(payload);
    }
}

void Simulator::ReceiveFirmware(std::string_view payload) {
    const std::string refusal = m_state.printer.ReceiveFirmware(payload, Clock::now());
    if (refusal.empty()) {
        m_log.Event("firmware of " + std::to_string(payload.size()) +
                    " bytes accepted: installing");
    } else {
        m_log.Event("firmware of " + std::to_string(payload.size()) + " bytes refused: " + refusal);
    }
}

}  // namespace printer_sim
