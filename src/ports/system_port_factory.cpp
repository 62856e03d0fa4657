#include "ports/system_port_factory.h"

#include "ports/dll_port.h"
#include "ports/network_port.h"
#include "ports/usb_port.h"

std::unique_ptr<CPort> SystemPortFactory::CreateUSBPort(int code) {
    switch (code) {
        case 0x21:
            return std::make_unique<CKM410USBPort>(m_usbDevices);
        case 0x41:
            return std::make_unique<CQZ70Port>(m_libraryServices);
        default:
            return nullptr;
    }
}

std::unique_ptr<CPort> SystemPortFactory::CreateNetworkPort(std::uint32_t address, unsigned index) {
    switch (index) {
        case 0:
            return std::make_unique<CLprNetworkPort>(address, 0);
        case 1:
            return std::make_unique<CLprNetworkPort>(address, 1);
        case 2:
            return std::make_unique<CBorenNetworkPort>(address);
        case 3:
            return std::make_unique<CSalixNetworkPort>(address);
        case 0x70:
            return std::make_unique<CTR880Port>(address, m_libraryServices);
        default:
            return nullptr;
    }
}
