#include "ports/network_port.h"

BOOL CBorenNetworkPort::GetDeviceId(CString& out) {
    return SnmpGetString(L".1.3.6.1.4.1.48203.3.2.1.1", out);
}

BOOL CBorenNetworkPort::SendBootFrameTo(std::uint16_t bootPort) {
    platform::Socket socket;
    return ConnectSocket(socket, bootPort) && SendBootFrame(socket) ? TRUE : FALSE;
}

BOOL CBorenNetworkPort::BeginUpdate() {
    return SendBootFrameTo(m_settings.ports.borenBoot);
}

BOOL CBorenNetworkPort::SendData(const void* data, std::uint32_t length, std::uint32_t chunkSize) {
    return SendRawData(data, length, chunkSize);
}

BOOL CSalixNetworkPort::BeginUpdate() {
    return SendBootFrameTo(m_settings.ports.salixBoot);
}
