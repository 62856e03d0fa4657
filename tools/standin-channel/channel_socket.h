// One TCP client connection of the stand-in libraries, every wait bounded. The
// implementation is chosen by the file the build links: BSD sockets or Winsock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace standin {

class ChannelSocket {
  public:
    ChannelSocket() = default;
    ~ChannelSocket() { Close(); }
    ChannelSocket(const ChannelSocket&) = delete;
    ChannelSocket& operator=(const ChannelSocket&) = delete;

    // Connects to the dotted IPv4 address and port within `timeLimitMs`.
    [[nodiscard]] bool Connect(const std::string& host, std::uint16_t port, int timeLimitMs);
    bool Connected() const { return m_handle != kNoSocket; }
    // False unless every byte went out within `timeLimitMs`.
    [[nodiscard]] bool SendAll(std::string_view bytes, int timeLimitMs);
    // Waits up to `timeLimitMs` for bytes: their count, 0 when the peer closed, -1 on
    // an error or when the time is up.
    long ReceiveSome(char* buffer, std::size_t size, int timeLimitMs);
    // Closes the connection; nothing happens when there is none.
    void Close();

  private:
    static constexpr std::uintptr_t kNoSocket = ~std::uintptr_t{0};
    // A file descriptor, or a Winsock SOCKET (whose invalid value is also all ones).
    std::uintptr_t m_handle = kNoSocket;
};

}  // namespace standin
