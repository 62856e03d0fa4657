// The simulator's connection faults and the stuck version.
#include <gtest/gtest.h>

#include "net_client.h"
#include "printer_bytes.h"
#include "sim_process.h"

namespace sim_test {
namespace {

TEST(PrinterSimFaults, RefusedPortsRejectConnectionsUntilSwitchedOff) {
    SimProcess sim("127.77.4.1");
    for (const unsigned short port : {515, 9100, 9101, 9500}) {
        SCOPED_TRACE(port);
        const std::string fault = "fault refuse-" + std::to_string(port);
        ASSERT_EQ(sim.Control(fault + " on"), "ok");
        EXPECT_FALSE(TcpClient(sim.Address(), port).Connected());
        ASSERT_EQ(sim.Control(fault + " off"), "ok");
        EXPECT_TRUE(TcpClient(sim.Address(), port).Connected());
    }
}

TEST(PrinterSimFaults, StalledPortStopsReadingAndResumesWhenSwitchedOff) {
    SimProcess sim("127.77.4.2", {"--fault", "stall-9100"});
    const std::string payload = FirmwarePayload("2.80", 64u << 20);
    TcpClient client(sim.Address(), 9100);
    ASSERT_TRUE(client.Connected());
    EXPECT_FALSE(client.Send(payload)) << "64 MiB went into a printer that reads nothing";
    ASSERT_EQ(sim.Control("fault stall-9100 off"), "ok");
    client.Close();
    EXPECT_TRUE(sim.WaitForEvent("connection on TCP 9100 ended")) << sim.EventLog();
}

TEST(PrinterSimFaults, ResetMidTransferAbortsTheFirmware) {
    SimProcess sim("127.77.4.3", {"--mode", "ipl", "--fault", "reset-9100", "--reset-after",
                                  "100000", "--install-time", "0"});
    const std::string payload = FirmwarePayload("2.80", 1u << 20);
    TcpClient client(sim.Address(), 9100);
    ASSERT_TRUE(client.Connected());
    // The whole payload may fit into the socket buffers before the reset arrives.
    static_cast<void>(client.Send(payload));
    EXPECT_TRUE(sim.WaitForEvent("fault reset-9100: reset after")) << sim.EventLog();
    EXPECT_EQ(client.Receive(), std::nullopt) << "no reset seen by the sender";
    EXPECT_TRUE(sim.WaitForEvent("(aborted)")) << sim.EventLog();
    EXPECT_EQ(sim.Control("get mode"), "ok IPL");
    EXPECT_EQ(sim.Control("get version"), "ok 2.70");
    const auto logged = sim.LoggedFiles("-tcp9100.bin");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_GE(logged[0].size(), 100000u);
    EXPECT_EQ(logged[0], payload.substr(0, logged[0].size()));
}

TEST(PrinterSimFaults, StuckVersionEndsTheInstallationWithTheOldVersion) {
    SimProcess sim("127.77.4.4",
                   {"--mode", "ipl", "--fault", "version-stuck", "--install-time", "100"});
    {
        TcpClient client(sim.Address(), 9100);
        ASSERT_TRUE(client.Send(FirmwarePayload("2.80", 1000)));
    }
    EXPECT_EQ(sim.WaitFor("mode", "ok NORMAL"), "ok NORMAL");
    EXPECT_EQ(sim.Control("get version"), "ok 2.70");
    EXPECT_NE(sim.Control("get state").find("installs=1"), std::string::npos);
}

}  // namespace
}  // namespace sim_test
