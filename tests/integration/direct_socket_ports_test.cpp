// CBorenNetworkPort and CSalixNetworkPort against the simulator's raw listeners:
// the boot frame on the class's boot port, the firmware stream on TCP 9100.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ports/network_port.h"
#include "printer_bytes.h"
#include "sim_printer.h"

namespace integration {
namespace {

using sim_test::SimProcess;

std::unique_ptr<CBorenNetworkPort> MakePort(bool salix, const SimProcess& sim) {
    const std::uint32_t address = NetworkAddress(sim.Address());
    if (salix) {
        return std::make_unique<CSalixNetworkPort>(address, ShortLimits());
    }
    return std::make_unique<CBorenNetworkPort>(address, ShortLimits());
}

TEST(DirectSocketPortsOnSimulator, BootFrameGoesToTheClassBootPortAlone) {
    const struct {
        bool salix;
        int bootPort;
        int otherBootPort;
    } cases[] = {{false, 9101, 9500}, {true, 9500, 9101}};
    int address = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bootPort);
        SimProcess sim("127.78.5." + std::to_string(address++));
        ASSERT_TRUE(MakePort(c.salix, sim)->BeginUpdate());
        EXPECT_EQ(EndedConnections(sim, c.bootPort), std::vector<std::string>{sim_test::kBootFrame})
            << sim.EventLog();
        EXPECT_EQ(sim.WaitFor("mode", "ok IPL"), "ok IPL");
        const std::string log = sim.EventLog();
        EXPECT_EQ(log.find("connection on TCP " + std::to_string(c.otherBootPort)),
                  std::string::npos);
        EXPECT_EQ(log.find("connection on TCP 9100"), std::string::npos);
    }
}

TEST(DirectSocketPortsOnSimulator, ARefusedBootPortFailsAndTheModeStays) {
    const struct {
        bool salix;
        const char* fault;
    } cases[] = {{false, "refuse-9101"}, {true, "refuse-9500"}};
    int address = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        SimProcess sim("127.78.6." + std::to_string(address++), {"--fault", c.fault});
        BOOL result = TRUE;
        const long long took =
            MillisecondsOf([&] { result = MakePort(c.salix, sim)->BeginUpdate(); });
        EXPECT_FALSE(result);
        EXPECT_LT(took, 1000);
        EXPECT_EQ(sim.Control("get mode"), "ok NORMAL");
    }
}

TEST(DirectSocketPortsOnSimulator, SendDataStreamsEveryByteOverOneConnection) {
    const struct {
        std::size_t length;
        std::uint32_t chunk;
    } cases[] = {
        {1178056, 0},  // the size of the firmware this build carries
        {2500, 1000},
        {1000, 4096},
        {0, 0},  // connects and closes
    };
    int address = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " bytes by " << c.chunk);
        SimProcess sim("127.78.7." + std::to_string(address++), {"--mode", "ipl"});
        const std::string payload =
            c.length == 0 ? std::string() : sim_test::FirmwarePayload("2.80", c.length - 32);
        ASSERT_EQ(payload.size(), c.length);
        EXPECT_TRUE(MakePort(false, sim)
                        ->SendData(payload.data(), static_cast<std::uint32_t>(c.length), c.chunk));
        EXPECT_EQ(EndedConnections(sim, 9100), std::vector<std::string>{payload}) << sim.EventLog();
    }
}

TEST(DirectSocketPortsOnSimulator, FaultsOnTheRawPortFailTheSendWithinItsLimit) {
    const std::string payload = sim_test::FirmwarePayload("2.80", 64u << 20);
    const struct {
        const char* label;
        std::vector<std::string> options;
        long long atLeastMs;
    } cases[] = {
        {"refused", {"--fault", "refuse-9100"}, 0},
        {"reset mid-transfer", {"--fault", "reset-9100", "--reset-after", "100000"}, 0},
        {"not reading", {"--fault", "stall-9100"}, kShortStall.count() - 50},
    };
    int address = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        SimProcess sim("127.78.8." + std::to_string(address++), c.options);
        BOOL result = TRUE;
        const long long took = MillisecondsOf([&] {
            result = MakePort(false, sim)
                         ->SendData(payload.data(), static_cast<std::uint32_t>(payload.size()), 0);
        });
        EXPECT_FALSE(result);
        EXPECT_GE(took, c.atLeastMs);
        EXPECT_LT(took, kShortStall.count() + 3000);
    }
}

}  // namespace
}  // namespace integration
