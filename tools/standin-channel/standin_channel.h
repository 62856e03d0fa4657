// The channel between our stand-in maker libraries and the printer simulator.
//
// The endpoint "host:port" comes from the environment variable
// TARNEL_STANDIN_ENDPOINT, read by the library itself (the installer never reads
// it): an IPv4 address, normally the simulated printer's own on loopback, and the
// simulator's library port (9600 unless it was told otherwise). One TCP
// connection carries requests and replies, one ASCII line each, ending in "\n":
//
//   OPEN              -> OK                 the controller library opens its printer
//   CONNECT a.b.c.d   -> OK                 the remote-connect library, printer address
//   IDENTITY          -> OK MDL:...;VER:...;MODE:...;STATUS:...;
//   STATUS            -> OK <status word, signed decimal>
//   MODE <m> <ms>     -> OK                 enter mode m (1: firmware loader) within ms
//   UPDATE <arg>      -> OK                 the remote-connect library's update request
//   CLEAR             -> OK                 clear the printer's condition
//
// A refusal is "ERR <reason>". The simulator refuses every request that comes
// before a successful OPEN or CONNECT on the same connection. The connection lasts
// until the library is unloaded or an exchange fails.
#pragma once

#include <string>
#include <string_view>

#include "channel_socket.h"

namespace standin {

inline constexpr char kEndpointVariable[] = "TARNEL_STANDIN_ENDPOINT";
// A printer on loopback answers at once; these only bound a simulator that hangs.
inline constexpr int kConnectTimeLimitMs = 2000;
inline constexpr int kReplyTimeLimitMs = 3000;
inline constexpr std::size_t kMaxReplyBytes = 4096;

class StandinChannel {
  public:
    // Sends one request line (connecting first when there is no connection) and
    // waits for its reply, all within `timeLimitMs`. True for "OK", with the rest of
    // the reply after "OK " in `text`. A failed exchange drops the connection, so
    // that a late reply is never taken for the answer to the next request.
    [[nodiscard]] bool Request(std::string_view request, std::string& text,
                               int timeLimitMs = kReplyTimeLimitMs);
    void Disconnect() { m_socket.Close(); }

  private:
    bool ConnectFromEnvironment(int timeLimitMs);
    bool ReadReplyLine(std::string& line, int timeLimitMs);

    ChannelSocket m_socket;
};

}  // namespace standin
