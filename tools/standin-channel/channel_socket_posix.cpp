#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "channel_socket.h"

namespace standin {
namespace {

bool WaitFor(int fd, short events, int timeLimitMs) {
    pollfd p{fd, events, 0};
    int n = 0;
    do {
        n = ::poll(&p, 1, timeLimitMs);
    } while (n < 0 && errno == EINTR);
    return n == 1;
}

}  // namespace

bool ChannelSocket::Connect(const std::string& host, std::uint16_t port, int timeLimitMs) {
    Close();
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    if (::inet_pton(AF_INET, host.c_str(), &sa.sin_addr) != 1) {
        return false;
    }
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    m_handle = static_cast<std::uintptr_t>(fd);
    int error = 0;
    socklen_t length = sizeof error;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0 &&
        (errno != EINPROGRESS || !WaitFor(fd, POLLOUT, timeLimitMs) ||
         ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)) {
        Close();
        return false;
    }
    return true;
}

bool ChannelSocket::SendAll(std::string_view bytes, int timeLimitMs) {
    const int fd = static_cast<int>(m_handle);
    while (Connected() && !bytes.empty()) {
        if (!WaitFor(fd, POLLOUT, timeLimitMs)) {
            return false;
        }
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return Connected();
}

long ChannelSocket::ReceiveSome(char* buffer, std::size_t size, int timeLimitMs) {
    const int fd = static_cast<int>(m_handle);
    if (!Connected() || !WaitFor(fd, POLLIN, timeLimitMs)) {
        return -1;
    }
    const ssize_t n = ::recv(fd, buffer, size, 0);
    return n < 0 ? -1 : static_cast<long>(n);
}

void ChannelSocket::Close() {
    if (Connected()) {
        ::close(static_cast<int>(m_handle));
    }
    m_handle = kNoSocket;
}

}  // namespace standin
