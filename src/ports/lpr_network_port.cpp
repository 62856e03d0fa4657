#include <cstring>

#include "ports/boot_packet.h"
#include "ports/lpr_commands.h"
#include "ports/network_port.h"
#include "ports/open_codes.h"

namespace {

constexpr std::uint16_t kLprFallbackPort = 515;
// One receive of at most this much; bytes after the first are ignored.
constexpr std::size_t kAcknowledgementSize = 64;
constexpr std::string_view kPipeMonitor = "PIPE MONITOR";

}  // namespace

CLprNetworkPort::CLprNetworkPort(std::uint32_t address, int alternateCode,
                                 const NetworkSettings& settings)
    : CNetworkPort(address, settings), m_alternateCode(alternateCode) {}

BOOL CLprNetworkPort::GetDeviceId(CString& out) {
    return SnmpGetString(L".1.3.6.1.4.1.7391.2.2.2.1.24.1", out);
}

const char* CLprNetworkPort::GetOpenCode() {
    return kOpenCodeTable[m_alternateCode == 0 ? 0 : 1];
}

BOOL CLprNetworkPort::ReadAcknowledgement(platform::Socket& socket, bool closeAccepts) {
    char reply[kAcknowledgementSize];
    const long received = socket.Receive(reply, sizeof(reply), m_settings.timeouts.stall);
    if (received == 0) {
        return closeAccepts ? TRUE : FALSE;
    }
    return received > 0 && reply[0] == 0 ? TRUE : FALSE;
}

BOOL CLprNetworkPort::SendCommand(platform::Socket& socket, const std::string& command) {
    return SendBytes(socket, command.data(), command.size()) && ReadAcknowledgement(socket, false);
}

BOOL CLprNetworkPort::BeginLprJob(platform::Socket& socket) {
    const std::uint16_t port = m_settings.ports.lpr != 0
                                   ? m_settings.ports.lpr
                                   : platform::ServicePort("printer", "tcp", kLprFallbackPort);
    if (!ConnectSocket(socket, port) || !SendCommand(socket, std::string(kLprReceiveJob))) {
        socket.Close();
        return FALSE;
    }
    return TRUE;
}

BOOL CLprNetworkPort::SendLprDataFile(platform::Socket& socket, const void* data, std::uint32_t n) {
    const char end = kLprEndOfFile;
    if (SendCommand(socket, LprDataFileSubcommand(n)) && SendBytes(socket, data, n) &&
        SendBytes(socket, &end, 1) && ReadAcknowledgement(socket, true)) {
        return TRUE;
    }
    // Nothing further may go out on a connection whose job has failed.
    socket.Close();
    return FALSE;
}

BOOL CLprNetworkPort::BeginUpdate() {
    platform::Socket socket;
    const char* openCode = GetOpenCode();
    const auto bootPacket = BuildBootPacket();
    return BeginLprJob(socket) &&
                   SendLprDataFile(socket, openCode,
                                   static_cast<std::uint32_t>(std::strlen(openCode))) &&
                   SendLprDataFile(socket, kPipeMonitor.data(),
                                   static_cast<std::uint32_t>(kPipeMonitor.size())) &&
                   SendLprDataFile(socket, bootPacket.data(),
                                   static_cast<std::uint32_t>(bootPacket.size()))
               ? TRUE
               : FALSE;
}

BOOL CLprNetworkPort::SendData(const void* data, std::uint32_t length, std::uint32_t chunkSize) {
    const std::uint32_t chunk = chunkSize == 0 ? kDefaultChunkSize : chunkSize;
    platform::Socket socket;
    if (!BeginLprJob(socket)) {
        return FALSE;
    }
    const auto* next = static_cast<const std::uint8_t*>(data);
    for (std::uint32_t left = length; left > 0;) {
        const std::uint32_t n = left < chunk ? left : chunk;
        if (!SendLprDataFile(socket, next, n)) {
            return FALSE;
        }
        next += n;
        left -= n;
    }
    return TRUE;
}
