// The simulator's LPD: acknowledgements, the boot job and firmware sent as a job.
#include <gtest/gtest.h>

#include "net_client.h"
#include "printer_bytes.h"
#include "sim_process.h"

namespace sim_test {
namespace {

const std::string kAck(1, '\0');

std::string Subcommand(std::size_t count) {
    return "\x03" + std::to_string(count) + " x\n";
}

// Sends one job of data files, checking every acknowledgement; the bytes sent.
std::string SendJob(const std::string& address, const std::vector<std::string>& files) {
    TcpClient lpd(address, 515);
    EXPECT_TRUE(lpd.Connected());
    std::string sent = kReceiveJob;
    EXPECT_TRUE(lpd.Send(kReceiveJob));
    EXPECT_EQ(lpd.Receive(), kAck) << "receive-job command";
    for (const auto& file : files) {
        EXPECT_TRUE(lpd.Send(Subcommand(file.size())));
        EXPECT_EQ(lpd.Receive(), kAck) << "subcommand for " << file.size() << " bytes";
        EXPECT_TRUE(lpd.Send(file + kAck));
        EXPECT_EQ(lpd.Receive(), kAck) << "end of a file of " << file.size() << " bytes";
        sent += Subcommand(file.size()) + file + kAck;
    }
    return sent;
}

std::string OpenCode() {
    return "OPEN CODE=" + std::string(500, 'K');
}

TEST(PrinterSimLpd, BootJobSwitchesToTheLoaderModeAndIsLoggedExactly) {
    SimProcess sim("127.77.2.1");
    const std::vector<std::string> files = {OpenCode(), "PIPE MONITOR", kBootPacket};
    const std::string sent = SendJob(sim.Address(), files);
    EXPECT_EQ(sim.WaitFor("mode", "ok IPL"), "ok IPL");
    EXPECT_EQ(sim.LoggedFiles("-tcp515.bin"), std::vector<std::string>{sent});
    const std::vector<std::string> logged = {sim.LoggedFiles("-lpd-file1.bin").at(0),
                                             sim.LoggedFiles("-lpd-file2.bin").at(0),
                                             sim.LoggedFiles("-lpd-file3.bin").at(0)};
    EXPECT_EQ(logged, files);
}

TEST(PrinterSimLpd, JobWithoutTheBootPacketLeavesTheModeAlone) {
    SimProcess sim("127.77.2.2");
    SendJob(sim.Address(), {OpenCode(), "PIPE MONITOR", kBootPacket.substr(0, 20) + "\xE9"});
    EXPECT_TRUE(sim.WaitForEvent("refused: not in the loader mode")) << sim.EventLog();
    EXPECT_EQ(sim.Control("get mode"), "ok NORMAL");
}

TEST(PrinterSimLpd, FirmwareJobInTheLoaderModeInstallsItsVersion) {
    SimProcess sim("127.77.2.3", {"--mode", "ipl", "--install-time", "300"});
    const std::string payload = FirmwarePayload("2.80", 250000);
    // Three data files as the installer cuts them: 102400, 102400 and the rest.
    SendJob(sim.Address(),
            {payload.substr(0, 102400), payload.substr(102400, 102400), payload.substr(204800)});
    EXPECT_EQ(sim.WaitFor("version", "ok 2.80"), "ok 2.80");
    EXPECT_EQ(sim.Control("get mode"), "ok NORMAL");
}

TEST(PrinterSimLpd, OtherCommandsAndMalformedSubcommandsEndTheConnection) {
    SimProcess sim("127.77.2.4");
    struct Case {
        const char* label;
        std::string afterJob;  // empty: the first line is not a receive-job command
        std::string first;
        std::optional<std::string> reply;
    } const cases[] = {
        {"print-waiting command", "",
         "\x01"
         "lp\n",
         ""},
        {"subcommand without a count", "yes", "\x03 x\n", "\x01"},
        {"subcommand with a sign", "yes", "\x03-5 x\n", "\x01"},
        {"unknown subcommand", "yes",
         "\x07"
         "5 x\n",
         "\x01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TcpClient lpd(sim.Address(), 515);
        if (!c.afterJob.empty()) {
            ASSERT_TRUE(lpd.Send(kReceiveJob));
            ASSERT_EQ(lpd.Receive(), kAck);
        }
        ASSERT_TRUE(lpd.Send(c.first));
        EXPECT_EQ(lpd.Receive(), c.reply);
        EXPECT_TRUE(lpd.WaitClosed());
    }
}

TEST(PrinterSimLpd, AcknowledgementFaults) {
    SimProcess sim("127.77.2.5");
    struct Case {
        const char* fault;
        int filesAcknowledged;  // -1: the receive-job command is not acknowledged
        bool nak;               // a 0x01 answer; otherwise the printer closes silently
        bool subcommandAcknowledged;
    } const cases[] = {
        {"lpd-close-after-job", -1, false, false},
        {"lpd-nak-job", -1, true, false},
        {"lpd-close-after-subcommand", 0, false, false},
        {"lpd-nak-subcommand", 0, true, false},
        {"lpd-nak-data", 0, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        ASSERT_EQ(sim.Control(std::string("fault ") + c.fault + " on"), "ok");
        TcpClient lpd(sim.Address(), 515);
        ASSERT_TRUE(lpd.Send(kReceiveJob));
        const std::string refusal = c.nak ? "\x01" : "";
        if (c.filesAcknowledged < 0) {
            EXPECT_EQ(lpd.Receive(), refusal);
        } else {
            ASSERT_EQ(lpd.Receive(), kAck);
            ASSERT_TRUE(lpd.Send(Subcommand(kBootPacket.size())));
            if (c.subcommandAcknowledged) {
                ASSERT_EQ(lpd.Receive(), kAck);
                ASSERT_TRUE(lpd.Send(kBootPacket + kAck));
            }
            EXPECT_EQ(lpd.Receive(), refusal);
        }
        EXPECT_TRUE(lpd.WaitClosed());
        ASSERT_EQ(sim.Control(std::string("fault ") + c.fault + " off"), "ok");
    }
    EXPECT_EQ(sim.Control("get mode"), "ok NORMAL") << "a refused boot job switched the mode";
}

}  // namespace
}  // namespace sim_test
