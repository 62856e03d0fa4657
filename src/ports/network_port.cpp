#include <cstring>

#include "platform/text_codec.h"
#include "ports/boot_packet.h"
#include "ports/network_port.h"
#include "ports/snmp_get.h"

namespace {

// The identifier goes through a 64-byte buffer: at most 63 characters.
constexpr std::size_t kLongestOid = 63;

}  // namespace

BOOL CNetworkPort::ConnectSocket(platform::Socket& socket, std::uint16_t port) {
    return socket.ConnectTcp({m_address, port}, m_settings.timeouts.connect) ? TRUE : FALSE;
}

BOOL CNetworkPort::SnmpGetString(const CString& oid, CString& result) {
    const std::string text = platform::WideToAnsi(oid);
    if (text.size() > kLongestOid) {
        return FALSE;
    }
    const std::optional<std::string> name = EncodeObjectIdentifier(text);
    if (!name) {
        return FALSE;
    }
    const std::optional<std::string> value = SnmpGetOctetString(
        {m_address, m_settings.ports.snmp}, *name, m_settings.timeouts.snmpResponse);
    if (!value) {
        return FALSE;
    }
    result = platform::AnsiToWide(*value);
    return TRUE;
}

BOOL CNetworkPort::SendBytes(platform::Socket& socket, const void* data, std::size_t size) {
    return socket.SendAll(data, size, m_settings.timeouts.stall) ? TRUE : FALSE;
}

BOOL CNetworkPort::SendBootFrame(platform::Socket& socket) {
    const auto frame = BuildBootFrame();
    return SendBytes(socket, frame.data(), frame.size());
}

BOOL CNetworkPort::SendRawData(const void* data, std::uint32_t length, std::uint32_t chunkSize) {
    platform::Socket socket;
    if (!ConnectSocket(socket, m_settings.ports.raw)) {
        return FALSE;
    }
    const std::uint32_t chunk = chunkSize == 0 ? kDefaultChunkSize : chunkSize;
    const auto* next = static_cast<const std::uint8_t*>(data);
    for (std::uint32_t left = length; left > 0;) {
        const std::uint32_t n = left < chunk ? left : chunk;
        if (!SendBytes(socket, next, n)) {
            return FALSE;
        }
        next += n;
        left -= n;
    }
    return TRUE;
}
