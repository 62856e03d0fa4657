#include "loopback.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace loopback {

namespace {

constexpr int kPeerWaitMs = 5000;

sockaddr_in LoopbackSockaddr(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = Address();
    return address;
}

// Binds a new socket of `type` to a free port; the port through `port`.
Fd BindFree(int type, std::uint16_t& port) {
    Fd fd(::socket(AF_INET, type, 0));
    sockaddr_in address = LoopbackSockaddr(0);
    socklen_t size = sizeof(address);
    if (::bind(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::getsockname(fd.get(), reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        fd.reset();
    }
    port = ntohs(address.sin_port);
    return fd;
}

bool WaitReadable(int fd, int milliseconds) {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, milliseconds) > 0;
}

}  // namespace

std::uint32_t Address() {
    return htonl(INADDR_LOOPBACK);
}

NetworkTimeouts QuickTimeouts() {
    using std::chrono::milliseconds;
    return {milliseconds(300), milliseconds(300), milliseconds(200)};
}

Fd::~Fd() {
    reset();
}

void Fd::reset() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

std::string ReadUpTo(int fd, std::size_t count) {
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < count && WaitReadable(fd, kPeerWaitMs)) {
        const std::size_t want = std::min(sizeof(buffer), count - bytes.size());
        const ssize_t got = ::recv(fd, buffer, want, 0);
        if (got <= 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

std::string ReadLine(int fd) {
    std::string line;
    while (line.empty() || line.back() != '\n') {
        const std::string next = ReadUpTo(fd, 1);
        if (next.empty()) {
            break;
        }
        line += next;
    }
    return line;
}

std::string ReadToEnd(int fd) {
    return ReadUpTo(fd, std::string::npos);
}

TcpPeer::TcpPeer(Serve serve, int receiveBuffer) : m_listener(BindFree(SOCK_STREAM, m_port)) {
    if (receiveBuffer != 0) {
        // Set before listen so that accepted sockets inherit it from the start.
        ::setsockopt(m_listener.get(), SOL_SOCKET, SO_RCVBUF, &receiveBuffer,
                     sizeof(receiveBuffer));
    }
    ::listen(m_listener.get(), 1);
    m_thread = std::thread([this, serve = std::move(serve)] {
        // Short slices, so that Finish need not wait for a connection that never comes;
        // one that the port has made is queued by then and still seen.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        bool pending = false;
        while (!pending && std::chrono::steady_clock::now() < deadline) {
            const bool last = m_stopping;
            pending = WaitReadable(m_listener.get(), last ? 0 : 20);
            if (last) {
                break;
            }
        }
        if (!pending) {
            return;
        }
        Fd connection(::accept(m_listener.get(), nullptr, nullptr));
        m_connected = connection.get() >= 0;
        if (m_connected) {
            serve(connection.get());
        }
    });
}

TcpPeer::~TcpPeer() {
    Finish();
}

bool TcpPeer::Finish() {
    m_stopping = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
    return m_connected;
}

std::uint16_t ClosedPort() {
    std::uint16_t port = 0;
    BindFree(SOCK_STREAM, port);
    return port;
}

UdpAgent::UdpAgent(Answer answer, int requests) : m_socket(BindFree(SOCK_DGRAM, m_port)) {
    m_thread = std::thread([this, answer = std::move(answer), requests] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        for (int i = 0; i < requests && std::chrono::steady_clock::now() < deadline; ++i) {
            if (!WaitReadable(m_socket.get(), 2000)) {
                return;
            }
            char buffer[65536];
            sockaddr_in from{};
            socklen_t fromSize = sizeof(from);
            const ssize_t got = ::recvfrom(m_socket.get(), buffer, sizeof(buffer), 0,
                                           reinterpret_cast<sockaddr*>(&from), &fromSize);
            if (got < 0) {
                return;
            }
            m_received.emplace_back(buffer, static_cast<std::size_t>(got));
            for (const std::string& reply : answer(m_received.back())) {
                ::sendto(m_socket.get(), reply.data(), reply.size(), 0,
                         reinterpret_cast<sockaddr*>(&from), fromSize);
            }
        }
    });
}

UdpAgent::~UdpAgent() {
    Finish();
}

std::vector<std::string> UdpAgent::Finish() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    return m_received;
}

}  // namespace loopback
