// Plain client sockets of the tests, each wait bounded.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sim_test {

// Owns a connected TCP socket.
class TcpClient {
  public:
    TcpClient(const std::string& address, unsigned short port);
    ~TcpClient();
    TcpClient(const TcpClient&) = delete;
    TcpClient& operator=(const TcpClient&) = delete;

    bool Connected() const { return m_fd >= 0; }
    // False when not all bytes went out within the time limit.
    bool Send(std::string_view bytes);
    // The next bytes (at most 64), "" on an orderly close, nothing on time-out or error.
    std::optional<std::string> Receive();
    // Waits until the peer closes or resets; true when it did within the time limit.
    bool WaitClosed();
    void Close();

  private:
    int m_fd = -1;
};

// One SNMP v1 GetRequest for the dotted identifier; the raw response datagram, or
// nothing when none came within 500 ms.
std::optional<std::string> SnmpGet(const std::string& address, std::string_view objectId,
                                   std::string_view community = "public");
// Sends bytes as one datagram to the agent; the response when one came within 300 ms.
std::optional<std::string> SnmpExchange(const std::string& address, std::string_view datagram);

struct SnmpAnswer {
    int errorStatus = -1;
    int valueTag = -1;
    std::string value;
};
// Reads a GetResponse with one binding; nothing when it is not one.
std::optional<SnmpAnswer> ParseSnmpAnswer(std::string_view datagram);

}  // namespace sim_test
