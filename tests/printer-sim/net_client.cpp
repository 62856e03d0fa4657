#include "net_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <sstream>
#include <vector>

namespace sim_test {
namespace {

constexpr int kWaitMs = 2000;

sockaddr_in Address(const std::string& address, unsigned short port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    ::inet_pton(AF_INET, address.c_str(), &sa.sin_addr);
    return sa;
}

bool WaitFor(int fd, short events, int milliseconds) {
    pollfd p{fd, events, 0};
    return ::poll(&p, 1, milliseconds) == 1;
}

// Short-form BER element: the requests of the tests stay below 128 bytes per element.
std::string Tlv(std::uint8_t tag, const std::string& content) {
    return std::string(1, static_cast<char>(tag)) + static_cast<char>(content.size()) + content;
}

std::string OidContent(std::string_view dotted) {
    std::vector<unsigned> arcs;
    std::istringstream in{std::string(dotted.substr(1))};
    for (std::string arc; std::getline(in, arc, '.');) {
        arcs.push_back(static_cast<unsigned>(std::stoul(arc)));
    }
    std::string out(1, static_cast<char>(arcs[0] * 40 + arcs[1]));
    for (std::size_t i = 2; i < arcs.size(); ++i) {
        std::string group(1, static_cast<char>(arcs[i] & 0x7F));
        for (unsigned rest = arcs[i] >> 7; rest != 0; rest >>= 7) {
            group.insert(group.begin(), static_cast<char>(0x80 | (rest & 0x7F)));
        }
        out += group;
    }
    return out;
}

// A minimal reader for the answers: tag, length (short or long form), content.
bool Next(std::string_view& in, std::uint8_t& tag, std::string_view& content) {
    if (in.size() < 2) {
        return false;
    }
    tag = static_cast<std::uint8_t>(in[0]);
    std::size_t length = static_cast<std::uint8_t>(in[1]);
    std::size_t header = 2;
    if (length & 0x80) {
        const std::size_t count = length & 0x7F;
        if (count == 0 || count > 3 || in.size() < 2 + count) {
            return false;
        }
        length = 0;
        for (std::size_t i = 0; i < count; ++i) {
            length = length * 256 + static_cast<std::uint8_t>(in[2 + i]);
        }
        header += count;
    }
    if (in.size() - header < length) {
        return false;
    }
    content = in.substr(header, length);
    in.remove_prefix(header + length);
    return true;
}

}  // namespace

TcpClient::TcpClient(const std::string& address, unsigned short port) {
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const sockaddr_in sa = Address(address, port);
    if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0) {
        return;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (errno != EINPROGRESS || !WaitFor(m_fd, POLLOUT, kWaitMs) ||
        ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        Close();
    }
}

TcpClient::~TcpClient() {
    Close();
}

void TcpClient::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    m_fd = -1;
}

bool TcpClient::Send(std::string_view bytes) {
    while (!bytes.empty()) {
        if (!WaitFor(m_fd, POLLOUT, kWaitMs)) {
            return false;
        }
        const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EAGAIN) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

std::optional<std::string> TcpClient::Receive() {
    char buffer[64];
    if (!WaitFor(m_fd, POLLIN, kWaitMs)) {
        return std::nullopt;
    }
    const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
    if (n < 0) {
        return std::nullopt;
    }
    return std::string(buffer, static_cast<std::size_t>(n));
}

bool TcpClient::WaitClosed() {
    char buffer[4096];
    while (WaitFor(m_fd, POLLIN, kWaitMs)) {
        if (::recv(m_fd, buffer, sizeof buffer, 0) <= 0) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> SnmpExchange(const std::string& address, std::string_view datagram) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const sockaddr_in sa = Address(address, 161);
    std::optional<std::string> answer;
    char buffer[2048];
    if (::sendto(fd, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&sa),
                 sizeof sa) == static_cast<ssize_t>(datagram.size()) &&
        WaitFor(fd, POLLIN, 300)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n >= 0) {
            answer = std::string(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return answer;
}

std::optional<std::string> SnmpGet(const std::string& address, std::string_view objectId,
                                   std::string_view community) {
    const std::string binding = Tlv(0x30, Tlv(0x06, OidContent(objectId)) + Tlv(0x05, ""));
    const std::string pdu = Tlv(0x02, "\x2A") + Tlv(0x02, std::string(1, '\0')) +
                            Tlv(0x02, std::string(1, '\0')) + Tlv(0x30, binding);
    const std::string message =
        Tlv(0x30, Tlv(0x02, std::string(1, '\0')) + Tlv(0x04, std::string(community)) +
                      Tlv(static_cast<std::uint8_t>(0xA0), pdu));
    return SnmpExchange(address, message);
}

std::optional<SnmpAnswer> ParseSnmpAnswer(std::string_view datagram) {
    std::uint8_t tag = 0;
    std::string_view message, field, pdu, list, binding;
    if (!Next(datagram, tag, message) || tag != 0x30) {
        return std::nullopt;
    }
    // version, community
    if (!Next(message, tag, field) || !Next(message, tag, field) || !Next(message, tag, pdu) ||
        tag != 0xA2) {
        return std::nullopt;
    }
    SnmpAnswer answer;
    std::string_view requestId, errorStatus, errorIndex, name, value;
    if (!Next(pdu, tag, requestId) || requestId != "\x2A" || !Next(pdu, tag, errorStatus) ||
        errorStatus.size() != 1 || !Next(pdu, tag, errorIndex) || !Next(pdu, tag, list) ||
        !Next(list, tag, binding) || !Next(binding, tag, name) || !Next(binding, tag, value)) {
        return std::nullopt;
    }
    answer.errorStatus = static_cast<std::uint8_t>(errorStatus[0]);
    answer.valueTag = tag;
    answer.value = std::string(value);
    return answer;
}

}  // namespace sim_test
