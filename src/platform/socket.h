// The socket layer: one thin wrapper over BSD sockets and Winsock. The same code
// serves both builds; the few calls that differ sit in the platform's socket_os.h.
// Every wait is bounded by a limit the caller passes.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace platform {

// An IPv4 peer: the address in network byte order, the port in host byte order.
struct Endpoint {
    std::uint32_t address;
    std::uint16_t port;
};

// A TCP or UDP socket, closed by its destructor. Move-only: one owner per handle.
class Socket {
  public:
    Socket() = default;
    ~Socket() { Close(); }
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Opens a TCP stream socket and connects it to `peer` within `limit`. On failure
    // the socket is closed.
    [[nodiscard]] bool ConnectTcp(Endpoint peer, std::chrono::milliseconds limit);
    // Opens a UDP socket bound to `peer`, so that only its datagrams arrive.
    [[nodiscard]] bool ConnectUdp(Endpoint peer);
    // Sends every byte (one datagram on UDP). Fails on an error, or when no byte is
    // accepted for `stall`.
    [[nodiscard]] bool SendAll(const void* data, std::size_t size, std::chrono::milliseconds stall);
    // One receive of at most `capacity` bytes within `limit`: the count received,
    // 0 when the peer closed the connection, -1 on an error or when time ran out.
    [[nodiscard]] long Receive(void* buffer, std::size_t capacity, std::chrono::milliseconds limit);
    // May be called any number of times.
    void Close();
    bool IsOpen() const { return m_handle != kNoHandle; }

  private:
    static constexpr std::uintptr_t kNoHandle = ~std::uintptr_t{0};
    [[nodiscard]] bool Open(int type);
    [[nodiscard]] bool WaitReady(bool forWrite, std::chrono::steady_clock::time_point deadline);

    std::uintptr_t m_handle = kNoHandle;
};

// The port of a service in the system's services database, `fallback` when it has
// no entry.
std::uint16_t ServicePort(const char* name, const char* protocol, std::uint16_t fallback);

}  // namespace platform
