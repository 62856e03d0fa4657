// The factories of the port types: each port type code of the build gives its port
// class, built on the system services the ports need.
#pragma once

#include "ports/dll_port_services.h"
#include "ports/port_factory.h"

namespace platform {
class UsbDevices;
}

class SystemPortFactory final : public PortFactory {
  public:
    SystemPortFactory(platform::UsbDevices& usbDevices, const DllPortServices& libraryServices)
        : m_usbDevices(usbDevices), m_libraryServices(libraryServices) {}

    // 0x21 "USB" and 0x41 "DLL_USB"; null for any other code.
    std::unique_ptr<CPort> CreateUSBPort(int code) override;
    // 0 to 3 the LPR (open code 0 and 1) and direct-socket ports, 0x70 the remote-connect
    // port; null for any other index.
    std::unique_ptr<CPort> CreateNetworkPort(std::uint32_t address, unsigned index) override;

  private:
    platform::UsbDevices& m_usbDevices;
    DllPortServices m_libraryServices;
};
