// The Winsock side of the socket layer: the calls that BSD sockets name or behave
// differently. Included only by platform/socket.cpp.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstddef>

namespace platform::os {

using Native = SOCKET;
inline constexpr int kSendFlags = 0;
// Keeps each call's count within the int that Winsock takes.
inline constexpr std::size_t kLargestSend = 1 << 30;

inline void CloseNative(Native s) {
    ::closesocket(s);
}

inline bool SetNonBlocking(Native s) {
    u_long enable = 1;
    return ::ioctlsocket(s, FIONBIO, &enable) == 0;
}

// The call could not finish at once: wait for the socket and try again.
inline bool LastErrorIsPending() {
    const int error = ::WSAGetLastError();
    return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS || error == WSAEINTR;
}

inline bool LastErrorIsInterruption() {
    return ::WSAGetLastError() == WSAEINTR;
}

// 1 ready (or failed, which the next call reports), 0 time out, -1 error. A failed
// connect shows in the exception set only, so that set counts as ready too.
inline int WaitReady(Native s, bool forWrite, int milliseconds) {
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
    const int count =
        ::select(0, forWrite ? nullptr : &ready, forWrite ? &ready : nullptr, &failed, &limit);
    return count == SOCKET_ERROR ? -1 : count;
}

}  // namespace platform::os
