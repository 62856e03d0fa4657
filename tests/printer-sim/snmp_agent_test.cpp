// The simulator's SNMP agent, asked with test-side datagrams.
#include <gtest/gtest.h>

#include "net_client.h"
#include "sim_process.h"

namespace sim_test {
namespace {

constexpr const char* kLprObject = ".1.3.6.1.4.1.7391.2.2.2.1.24.1";
constexpr const char* kDirectObject = ".1.3.6.1.4.1.48203.3.2.1.1";

std::string AskIdentity(const SimProcess& sim, const char* object) {
    const auto datagram = SnmpGet(sim.Address(), object);
    if (!datagram) {
        return "(no answer)";
    }
    const auto answer = ParseSnmpAnswer(*datagram);
    if (!answer || answer->errorStatus != 0 || answer->valueTag != 0x04) {
        return "(not an OCTET STRING answer)";
    }
    return answer->value;
}

TEST(PrinterSimSnmp, IdentityCarriesTheStatusWordInTheChosenFormat) {
    struct Case {
        const char* address;
        const char* format;
        const char* subPower;
        const char* status;
    } const cases[] = {
        {"127.77.1.1", "-1", "off", "80000000"},
        {"127.77.1.2", "-1", "on", "00000000"},
        {"127.77.1.3", "0", "off",
         "020400000108"
         "80000000"},
        {"127.77.1.4", "0", "on",
         "020400000108"
         "00000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("format ") + c.format + ", sub power " + c.subPower);
        SimProcess sim(c.address, {"--status-format", c.format, "--sub-power", c.subPower});
        const std::string expected =
            std::string("MDL:QZ-70;VER:2.70;MODE:NORMAL;STATUS:") + c.status + ";";
        EXPECT_EQ(AskIdentity(sim, kLprObject), expected);
        EXPECT_EQ(AskIdentity(sim, kDirectObject), expected);
    }
}

TEST(PrinterSimSnmp, ControlChangesWhatTheAgentReports) {
    SimProcess sim("127.77.1.5");
    ASSERT_EQ(sim.Control("set sub-power off"), "ok");
    ASSERT_EQ(sim.Control("set mode ipl"), "ok");
    ASSERT_EQ(sim.Control("set version 2.80"), "ok");
    EXPECT_EQ(AskIdentity(sim, kDirectObject), "MDL:QZ-70;VER:2.80;MODE:IPL;STATUS:80000000;");
    ASSERT_EQ(sim.Control("fault wrong-model on"), "ok");
    EXPECT_EQ(AskIdentity(sim, kDirectObject), "MDL:qz-70;VER:2.80;MODE:IPL;STATUS:80000000;");
    EXPECT_EQ(sim.Control("fault no-such-fault on"), "error unknown fault 'no-such-fault'");
    EXPECT_EQ(sim.Control("set status-format 7").rfind("error", 0), 0u);
}

TEST(PrinterSimSnmp, OtherObjectsGetNoSuchName) {
    SimProcess sim("127.77.1.6");
    const auto datagram = SnmpGet(sim.Address(), ".1.3.6.1.2.1.1.1.0");
    ASSERT_TRUE(datagram);
    const auto answer = ParseSnmpAnswer(*datagram);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->errorStatus, 2);
    EXPECT_EQ(answer->valueTag, 0x05);
}

TEST(PrinterSimSnmp, MalformedDatagramsAreIgnoredAndLoggedExactly) {
    SimProcess sim("127.77.1.7");
    const std::string garbage[] = {
        std::string("\x30", 1),
        std::string("\x30\x05\x02\x01\x00\x04\x06", 7),         // length past the end
        std::string("\x30\x80\x02\x01\x00\x00\x00", 7),         // indefinite length
        std::string("\x30\x84\xFF\xFF\xFF\xFF\x02", 7),         // huge length
        std::string("\x30\x0B\x02\x01\x01\x04\x06public", 13),  // version 2c, no PDU
        std::string("\x30\x10\x02\x01\x00\x04\x06public\xA0\x03\x02\x01", 18),  // cut PDU
    };
    for (const auto& datagram : garbage) {
        EXPECT_FALSE(SnmpExchange(sim.Address(), datagram)) << "answered a malformed datagram";
    }
    EXPECT_FALSE(SnmpGet(sim.Address(), kDirectObject, "private")) << "answered another community";
    EXPECT_EQ(AskIdentity(sim, kDirectObject), "MDL:QZ-70;VER:2.70;MODE:NORMAL;STATUS:00000000;");
    const auto logged = sim.LoggedFiles("-snmp.bin");
    ASSERT_EQ(logged.size(), std::size(garbage) + 2);
    for (std::size_t i = 0; i < std::size(garbage); ++i) {
        EXPECT_EQ(logged[i], garbage[i]) << "datagram " << i;
    }
}

TEST(PrinterSimSnmp, SnmpFaults) {
    SimProcess sim("127.77.1.8");
    ASSERT_EQ(sim.Control("fault snmp-silent on"), "ok");
    EXPECT_FALSE(SnmpGet(sim.Address(), kDirectObject));
    ASSERT_EQ(sim.Control("fault snmp-silent off"), "ok");

    ASSERT_EQ(sim.Control("fault snmp-error on"), "ok");
    const auto error = SnmpGet(sim.Address(), kDirectObject);
    ASSERT_TRUE(error);
    const auto answer = ParseSnmpAnswer(*error);
    ASSERT_TRUE(answer);
    EXPECT_NE(answer->errorStatus, 0);
    ASSERT_EQ(sim.Control("fault snmp-error off"), "ok");

    ASSERT_EQ(sim.Control("fault snmp-garbage on"), "ok");
    const auto garbage = SnmpGet(sim.Address(), kDirectObject);
    ASSERT_TRUE(garbage);
    EXPECT_FALSE(ParseSnmpAnswer(*garbage));
}

}  // namespace
}  // namespace sim_test
