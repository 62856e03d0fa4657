// GetDeviceId of each network port class through SNMP from the simulator's agent.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/text_codec.h"
#include "ports/network_port.h"
#include "sim_printer.h"

namespace integration {
namespace {

using sim_test::SimProcess;

// The identifier, and its NULL value, as BER bytes of the request.
const std::string kLprIdentityBinding(
    "\x06\x0D\x2B\x06\x01\x04\x01\xB9\x5F\x02\x02\x02\x01\x18\x01\x05\x00", 17);
const std::string kDirectIdentityBinding(
    "\x06\x0C\x2B\x06\x01\x04\x01\x82\xF8\x4B\x03\x02\x01\x01\x05\x00", 16);
const std::string kVersion1Public("\x02\x01\x00\x04\x06public", 11);

std::unique_ptr<CPort> MakePort(int kind, std::uint32_t address, const NetworkSettings& settings) {
    switch (kind) {
        case 0:
        case 1:
            return std::make_unique<CLprNetworkPort>(address, kind, settings);
        case 2:
            return std::make_unique<CBorenNetworkPort>(address, settings);
        default:
            return std::make_unique<CSalixNetworkPort>(address, settings);
    }
}

TEST(IdentityFromSimulator, EachPortClassReadsItsIdentifier) {
    const struct {
        const char* label;
        int kind;
        const char* statusFormat;
        const std::string& binding;
    } cases[] = {
        {"LPR, open code 0", 0, "-1", kLprIdentityBinding},
        {"LPR, open code 1", 1, "0", kLprIdentityBinding},
        {"Boren", 2, "0", kDirectIdentityBinding},
        {"Salix", 3, "0", kDirectIdentityBinding},
    };
    int address = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        SimProcess sim("127.78.10." + std::to_string(address++),
                       {"--status-format", c.statusFormat, "--version", "2.71"});
        const std::string identity = sim.Control("get identity").substr(3);
        ASSERT_NE(identity.find("VER:2.71"), std::string::npos) << identity;
        const auto port = MakePort(c.kind, NetworkAddress(sim.Address()), ShortLimits());
        CString result;
        EXPECT_TRUE(port->GetDeviceId(result));
        EXPECT_EQ(result, platform::AnsiToWide(identity));
        ASSERT_TRUE(sim.WaitForEvent("answered")) << sim.EventLog();
        const auto requests = sim.LoggedFiles("-snmp.bin");
        ASSERT_EQ(requests.size(), 1u) << "one request, no retry";
        EXPECT_NE(requests[0].find(kVersion1Public), std::string::npos);
        EXPECT_NE(requests[0].find(c.binding), std::string::npos);
    }
}

TEST(IdentityFromSimulator, AnAgentThatFailsLeavesTheResultAlone) {
    const struct {
        const char* fault;
        std::chrono::milliseconds limit;
        long long atLeastMs;  // a failed answer ends the wait; ignored datagrams do not
        long long belowMs;
    } cases[] = {
        {"snmp-silent", std::chrono::milliseconds(200), 150, 1000},
        {"snmp-garbage", std::chrono::milliseconds(200), 150, 1000},
        {"snmp-silent", std::chrono::milliseconds(700), 650, 1500},  // the injected limit holds
        {"snmp-error", std::chrono::milliseconds(2000), 0, 1000},
    };
    int address = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fault << " within " << c.limit.count() << " ms");
        SimProcess sim("127.78.11." + std::to_string(address++), {"--fault", c.fault});
        NetworkSettings settings = ShortLimits();
        settings.timeouts.snmpResponse = c.limit;
        CBorenNetworkPort port(NetworkAddress(sim.Address()), settings);
        CString result = L"old";
        BOOL ok = TRUE;
        const long long took = MillisecondsOf([&] { ok = port.GetDeviceId(result); });
        EXPECT_FALSE(ok);
        EXPECT_EQ(result, L"old");
        EXPECT_GE(took, c.atLeastMs);
        EXPECT_LT(took, c.belowMs);
    }
}

}  // namespace
}  // namespace integration
