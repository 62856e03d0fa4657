// Each network port takes the simulated printer through an update the way the
// updater drives it: identity, boot command, loader mode, firmware, new version.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ports/network_port.h"
#include "printer_bytes.h"
#include "sim_printer.h"

namespace integration {
namespace {

using sim_test::SimProcess;

TEST(UpdateOnSimulator, EveryNetworkPortInstallsTheFirmware) {
    const std::string firmware = sim_test::FirmwarePayload("2.80", 300000);
    const char* labels[] = {"LPR, open code 0", "LPR, open code 1", "Boren", "Salix"};
    for (int kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE(labels[kind]);
        SimProcess sim("127.78.12." + std::to_string(kind + 1), {"--install-time", "500"});
        const std::uint32_t address = NetworkAddress(sim.Address());
        std::unique_ptr<CPort> port;
        if (kind < 2) {
            port = std::make_unique<CLprNetworkPort>(address, kind, ShortLimits());
        } else if (kind == 2) {
            port = std::make_unique<CBorenNetworkPort>(address, ShortLimits());
        } else {
            port = std::make_unique<CSalixNetworkPort>(address, ShortLimits());
        }
        CString identity;
        ASSERT_TRUE(port->GetDeviceId(identity));
        EXPECT_NE(identity.find(L"VER:2.70;MODE:NORMAL;"), CString::npos) << identity;

        ASSERT_TRUE(port->BeginUpdate());
        identity = WaitForIdentity(*port, L"MODE:IPL;");
        ASSERT_NE(identity.find(L"MODE:IPL;"), CString::npos) << sim.EventLog();

        ASSERT_TRUE(
            port->SendData(firmware.data(), static_cast<std::uint32_t>(firmware.size()), 0));
        identity.clear();
        EXPECT_TRUE(port->GetDeviceId(identity));
        EXPECT_NE(identity.find(L"VER:2.70;"), CString::npos) << "still installing: " << identity;
        identity = WaitForIdentity(*port, L"VER:2.80;MODE:NORMAL;");
        EXPECT_NE(identity.find(L"VER:2.80;MODE:NORMAL;"), CString::npos) << sim.EventLog();
        EXPECT_TRUE(
            sim.WaitForEvent("firmware of " + std::to_string(firmware.size()) + " bytes accepted"));
    }
}

}  // namespace
}  // namespace integration
