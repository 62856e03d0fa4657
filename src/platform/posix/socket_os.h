// The BSD side of the socket layer: the calls that Winsock names or behaves
// differently. Included only by platform/socket.cpp.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace platform::os {

using Native = int;
// A peer that has gone must fail the send, not raise SIGPIPE.
inline constexpr int kSendFlags = MSG_NOSIGNAL;
// Keeps each call's count within the int that Winsock takes.
inline constexpr std::size_t kLargestSend = 1 << 30;

inline void CloseNative(Native s) {
    ::close(s);
}

inline bool SetNonBlocking(Native s) {
    const int flags = ::fcntl(s, F_GETFL, 0);
    return flags >= 0 && ::fcntl(s, F_SETFL, flags | O_NONBLOCK) == 0;
}

// The call could not finish at once: wait for the socket and try again.
inline bool LastErrorIsPending() {
    return errno == EINPROGRESS || errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

inline bool LastErrorIsInterruption() {
    return errno == EINTR;
}

// 1 ready (or failed, which the next call reports), 0 time out, -1 error.
inline int WaitReady(Native s, bool forWrite, int milliseconds) {
    pollfd entry{s, static_cast<short>(forWrite ? POLLOUT : POLLIN), 0};
    return ::poll(&entry, 1, milliseconds);
}

}  // namespace platform::os
