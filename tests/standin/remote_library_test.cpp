// The remote-connect stand-in loaded as the port loads it, against a real simulator.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "loaded_library.h"
#include "ports/remote_connect_api.h"
#include "sim_process.h"

namespace standin_test {
namespace {

struct RemoteFixture {
    explicit RemoteFixture(const std::string& address, std::vector<std::string> options = {})
        : sim(address, std::move(options)), library(STANDIN_REMOTE_PATH) {
        ::setenv("TARNEL_STANDIN_ENDPOINT", (address + ":9600").c_str(), 1);
        const auto remote = library.Export<RemoteConnectApiFunction>(kRemoteConnectApiExport);
        const auto tool = library.Export<ServiceToolApiFunction>(kServiceToolApiExport);
        remoteConnect = remote != nullptr ? remote() : nullptr;
        serviceTool = tool != nullptr ? tool() : nullptr;
    }

    sim_test::SimProcess sim;
    LoadedLibrary library;
    IRemoteConnectAPI* remoteConnect = nullptr;
    IServiceToolAPI* serviceTool = nullptr;
};

TEST(StandinRemote, BothInterfacesReportV100) {
    LoadedLibrary library(STANDIN_REMOTE_PATH);
    const auto remote = library.Export<RemoteConnectApiFunction>(kRemoteConnectApiExport);
    const auto tool = library.Export<ServiceToolApiFunction>(kServiceToolApiExport);
    ASSERT_NE(remote, nullptr);
    ASSERT_NE(tool, nullptr);
    ASSERT_NE(remote(), nullptr);
    ASSERT_NE(tool(), nullptr);
    EXPECT_EQ(std::memcmp(remote()->GetVersion(), "V100", 5), 0);
    EXPECT_EQ(std::memcmp(tool()->GetVersion(), "V100", 5), 0);
}

TEST(StandinRemote, ConnectReachesOnlyThePrinterAtItsAddress) {
    RemoteFixture f("127.77.21.1");
    ASSERT_NE(f.remoteConnect, nullptr);
    EXPECT_FALSE(f.remoteConnect->Connect(nullptr));
    EXPECT_FALSE(f.remoteConnect->Connect("127.77.21.99"));
    // An address text that would smuggle a second request is not sent.
    EXPECT_FALSE(f.remoteConnect->Connect("127.77.21.1\nCLEAR"));
    char buffer[16] = "unset";
    f.serviceTool->ReadDeviceId(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "unset") << "identity given before a successful Connect";
    EXPECT_TRUE(f.remoteConnect->Connect("127.77.21.1"));
    EXPECT_NE(f.sim.Control("get state").find("clears=0"), std::string::npos);
}

TEST(StandinRemote, ServiceToolReadsIdentityAndStatusAndEntersUpdateMode) {
    RemoteFixture f("127.77.21.2", {"--sub-power", "off"});
    ASSERT_TRUE(f.remoteConnect->Connect("127.77.21.2"));
    char buffer[1024];
    std::memset(buffer, 'x', sizeof buffer);
    f.serviceTool->ReadDeviceId(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer), "MDL:QZ-70;VER:2.70;MODE:NORMAL;STATUS:02040000010880000000;");

    ASSERT_EQ(f.sim.Control("set status-word 0x81000000"), "ok");
    int status = 0;
    int unused = 12345;
    f.serviceTool->GetStatus(&status, &unused);
    EXPECT_EQ(status, static_cast<int>(0x81000000u));
    EXPECT_EQ(unused, 12345);

    ASSERT_EQ(f.sim.Control("fault library-refuse-mode on"), "ok");
    EXPECT_FALSE(f.serviceTool->EnterUpdateMode(0));
    EXPECT_EQ(f.sim.Control("get mode"), "ok NORMAL");
    ASSERT_EQ(f.sim.Control("fault library-refuse-mode off"), "ok");
    EXPECT_TRUE(f.serviceTool->EnterUpdateMode(0));
    EXPECT_EQ(f.sim.Control("get mode"), "ok IPL");

    f.serviceTool->ClearCondition();
    EXPECT_TRUE(f.sim.WaitForEvent("library: condition cleared")) << f.sim.EventLog();
}

TEST(StandinRemote, UnloadingClosesTheConnection) {
    RemoteFixture f("127.77.21.3");
    ASSERT_TRUE(f.remoteConnect->Connect("127.77.21.3"));
    EXPECT_NE(f.sim.Control("get state").find("library-clients=1"), std::string::npos);
    f.library.Unload();
    EXPECT_TRUE(f.sim.WaitForEvent("library connection ended")) << f.sim.EventLog();
    EXPECT_NE(f.sim.Control("get state").find("library-clients=0"), std::string::npos);
}

}  // namespace
}  // namespace standin_test
