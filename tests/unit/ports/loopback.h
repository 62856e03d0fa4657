// Small peers on 127.0.0.1 for the network port tests: a listener that serves one
// connection on a thread, and a UDP agent. Every wait is bounded so that a broken
// port fails its test instead of hanging it.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ports/network_settings.h"

namespace loopback {

// 127.0.0.1 in network byte order, as the ports hold it.
std::uint32_t Address();
// Short limits, so that the time-out cases finish quickly.
NetworkTimeouts QuickTimeouts();

// A file descriptor closed by its destructor.
class Fd {
  public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd();
    Fd(Fd&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    void reset();

  private:
    int m_fd;
};

// Bytes from `fd` until `count` have come, the peer closes, or 5 s pass.
std::string ReadUpTo(int fd, std::size_t count);
// Reads through the next line feed.
std::string ReadLine(int fd);
// Reads until the peer closes (or 5 s pass).
std::string ReadToEnd(int fd);

// Listens on a free port of 127.0.0.1 and runs `serve` on the first connection.
class TcpPeer {
  public:
    using Serve = std::function<void(int connection)>;
    // `receiveBuffer` nonzero shrinks the accepted socket's receive buffer.
    explicit TcpPeer(Serve serve, int receiveBuffer = 0);
    ~TcpPeer();
    std::uint16_t port() const { return m_port; }
    // Waits for `serve` to finish; true when a connection came. Call it only after
    // the port's operation has returned.
    bool Finish();

  private:
    std::uint16_t m_port = 0;  // before the socket, whose initialiser sets it
    Fd m_listener;
    std::atomic<bool> m_connected = false;
    std::atomic<bool> m_stopping = false;
    std::thread m_thread;
};

// A port of 127.0.0.1 with nothing listening on it.
std::uint16_t ClosedPort();

// A UDP agent on a free port of 127.0.0.1: each datagram it receives goes to
// `answer`, and each datagram that returns is sent back. Stops after `requests`
// datagrams or 2 s.
class UdpAgent {
  public:
    using Answer = std::function<std::vector<std::string>(const std::string& request)>;
    UdpAgent(Answer answer, int requests);
    ~UdpAgent();
    std::uint16_t port() const { return m_port; }
    // Waits for the agent to stop; the datagrams it received.
    std::vector<std::string> Finish();

  private:
    std::uint16_t m_port = 0;  // before the socket, whose initialiser sets it
    Fd m_socket;
    std::vector<std::string> m_received;
    std::thread m_thread;
};

}  // namespace loopback
