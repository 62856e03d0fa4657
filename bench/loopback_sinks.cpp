#include "loopback_sinks.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <stdexcept>

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kReadBytes = 1 << 20;
// Enough reports for any benchmark run without growing the vector while serving.
constexpr std::size_t kMostConnections = 1 << 16;
constexpr int kStopCheckMs = 100;
constexpr long kReceiveLimitSeconds = 60;

sockaddr_in SocketAddress(std::uint32_t address, std::uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = address;
    return sa;
}

bool SendByte(int fd, char byte) {
    return ::send(fd, &byte, 1, MSG_NOSIGNAL) == 1;
}

}  // namespace

LoopbackSink::LoopbackSink(Kind kind, std::uint32_t address, std::uint16_t port)
    : m_kind(kind), m_buffer(kReadBytes) {
    m_reports.reserve(kMostConnections);
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    const sockaddr_in sa = SocketAddress(address, port);
    if (m_listener < 0 ||
        ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) != 0 ||
        ::bind(m_listener, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0 ||
        ::listen(m_listener, 4) != 0) {
        if (m_listener >= 0) {
            ::close(m_listener);
        }
        throw std::runtime_error("cannot listen on port " + std::to_string(port));
    }
    m_thread = std::thread([this] { Run(); });
}

LoopbackSink::~LoopbackSink() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_thread.join();
    ::close(m_listener);
}

void LoopbackSink::Run() {
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (m_stopping) {
                return;
            }
        }
        pollfd entry{m_listener, POLLIN, 0};
        if (::poll(&entry, 1, kStopCheckMs) != 1) {
            continue;
        }
        const int fd = ::accept(m_listener, nullptr, nullptr);
        if (fd < 0) {
            continue;
        }
        // A sender that neither sends nor closes must not hold the thread for ever.
        const timeval limit{kReceiveLimitSeconds, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        const ConnectionReport report = m_kind == Kind::kRaw ? ServeRaw(fd) : ServeLpd(fd);
        ::close(fd);
        std::lock_guard lock(m_mutex);
        if (m_reports.size() < m_reports.capacity()) {
            m_reports.push_back(report);
        }
        m_ended.notify_all();
    }
}

ConnectionReport LoopbackSink::ServeRaw(int fd) {
    ConnectionReport report;
    for (ssize_t n; (n = ::recv(fd, m_buffer.data(), m_buffer.size(), 0)) > 0;) {
        report.bytes += static_cast<std::size_t>(n);
    }
    return report;
}

ConnectionReport LoopbackSink::ServeLpd(int fd) {
    // The receive-job command and the subcommands end in a line feed; a subcommand
    // announces its file's size, which is followed by the 0x00 byte that ends it.
    ConnectionReport report;
    std::size_t fileLeft = 0;
    bool inFile = false;
    bool subcommand = false;  // the line being read is a subcommand
    std::size_t announced = 0;
    Clock::time_point acknowledged{};
    bool waiting = false;  // an acknowledgement went out, nothing has come since
    for (ssize_t n; (n = ::recv(fd, m_buffer.data(), m_buffer.size(), 0)) > 0;) {
        if (waiting) {
            report.idleAfterAcknowledgements += Clock::now() - acknowledged;
            waiting = false;
        }
        report.bytes += static_cast<std::size_t>(n);
        for (const char* p = m_buffer.data(); p < m_buffer.data() + n;) {
            const auto left = static_cast<std::size_t>(m_buffer.data() + n - p);
            bool acknowledge = false;
            if (inFile && fileLeft > 0) {
                const std::size_t take = left < fileLeft ? left : fileLeft;
                fileLeft -= take;
                p += take;
                continue;
            }
            if (inFile) {
                inFile = false;  // the end-of-file byte
                acknowledge = true;
            } else if (*p == '\n') {
                if (subcommand) {
                    inFile = true;
                    fileLeft = announced;
                }
                subcommand = true;  // every line after the job command
                announced = 0;
                acknowledge = true;
            } else if (*p >= '0' && *p <= '9') {
                announced = announced * 10 + static_cast<std::size_t>(*p - '0');
            }
            ++p;
            if (acknowledge) {
                if (!SendByte(fd, '\0')) {
                    return report;
                }
                ++report.acknowledgements;
                acknowledged = Clock::now();
                waiting = true;
            }
        }
    }
    return report;
}

ConnectionReport LoopbackSink::WaitForConnection() {
    std::unique_lock lock(m_mutex);
    if (!m_ended.wait_for(lock, std::chrono::seconds(60),
                          [this] { return m_reports.size() > m_taken; })) {
        return {};
    }
    return m_reports[m_taken++];
}

bool PlainBlockingSend(std::uint32_t address, std::uint16_t port, const void* data,
                       std::size_t size) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in sa = SocketAddress(address, port);
    bool ok = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
    const char* next = static_cast<const char*>(data);
    for (std::size_t left = size; ok && left > 0;) {
        const ssize_t sent = ::send(fd, next, left, MSG_NOSIGNAL);
        ok = sent > 0;
        next += ok ? sent : 0;
        left -= ok ? static_cast<std::size_t>(sent) : 0;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return ok;
}

}  // namespace bench
