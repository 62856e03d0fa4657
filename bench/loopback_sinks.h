// Receivers for the send benchmarks on a loopback address, each serving one
// connection at a time on its own thread: a raw sink that reads and drops every
// byte, and an LPD that acknowledges each command and data file at once. Each
// connection's end is reported, so that a timed send covers the delivery of its
// bytes, not only their hand-over to the kernel.
//
// The threads allocate nothing while serving: the heap meter of the benchmarks
// counts the sending thread's allocations alone.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace bench {

struct ConnectionReport {
    std::size_t bytes = 0;
    // LPD only: how long the wire stood idle after the acknowledgements, until the
    // sender's next byte arrived: the cost of waiting for each one before going on.
    std::chrono::nanoseconds idleAfterAcknowledgements{0};
    std::size_t acknowledgements = 0;
};

class LoopbackSink {
  public:
    enum class Kind { kRaw, kLpd };
    // Listens on `address` (network byte order) and `port`; throws when it cannot.
    LoopbackSink(Kind kind, std::uint32_t address, std::uint16_t port);
    ~LoopbackSink();
    LoopbackSink(const LoopbackSink&) = delete;
    LoopbackSink& operator=(const LoopbackSink&) = delete;

    // Waits for the next connection to end (at most 60 s; then an empty report).
    ConnectionReport WaitForConnection();

  private:
    void Run();
    ConnectionReport ServeRaw(int fd);
    ConnectionReport ServeLpd(int fd);

    Kind m_kind;
    int m_listener = -1;
    bool m_stopping = false;  // guarded by m_mutex
    std::vector<char> m_buffer;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    std::vector<ConnectionReport> m_reports;  // guarded by m_mutex; reserved ahead
    std::size_t m_taken = 0;
    std::thread m_thread;
};

// A plain blocking sender: connect, send every byte, close.
bool PlainBlockingSend(std::uint32_t address, std::uint16_t port, const void* data,
                       std::size_t size);

}  // namespace bench
