// SnmpGetString against net-snmp's snmpd, a real agent written by others: our
// request and our reading of its answers must agree with it.
#include <gtest/gtest.h>

#include "ports/network_port.h"
#include "sim_printer.h"
#include "snmpd_agent.h"

namespace integration {
namespace {

constexpr const char* kLprIdentity = ".1.3.6.1.4.1.7391.2.2.2.1.24.1";
constexpr const char* kDirectIdentity = ".1.3.6.1.4.1.48203.3.2.1.1";

TEST(RealSnmpAgent, ServedStringsAreReadByEachPortClass) {
    const std::string empty = ".1.3.6.1.4.1.48203.3.2.1.9";
    SnmpdAgent agent("127.78.9.1",
                     {{kLprIdentity, "MDL:QZ-70;VER:2.70;MODE:NORMAL;STATUS:00000000;"},
                      {kDirectIdentity, "MDL:QZ-70;VER:2.65;MODE:IPL;STATUS:80000000;"},
                      {empty, ""}});
    ASSERT_TRUE(agent.Ready()) << agent.Log();
    const std::uint32_t address = NetworkAddress("127.78.9.1");
    CLprNetworkPort lpr(address, 0);
    CSalixNetworkPort salix(address);
    CString lprIdentity;
    CString salixIdentity;
    EXPECT_TRUE(lpr.GetDeviceId(lprIdentity));
    EXPECT_TRUE(salix.GetDeviceId(salixIdentity));
    EXPECT_EQ(lprIdentity, L"MDL:QZ-70;VER:2.70;MODE:NORMAL;STATUS:00000000;");
    EXPECT_EQ(salixIdentity, L"MDL:QZ-70;VER:2.65;MODE:IPL;STATUS:80000000;");
    CString emptyValue = L"old";
    EXPECT_TRUE(salix.SnmpGetString(L".1.3.6.1.4.1.48203.3.2.1.9", emptyValue));
    EXPECT_EQ(emptyValue, L"");
}

TEST(RealSnmpAgent, AnUnservedIdentifierIsNoSuchNameAndFails) {
    SnmpdAgent agent("127.78.9.2", {{kLprIdentity, "MDL:QZ-70;"}});
    ASSERT_TRUE(agent.Ready()) << agent.Log();
    NetworkSettings settings;
    settings.timeouts.snmpResponse = std::chrono::seconds(3);
    // The direct-socket identifier is not served by this agent.
    CBorenNetworkPort port(NetworkAddress("127.78.9.2"), settings);
    CString result = L"old";
    BOOL ok = TRUE;
    const long long took = MillisecondsOf([&] { ok = port.GetDeviceId(result); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(result, L"old");
    EXPECT_LT(took, 1000) << "the error answer ends the wait, not the time limit";
}

TEST(RealSnmpAgent, AnAddressWithoutAnAgentFailsAfterTheProductLimit) {
    CLprNetworkPort port(NetworkAddress("127.78.9.99"), 0);
    CString result = L"old";
    BOOL ok = TRUE;
    const long long took = MillisecondsOf([&] { ok = port.GetDeviceId(result); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(result, L"old");
    EXPECT_GE(took, 150);
    EXPECT_LT(took, 1000);
}

}  // namespace
}  // namespace integration
