#include "standin_channel.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace standin {
namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// "host:port" with a port of 1 to 65535.
bool ParseEndpoint(std::string_view endpoint, std::string& host, std::uint16_t& port) {
    const std::size_t colon = endpoint.rfind(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == endpoint.size() ||
        endpoint.size() - colon > 6) {
        return false;
    }
    unsigned long number = 0;
    for (const char c : endpoint.substr(colon + 1)) {
        if (c < '0' || c > '9') {
            return false;
        }
        number = number * 10 + static_cast<unsigned long>(c - '0');
    }
    if (number == 0 || number > 65535) {
        return false;
    }
    host = std::string(endpoint.substr(0, colon));
    port = static_cast<std::uint16_t>(number);
    return true;
}

}  // namespace

bool StandinChannel::ConnectFromEnvironment(int timeLimitMs) {
    const char* endpoint = std::getenv(kEndpointVariable);
    std::string host;
    std::uint16_t port = 0;
    return endpoint != nullptr && ParseEndpoint(endpoint, host, port) &&
           m_socket.Connect(host, port, timeLimitMs);
}

bool StandinChannel::ReadReplyLine(std::string& line, int timeLimitMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeLimitMs);
    line.clear();
    // Replies come one per request, so nothing after the line feed is ever waiting.
    char buffer[512];
    while (line.find('\n') == std::string::npos) {
        const long n = m_socket.ReceiveSome(buffer, sizeof buffer, RemainingMs(deadline));
        if (n <= 0 || line.size() + static_cast<std::size_t>(n) > kMaxReplyBytes) {
            return false;
        }
        line.append(buffer, static_cast<std::size_t>(n));
    }
    line.erase(line.find('\n'));
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

bool StandinChannel::Request(std::string_view request, std::string& text, int timeLimitMs) {
    text.clear();
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeLimitMs);
    const int connectLimitMs = std::min(timeLimitMs, kConnectTimeLimitMs);
    std::string reply;
    if ((!m_socket.Connected() && !ConnectFromEnvironment(connectLimitMs)) ||
        !m_socket.SendAll(std::string(request) + "\n", RemainingMs(deadline)) ||
        !ReadReplyLine(reply, RemainingMs(deadline))) {
        m_socket.Close();
        return false;
    }
    if (reply == "OK") {
        return true;
    }
    if (reply.starts_with("OK ")) {
        text = reply.substr(3);
        return true;
    }
    return false;
}

}  // namespace standin
