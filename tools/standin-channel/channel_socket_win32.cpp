#include <winsock2.h>
#include <ws2tcpip.h>

#include "channel_socket.h"

namespace standin {
namespace {

// True when the socket becomes writable (`write`) or readable within the time limit.
bool WaitFor(SOCKET s, bool write, int timeLimitMs) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    fd_set failed;
    FD_ZERO(&failed);
    FD_SET(s, &failed);
    timeval limit{timeLimitMs / 1000, (timeLimitMs % 1000) * 1000};
    const int n = ::select(0, write ? nullptr : &set, write ? &set : nullptr, &failed, &limit);
    return n > 0 && FD_ISSET(s, &set) && !FD_ISSET(s, &failed);
}

}  // namespace

// Each open socket holds one Winsock start-up, released by Close.
bool ChannelSocket::Connect(const std::string& host, std::uint16_t port, int timeLimitMs) {
    Close();
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    if (::inet_pton(AF_INET, host.c_str(), &sa.sin_addr) != 1) {
        return false;
    }
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        return false;
    }
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        ::WSACleanup();
        return false;
    }
    m_handle = static_cast<std::uintptr_t>(s);
    u_long nonBlocking = 1;
    if (::ioctlsocket(s, FIONBIO, &nonBlocking) != 0 ||
        (::connect(s, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0 &&
         (::WSAGetLastError() != WSAEWOULDBLOCK || !WaitFor(s, true, timeLimitMs)))) {
        Close();
        return false;
    }
    return true;
}

bool ChannelSocket::SendAll(std::string_view bytes, int timeLimitMs) {
    const SOCKET s = static_cast<SOCKET>(m_handle);
    while (Connected() && !bytes.empty()) {
        if (!WaitFor(s, true, timeLimitMs)) {
            return false;
        }
        const int sent = ::send(s, bytes.data(), static_cast<int>(bytes.size()), 0);
        if (sent == SOCKET_ERROR && ::WSAGetLastError() == WSAEWOULDBLOCK) {
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
    const SOCKET s = static_cast<SOCKET>(m_handle);
    if (!Connected() || !WaitFor(s, false, timeLimitMs)) {
        return -1;
    }
    const int n = ::recv(s, buffer, static_cast<int>(size), 0);
    return n == SOCKET_ERROR ? -1 : n;
}

void ChannelSocket::Close() {
    if (Connected()) {
        ::closesocket(static_cast<SOCKET>(m_handle));
        ::WSACleanup();
    }
    m_handle = kNoSocket;
}

}  // namespace standin
