// The simulator's raw ports: the boot frame, firmware on 9100 and the installation.
#include <gtest/gtest.h>

#include "net_client.h"
#include "printer_bytes.h"
#include "sim_process.h"

namespace sim_test {
namespace {

bool SendAndClose(const std::string& address, unsigned short port, const std::string& bytes) {
    TcpClient client(address, port);
    return client.Connected() && client.Send(bytes);
}

TEST(PrinterSimRawPorts, BootFrameOnEachBootPortSwitchesToTheLoaderMode) {
    struct Case {
        const char* address;
        unsigned short port;
    } const cases[] = {{"127.77.3.1", 9101}, {"127.77.3.2", 9500}, {"127.77.3.3", 9100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.port);
        SimProcess sim(c.address);
        ASSERT_TRUE(SendAndClose(sim.Address(), c.port, kBootFrame));
        EXPECT_EQ(sim.WaitFor("mode", "ok IPL"), "ok IPL");
        EXPECT_EQ(sim.LoggedFiles("-tcp" + std::to_string(c.port) + ".bin"),
                  std::vector<std::string>{kBootFrame});
    }
}

TEST(PrinterSimRawPorts, AnythingButTheExactFrameIsNoBootCommand) {
    SimProcess sim("127.77.3.4");
    std::string wrongCheck = kBootFrame;
    wrongCheck.back() = '\xB8';
    for (const std::string& bytes : {wrongCheck, kBootFrame + "x", kBootPacket}) {
        ASSERT_TRUE(SendAndClose(sim.Address(), 9101, bytes));
    }
    ASSERT_TRUE(sim.WaitForEvent("0003-tcp9101.bin")) << sim.EventLog();
    EXPECT_EQ(sim.Control("get mode"), "ok NORMAL");
}

TEST(PrinterSimRawPorts, FirmwareInTheLoaderModeIsInstalledAfterTheInstallTime) {
    SimProcess sim("127.77.3.5", {"--install-time", "1000", "--sub-power", "off"});
    ASSERT_TRUE(SendAndClose(sim.Address(), 9101, kBootFrame));
    ASSERT_EQ(sim.WaitFor("mode", "ok IPL"), "ok IPL");
    const std::string payload = FirmwarePayload("2.80", 300000);
    ASSERT_TRUE(SendAndClose(sim.Address(), 9100, payload));
    ASSERT_TRUE(sim.WaitForEvent("accepted: installing")) << sim.EventLog();
    const std::string installing = sim.Control("get state");
    EXPECT_NE(installing.find("installing=yes"), std::string::npos) << installing;
    EXPECT_NE(installing.find("mode=IPL"), std::string::npos) << installing;
    EXPECT_NE(installing.find("version=2.70"), std::string::npos) << installing;
    EXPECT_EQ(sim.WaitFor("version", "ok 2.80"), "ok 2.80");
    EXPECT_EQ(sim.Control("get identity"), "ok MDL:QZ-70;VER:2.80;MODE:NORMAL;STATUS:80000000;");
    EXPECT_EQ(sim.LoggedFiles("-tcp9100.bin"), std::vector<std::string>{payload});
}

TEST(PrinterSimRawPorts, FirmwareHeaderVersionIsTheLastRunOfDigitsAndPoints) {
    struct Case {
        const char* address;
        std::string header;  // the 22 bytes after the magic and product code
        const char* version;
    } const cases[] = {
        {"127.77.3.6", std::string(18, ' ') + "2.80", "ok 2.80"},
        {"127.77.3.7", "2.80" + std::string(18, ' '), "ok 2.80"},
        {"127.77.3.8", "V1.0 build V3.15      ", "ok 3.15"},
        {"127.77.3.9", "   2.81" + std::string(1, '\0') + "9.99" + std::string(10, ' '), "ok 2.81"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        SimProcess sim(c.address, {"--mode", "ipl", "--install-time", "0"});
        ASSERT_TRUE(SendAndClose(sim.Address(), 9100, "PUF1070168" + c.header + "body"));
        EXPECT_EQ(sim.WaitFor("version", c.version), c.version);
    }
}

TEST(PrinterSimRawPorts, FirmwareIsRefusedOutsideTheLoaderModeOrWithoutTheMagic) {
    SimProcess sim("127.77.3.10", {"--install-time", "0"});
    ASSERT_TRUE(SendAndClose(sim.Address(), 9100, FirmwarePayload("2.80", 1000)));
    EXPECT_TRUE(sim.WaitForEvent("refused: not in the loader mode")) << sim.EventLog();
    ASSERT_EQ(sim.Control("set mode ipl"), "ok");
    std::string wrongMagic = FirmwarePayload("2.80", 1000);
    wrongMagic[3] = '2';
    ASSERT_TRUE(SendAndClose(sim.Address(), 9100, wrongMagic));
    EXPECT_TRUE(sim.WaitForEvent("refused: no PUF1 magic")) << sim.EventLog();
    EXPECT_EQ(sim.Control("get version"), "ok 2.70");
    EXPECT_EQ(sim.Control("get mode"), "ok IPL");
}

}  // namespace
}  // namespace sim_test
