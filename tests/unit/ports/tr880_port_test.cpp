// The remote-connect port through real shared objects loaded with dlopen: the test
// library answers from `tarnel_test_remote_script`; SNMP and the raw port go to
// loopback peers.
#include <cstring>
#include <string>
#include <vector>

#include "library_port_fixture.h"
#include "library_script.h"
#include "loopback.h"
#include "ports/boot_packet.h"
#include "ports/network_port.h"
#include "ports/snmp_message.h"

extern "C" {
RemoteScript tarnel_test_remote_script;
}

namespace {

RemoteScript& script = tarnel_test_remote_script;

const CString kNotLoaded = L"DLLが見つからないまたはロードできません";
const CString kNoFunction = L"DLL関数取得エラー";
const CString kVersion = L"APIバージョン不整合";

// The answer of an identity agent to `request`.
std::string SnmpAnswer(const std::string& request, const std::string& value) {
    SnmpMessage reply =
        *DecodeSnmpMessage(reinterpret_cast<const std::uint8_t*>(request.data()), request.size());
    reply.pduType = kSnmpGetResponse;
    reply.bindings.at(0).valueTag = kBerOctetString;
    reply.bindings.at(0).value = value;
    return EncodeSnmpMessage(reply);
}

std::uint32_t NetworkOrder(unsigned char a, unsigned char b, unsigned char c, unsigned char d) {
    const unsigned char octets[4] = {a, b, c, d};
    std::uint32_t address = 0;
    std::memcpy(&address, octets, sizeof address);
    return address;
}

class TR880PortTest : public LibraryPortTest {
  protected:
    void SetUp() override {
        script = RemoteScript{};
        Embed(TARNEL_SCRIPTED_REMOTE);
        settings.timeouts = loopback::QuickTimeouts();
        settings.ports.raw = loopback::ClosedPort();
        settings.ports.snmp = loopback::ClosedPort();
    }

    CString LibraryPath() const { return host.folder() + L"Farcon.DLL"; }
    bool IsEmpty(const CTR880Port& port) const {
        return port.m_hLibrary == nullptr && port.m_pServiceTool == nullptr &&
               port.m_pRemoteConnect == nullptr && port.m_strLibraryPath.empty() &&
               !host.FileExists(LibraryPath()) && host.LoadedCount() == 0;
    }

    NetworkSettings settings;
};

TEST_F(TR880PortTest, ConstructionConnectsWithTheDottedAddress) {
    CTR880Port port(NetworkOrder(10, 1, 2, 254), services, settings);
    EXPECT_NE(port.m_pRemoteConnect, nullptr);
    EXPECT_NE(port.m_pServiceTool, nullptr);
    EXPECT_EQ(port.m_strLibraryPath, LibraryPath());
    EXPECT_EQ(script.connectCalls, 1);
    EXPECT_EQ(script.connectAddress, "10.1.2.254");

    CString reply;
    EXPECT_TRUE(port.GetDeviceId(reply));
    EXPECT_EQ(reply, L"MDL:TR-880;VER:1.10;MODE:NORMAL;STATUS:80000000;");
    EXPECT_EQ(script.connectCalls, 2) << "GetDeviceId connects again";
    EXPECT_EQ(script.readSize, 1024);
    EXPECT_EQ(host.loads, 1);
    EXPECT_TRUE(IsEmpty(port));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TR880PortTest, LoadFailuresShowTheirFixedTextsWithoutIcon) {
    const struct {
        const char* label;
        const char* library;  // null: garbage bytes that no loader takes
        const char* remoteVersion;
        const char* toolVersion;
        bool nullRemote;
        bool nullTool;
        CString text;
    } cases[] = {
        {"not a library", nullptr, "V100", "V100", false, false, kNotLoaded},
        {"the controller library", TARNEL_SCRIPTED_CONTROLLER, "V100", "V100", false, false,
         kNoFunction},
        {"no service tool export", TARNEL_REMOTE_WITHOUT_SERVICE_TOOL, "V100", "V100", false, false,
         kNoFunction},
        {"null remote connect", TARNEL_SCRIPTED_REMOTE, "V100", "V100", true, false, kNoFunction},
        {"null service tool", TARNEL_SCRIPTED_REMOTE, "V100", "V100", false, true, kNoFunction},
        {"remote connect version", TARNEL_SCRIPTED_REMOTE, "V1000", "V100", false, false, kVersion},
        {"service tool version", TARNEL_SCRIPTED_REMOTE, "V100", "V10", false, false, kVersion},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        script = RemoteScript{};
        script.remoteConnectVersion = c.remoteVersion;
        script.serviceToolVersion = c.toolVersion;
        script.nullRemoteConnect = c.nullRemote;
        script.nullServiceTool = c.nullTool;
        boxes.shown.clear();
        if (c.library != nullptr) {
            Embed(c.library);
        } else {
            resources.Add(146, L"DLL", {'n', 'o', 't', ' ', 'E', 'L', 'F'});
        }
        CTR880Port port(loopback::Address(), services, settings);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, c.text);
        EXPECT_EQ(boxes.shown[0].style, 0u) << "OK, no icon";
        EXPECT_EQ(boxes.shown[0].caption, L"Arvane Firmware Installer");
        EXPECT_EQ(script.connectCalls, 0);
        EXPECT_EQ(port.m_pServiceTool, nullptr);
        port.Close();
        EXPECT_TRUE(IsEmpty(port));
    }
}

TEST_F(TR880PortTest, WithTheWrongLibraryEveryOperationFailsUntilClose) {
    Embed(TARNEL_SCRIPTED_CONTROLLER);
    CTR880Port port(loopback::Address(), services, settings);
    ASSERT_NE(port.m_hLibrary, nullptr);
    boxes.shown.clear();
    CString reply;
    EXPECT_FALSE(port.GetDeviceId(reply));
    EXPECT_FALSE(port.BeginUpdate());
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text,
              L"A sharing violation occurred while accessing " + LibraryPath() + L".");
    port.Close();
    EXPECT_TRUE(IsEmpty(port));
}

TEST_F(TR880PortTest, StatusWordDecidesTheIdentity) {
    const struct {
        const char* label;
        std::uint32_t status;
        bool kept;
        int clearCalls;
    } cases[] = {
        {"zero", 0, true, 0},
        {"positive", 0x7FFFFFFF, true, 0},
        {"no status, though a text was written", 0xFFFFFFFF, false, 0},
        {"class 6", 0x86000000, true, 1},
        {"class 2", 0x82000000, false, 0},
        {"class 1, no SNMP agent", 0x81000000, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        script = RemoteScript{};
        script.status = static_cast<int>(c.status);
        CTR880Port port(loopback::Address(), services, settings);
        CString reply;
        EXPECT_EQ(port.GetDeviceId(reply), c.kept ? TRUE : FALSE);
        EXPECT_EQ(reply.empty(), !c.kept);
        EXPECT_EQ(script.clearCalls, c.clearCalls);
        EXPECT_TRUE(IsEmpty(port));
    }
}

TEST_F(TR880PortTest, StatusClassOneTakesTheIdentityFromSnmp) {
    loopback::UdpAgent agent(
        [](const std::string& request) {
            return std::vector<std::string>{SnmpAnswer(request, "MDL:TR-880;VER:1.20;")};
        },
        1);
    settings.ports.snmp = agent.port();
    script.status = static_cast<int>(0x81000005);
    CTR880Port port(loopback::Address(), services, settings);
    CString reply;
    EXPECT_TRUE(port.GetDeviceId(reply));
    EXPECT_EQ(reply, L"MDL:TR-880;VER:1.20;");
    const std::vector<std::string> requests = agent.Finish();
    ASSERT_EQ(requests.size(), 1u);
    const auto request = DecodeSnmpMessage(
        reinterpret_cast<const std::uint8_t*>(requests[0].data()), requests[0].size());
    ASSERT_TRUE(request);
    EXPECT_EQ(request->bindings.at(0).name, *EncodeObjectIdentifier(".1.3.6.1.4.1.48203.3.2.1.1"));
}

TEST_F(TR880PortTest, IdentityNeverReadsBeyondTheBuffer) {
    script.write = DeviceIdWrite::nothing;
    CTR880Port nothing(loopback::Address(), services, settings);
    CString reply;
    EXPECT_FALSE(nothing.GetDeviceId(reply));

    script.write = DeviceIdWrite::fillWithoutNul;
    CTR880Port unterminated(loopback::Address(), services, settings);
    EXPECT_TRUE(unterminated.GetDeviceId(reply));
    EXPECT_EQ(reply, CString(1023, L'A'));
}

TEST_F(TR880PortTest, ConnectFalseInGetDeviceIdKeepsTheLibrary) {
    CTR880Port port(loopback::Address(), services, settings);
    script.connectResult = false;
    CString reply;
    EXPECT_FALSE(port.GetDeviceId(reply));
    EXPECT_NE(port.m_hLibrary, nullptr);
    EXPECT_NE(port.m_pServiceTool, nullptr);
    port.Close();
    EXPECT_TRUE(IsEmpty(port));
}

struct Sink {
    std::string bytes;
    loopback::TcpPeer peer{[this](int fd) { bytes = loopback::ReadToEnd(fd); }};
};

TEST_F(TR880PortTest, BeginUpdateFallsBackToTheBootFrameOnTheRawPort) {
    const auto frame = BuildBootFrame();
    const std::string bootFrame(frame.begin(), frame.end());
    const struct {
        const char* label;
        bool libraryAccepts;
        bool printerListens;
        BOOL result;
        bool frameSent;
    } cases[] = {
        {"library accepts", true, true, TRUE, false},
        {"library refuses, printer takes the frame", false, true, TRUE, true},
        {"library refuses, nothing listens", false, false, FALSE, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        script = RemoteScript{};
        script.updateResult = c.libraryAccepts;
        Sink printer;
        settings.ports.raw = c.printerListens ? printer.peer.port() : loopback::ClosedPort();
        CTR880Port port(loopback::Address(), services, settings);
        EXPECT_EQ(port.BeginUpdate(), c.result);
        EXPECT_EQ(script.updateCalls, 1);
        EXPECT_EQ(script.updateArgument, 0);
        EXPECT_TRUE(IsEmpty(port));
        EXPECT_EQ(printer.peer.Finish(), c.frameSent);
        EXPECT_EQ(printer.bytes, c.frameSent ? bootFrame : "");
    }
}

TEST_F(TR880PortTest, SendDataNeedsNoLibrary) {
    resources = fakes::FakeResources{};
    Sink printer;
    settings.ports.raw = printer.peer.port();
    CTR880Port port(loopback::Address(), services, settings);
    const std::string payload(250000, '\x5A');
    EXPECT_TRUE(port.SendData(payload.data(), static_cast<std::uint32_t>(payload.size()), 0));
    EXPECT_TRUE(printer.peer.Finish());
    EXPECT_EQ(printer.bytes, payload);
    EXPECT_EQ(host.loads, 0);
    port.Close();
}

// An earlier attempt left the remote-connect interface behind: the port lets go of
// that library and loads the file just extracted.
class ReloadingPort : public CTR880Port {
  public:
    using CTR880Port::CTR880Port;
    int LoadAgain() { return loadController(); }
};

TEST_F(TR880PortTest, ALeftoverInterfaceIsReplacedByTheFreshLoad) {
    script.nullServiceTool = true;
    ReloadingPort port(loopback::Address(), services, settings);
    ASSERT_NE(port.m_pRemoteConnect, nullptr);
    ASSERT_EQ(port.m_pServiceTool, nullptr);
    boxes.shown.clear();

    script.nullServiceTool = false;
    EXPECT_EQ(port.LoadAgain(), 1);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_NE(port.m_pServiceTool, nullptr);
    EXPECT_EQ(host.LoadedCount(), 1) << "the earlier library was freed";
    port.Close();
    EXPECT_TRUE(IsEmpty(port));
}

}  // namespace
