#include <gtest/gtest.h>

#include "fakes/fake_usb_devices.h"
#include "ports/dll_port.h"
#include "ports/network_port.h"
#include "ports/system_port_factory.h"
#include "ports/usb_port.h"
#include "unit/ports/library_port_fixture.h"

namespace {

class PortFactoryTest : public LibraryPortTest {
  protected:
    fakes::FakeUsbDevices usb;
    SystemPortFactory factory{usb, services};
};

TEST_F(PortFactoryTest, UsbCodesGiveTheirPortsAndOthersNone) {
    EXPECT_NE(dynamic_cast<CKM410USBPort*>(factory.CreateUSBPort(0x21).get()), nullptr);
    // No library embedded: the port is still made, and its first operation fails.
    auto library = factory.CreateUSBPort(0x41);
    ASSERT_NE(dynamic_cast<CQZ70Port*>(library.get()), nullptr);
    CString identity;
    EXPECT_EQ(library->GetDeviceId(identity), FALSE);
    library->Close();
    for (int code : {0, 0x11, 0x20, 0x22, 0x40, 0x81}) {
        EXPECT_EQ(factory.CreateUSBPort(code), nullptr) << code;
    }
}

TEST_F(PortFactoryTest, NetworkIndexesGiveTheirPortsWithTheAddress) {
    constexpr std::uint32_t kAddress = 0x0200007F;  // 127.0.0.2 in network byte order
    for (unsigned index : {0u, 1u}) {
        auto port = factory.CreateNetworkPort(kAddress, index);
        auto* lpr = dynamic_cast<CLprNetworkPort*>(port.get());
        ASSERT_NE(lpr, nullptr) << index;
        EXPECT_EQ(lpr->m_alternateCode, static_cast<int>(index));
        EXPECT_EQ(lpr->m_address, kAddress);
    }
    auto boren = factory.CreateNetworkPort(kAddress, 2);
    const CPort& borenPort = *boren;
    EXPECT_EQ(typeid(borenPort), typeid(CBorenNetworkPort));
    EXPECT_EQ(static_cast<CNetworkPort&>(*boren).m_address, kAddress);
    auto salix = factory.CreateNetworkPort(kAddress, 3);
    const CPort& salixPort = *salix;
    EXPECT_EQ(typeid(salixPort), typeid(CSalixNetworkPort));
    auto remote = factory.CreateNetworkPort(kAddress, 0x70);
    ASSERT_NE(dynamic_cast<CTR880Port*>(remote.get()), nullptr);
    EXPECT_EQ(static_cast<CNetworkPort&>(*remote).m_address, kAddress);
    remote->Close();
    for (unsigned index : {4u, 0x10u, 0x6Fu, 0x71u}) {
        EXPECT_EQ(factory.CreateNetworkPort(kAddress, index), nullptr) << index;
    }
}

}  // namespace
