// spool-forward: hands a print job from standard input to the printer simulator's
// spool port unchanged. A Wine printer whose port is "|spool-forward A.B.C.D 9200"
// runs it for every job, with the job's bytes on its standard input.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "unique_fd.h"

namespace {

// The simulator is on loopback: these only bound one that hangs.
constexpr int kConnectTimeLimitMs = 5000;
constexpr int kSendTimeLimitMs = 10000;
constexpr int kCloseTimeLimitMs = 5000;

bool WaitFor(int fd, short events, int timeLimitMs) {
    pollfd p{fd, events, 0};
    int n = 0;
    do {
        n = ::poll(&p, 1, timeLimitMs);
    } while (n < 0 && errno == EINTR);
    return n == 1;
}

bool Connect(int fd, const sockaddr_in& address) {
    int error = 0;
    socklen_t length = sizeof error;
    return ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
           (errno == EINPROGRESS && WaitFor(fd, POLLOUT, kConnectTimeLimitMs) &&
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0);
}

bool SendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        if (!WaitFor(fd, POLLOUT, kSendTimeLimitMs)) {
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
    return true;
}

// After our end of the stream, waits until the simulator closes its end: then it
// has taken the whole job.
bool WaitUntilPeerCloses(int fd) {
    char buffer[256];
    while (WaitFor(fd, POLLIN, kCloseTimeLimitMs)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n == 0) {
            return true;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
    }
    return false;
}

int Fail(const char* what) {
    std::fprintf(stderr, "spool-forward: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr,
                     "Usage: spool-forward A.B.C.D PORT < job\n"
                     "Sends standard input unchanged to TCP A.B.C.D:PORT (the printer simulator's\n"
                     "spool port, 9200 unless told otherwise). Exit code 0 when every byte was\n"
                     "sent and the simulator closed the connection, 1 otherwise.\n");
        return 2;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    char* end = nullptr;
    const unsigned long port = std::strtoul(argv[2], &end, 10);
    if (::inet_pton(AF_INET, argv[1], &address.sin_addr) != 1 || *end != '\0' || port == 0 ||
        port > 65535) {
        return Fail("bad address or port");
    }
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const printer_sim::UniqueFd socket(
        ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.Valid() || !Connect(socket.Get(), address)) {
        return Fail("cannot connect");
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Fail("cannot read standard input");
        }
        if (n == 0) {
            break;
        }
        if (!SendAll(socket.Get(), std::string_view(buffer, static_cast<std::size_t>(n)))) {
            return Fail("the simulator stopped taking bytes");
        }
    }
    if (::shutdown(socket.Get(), SHUT_WR) != 0 || !WaitUntilPeerCloses(socket.Get())) {
        return Fail("the simulator did not confirm the end of the job");
    }
    return 0;
}
