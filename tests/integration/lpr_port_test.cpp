// CLprNetworkPort against the simulator's LPD on TCP 515: the bytes as the printer
// received them, the cutting into data files, and the printer's refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ports/network_port.h"
#include "ports/open_codes.h"
#include "printer_bytes.h"
#include "sim_printer.h"

namespace integration {
namespace {

using sim_test::SimProcess;

// Written out byte by byte, so that the port's own construction is checked.
const std::string kReceiveJobOnWire("\x02\x25\x6C\x70\x31\x20\x78\x0A", 8);
const std::string kSubcommandFor12("\x03\x31\x32\x20\x78\x0A", 6);
const std::string kSubcommandFor102400("\x03\x31\x30\x32\x34\x30\x30\x20\x78\x0A", 10);

std::string Subcommand(std::size_t count) {
    return "\x03" + std::to_string(count) + " x\n";
}

std::string DataFile(const std::string& bytes) {
    return Subcommand(bytes.size()) + bytes + '\0';
}

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 13 + i / 256);
    }
    return bytes;
}

TEST(LprPortOnSimulator, BeginUpdateSendsTheBootJobAndThePrinterEntersTheLoaderMode) {
    std::vector<std::string> openCodes;
    for (const int alternateCode : {0, 1}) {
        SCOPED_TRACE(alternateCode);
        SimProcess sim("127.78.1." + std::to_string(1 + alternateCode));
        CLprNetworkPort port(NetworkAddress(sim.Address()), alternateCode, ShortLimits());
        ASSERT_TRUE(port.BeginUpdate());

        const std::vector<std::string> wire = EndedConnections(sim, 515);
        ASSERT_EQ(wire.size(), 1u) << sim.EventLog();
        const std::string openCode = kOpenCodeTable[alternateCode];
        EXPECT_EQ(wire[0], kReceiveJobOnWire + Subcommand(510) + openCode + '\0' +
                               kSubcommandFor12 + "PIPE MONITOR" + '\0' + Subcommand(21) +
                               sim_test::kBootPacket + '\0');
        EXPECT_EQ(sim.LoggedFiles("-lpd-file1.bin"), std::vector<std::string>{openCode});
        EXPECT_EQ(sim.WaitFor("mode", "ok IPL"), "ok IPL") << sim.EventLog();
        openCodes.push_back(openCode);
    }
    EXPECT_NE(openCodes[0], openCodes[1]) << "the two port types send different access codes";
}

TEST(LprPortOnSimulator, SendDataCutsThePayloadIntoDataFilesOfOneJob) {
    const struct {
        std::uint32_t length;
        std::uint32_t chunk;
        std::vector<std::size_t> files;
    } cases[] = {
        {204800, 0, {102400, 102400}},  // an exact multiple: no empty file follows
        {250000, 0, {102400, 102400, 45200}},
        {1000, 4096, {1000}},  // a chunk larger than the length
        {0, 0, {}},            // a job without data files
    };
    int address = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " bytes by " << c.chunk);
        SimProcess sim("127.78.2." + std::to_string(address++));
        CLprNetworkPort port(NetworkAddress(sim.Address()), 0, ShortLimits());
        const std::string payload = Pattern(c.length);
        ASSERT_TRUE(port.SendData(payload.data(), c.length, c.chunk));

        const std::vector<std::string> wire = EndedConnections(sim, 515);
        ASSERT_EQ(wire.size(), 1u) << sim.EventLog();
        std::string expected = kReceiveJobOnWire;
        std::size_t at = 0;
        for (const std::size_t size : c.files) {
            expected += DataFile(payload.substr(at, size));
            at += size;
        }
        EXPECT_EQ(wire[0], expected);
        EXPECT_EQ(AnnouncedDataFiles(sim), c.files);
        if (!c.files.empty() && c.files[0] == 102400) {
            EXPECT_EQ(wire[0].substr(kReceiveJobOnWire.size(), 10), kSubcommandFor102400);
        }
    }
}

TEST(LprPortOnSimulator, ARefusalOrACloseEndsTheJobAtOnce) {
    const std::string job = kReceiveJobOnWire;
    const std::string openCodeFile = DataFile(kOpenCodeTable[0]);
    const std::string payload = Pattern(250000);
    const struct {
        const char* fault;
        bool beginUpdate;  // else SendData of `payload`
        std::string wire;
    } cases[] = {
        {"lpd-nak-job", true, job},
        {"lpd-close-after-job", true, job},
        {"lpd-nak-subcommand", true, job + Subcommand(510)},
        {"lpd-close-after-subcommand", true, job + Subcommand(510)},
        {"lpd-nak-data", true, job + openCodeFile},
        {"lpd-nak-data", false, job + DataFile(payload.substr(0, 102400))},
        {"lpd-close-after-subcommand", false, job + kSubcommandFor102400},
    };
    int address = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.fault << (c.beginUpdate ? " BeginUpdate" : " SendData"));
        SimProcess sim("127.78.3." + std::to_string(address++), {"--fault", c.fault});
        // A limit well above the bound below, so that only an answer can end the job in time.
        NetworkSettings patient;
        patient.timeouts.stall = std::chrono::seconds(5);
        CLprNetworkPort port(NetworkAddress(sim.Address()), 0, patient);
        BOOL result = TRUE;
        const long long took = MillisecondsOf([&] {
            result = c.beginUpdate ? port.BeginUpdate() : port.SendData(payload.data(), 250000, 0);
        });
        EXPECT_FALSE(result);
        EXPECT_LT(took, 2000) << "the answer ended the job, not a time-out";
        EXPECT_EQ(EndedConnections(sim, 515), std::vector<std::string>{c.wire}) << sim.EventLog();
        EXPECT_EQ(sim.Control("get mode"), "ok NORMAL");
    }
}

TEST(LprPortOnSimulator, RefusedOrResetConnectionsFailTheSend) {
    const std::string payload = Pattern(4u << 20);
    const struct {
        const char* label;
        std::vector<std::string> options;
    } cases[] = {
        {"refused", {"--fault", "refuse-515"}},
        {"reset mid-transfer", {"--fault", "reset-515", "--reset-after", "150000"}},
    };
    int address = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        SimProcess sim("127.78.4." + std::to_string(address++), c.options);
        CLprNetworkPort port(NetworkAddress(sim.Address()), 0, ShortLimits());
        BOOL result = TRUE;
        const long long took = MillisecondsOf([&] {
            result = port.SendData(payload.data(), static_cast<std::uint32_t>(payload.size()), 0);
        });
        EXPECT_FALSE(result);
        EXPECT_LT(took, 3000);
    }
}

TEST(LprPortOnSimulator, AnUnansweredJobFailsAfterTheStallLimitAndNothingFollows) {
    SimProcess sim("127.78.4.10", {"--fault", "stall-515"});
    CLprNetworkPort port(NetworkAddress(sim.Address()), 0, ShortLimits());
    BOOL result = TRUE;
    const long long took = MillisecondsOf([&] { result = port.BeginUpdate(); });
    EXPECT_FALSE(result);
    EXPECT_GE(took, kShortStall.count() - 50);
    EXPECT_LT(took, kShortStall.count() + 2000);
    // Reading again, the printer finds the job command and the close, nothing else.
    ASSERT_EQ(sim.Control("fault stall-515 off"), "ok");
    EXPECT_EQ(EndedConnections(sim, 515), std::vector<std::string>{kReceiveJobOnWire})
        << sim.EventLog();
}

}  // namespace
}  // namespace integration
