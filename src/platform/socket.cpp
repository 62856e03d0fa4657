// Portable socket code over the BSD calls that Winsock shares; socket_os.h holds
// what differs between them.
#include "platform/socket.h"

#include <utility>

#include "socket_os.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

os::Native AsNative(std::uintptr_t handle) {
    return static_cast<os::Native>(handle);
}

sockaddr_in ToSockaddr(Endpoint peer) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(peer.port);
    address.sin_addr.s_addr = peer.address;
    return address;
}

}  // namespace

Socket::Socket(Socket&& other) noexcept : m_handle(std::exchange(other.m_handle, kNoHandle)) {}

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = std::exchange(other.m_handle, kNoHandle);
    }
    return *this;
}

void Socket::Close() {
    if (IsOpen()) {
        os::CloseNative(AsNative(m_handle));
        m_handle = kNoHandle;
    }
}

bool Socket::Open(int type) {
    Close();
    m_handle = static_cast<std::uintptr_t>(::socket(AF_INET, type, 0));
    if (IsOpen() && !os::SetNonBlocking(AsNative(m_handle))) {
        Close();
    }
    return IsOpen();
}

bool Socket::WaitReady(bool forWrite, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        const int ready =
            os::WaitReady(AsNative(m_handle), forWrite, static_cast<int>(left.count()));
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && !os::LastErrorIsInterruption()) {
            return false;
        }
    }
}

bool Socket::ConnectTcp(Endpoint peer, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    if (!Open(SOCK_STREAM)) {
        return false;
    }
    // LPR is stop-and-wait: the byte that ends a data file, held back until the
    // peer's delayed acknowledgement of the data, would cost up to 40 ms per file.
    const int noDelay = 1;
    ::setsockopt(AsNative(m_handle), IPPROTO_TCP, TCP_NODELAY,
                 reinterpret_cast<const char*>(&noDelay), sizeof(noDelay));
    const sockaddr_in address = ToSockaddr(peer);
    if (::connect(AsNative(m_handle), reinterpret_cast<const sockaddr*>(&address),
                  sizeof(address)) == 0) {
        return true;
    }
    int error = 0;
    socklen_t errorSize = sizeof(error);
    if (os::LastErrorIsPending() && WaitReady(true, deadline) &&
        ::getsockopt(AsNative(m_handle), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                     &errorSize) == 0 &&
        error == 0) {
        return true;
    }
    Close();
    return false;
}

bool Socket::ConnectUdp(Endpoint peer) {
    if (!Open(SOCK_DGRAM)) {
        return false;
    }
    const sockaddr_in address = ToSockaddr(peer);
    if (::connect(AsNative(m_handle), reinterpret_cast<const sockaddr*>(&address),
                  sizeof(address)) != 0) {
        Close();
        return false;
    }
    return true;
}

bool Socket::SendAll(const void* data, std::size_t size, std::chrono::milliseconds stall) {
    const char* next = static_cast<const char*>(data);
    std::size_t left = size;
    while (IsOpen() && left > 0) {
        const int piece = static_cast<int>(left < os::kLargestSend ? left : os::kLargestSend);
        const auto sent = ::send(AsNative(m_handle), next, piece, os::kSendFlags);
        if (sent > 0) {
            next += sent;
            left -= static_cast<std::size_t>(sent);
        } else if (sent == 0 || !os::LastErrorIsPending() ||
                   !WaitReady(true, Clock::now() + stall)) {
            return false;
        }
    }
    return IsOpen();
}

long Socket::Receive(void* buffer, std::size_t capacity, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    const int room = static_cast<int>(capacity < os::kLargestSend ? capacity : os::kLargestSend);
    for (;;) {
        if (!IsOpen()) {
            return -1;
        }
        const auto received = ::recv(AsNative(m_handle), static_cast<char*>(buffer), room, 0);
        if (received >= 0) {
            return static_cast<long>(received);
        }
        if (!os::LastErrorIsPending() || !WaitReady(false, deadline)) {
            return -1;
        }
    }
}

std::uint16_t ServicePort(const char* name, const char* protocol, std::uint16_t fallback) {
    const servent* entry = ::getservbyname(name, protocol);
    return entry ? ntohs(static_cast<std::uint16_t>(entry->s_port)) : fallback;
}

}  // namespace platform
