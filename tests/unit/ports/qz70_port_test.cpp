// The controller-library port through real shared objects loaded with dlopen: the
// test library answers from `tarnel_test_controller_script`, the files follow
// Windows' rules for a loaded library, and the spooler is in memory.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "library_port_fixture.h"
#include "library_script.h"
#include "platform/file_error.h"
#include "platform/text_codec.h"
#include "ports/dll_port.h"

extern "C" {
ControllerScript tarnel_test_controller_script;
}

namespace {

ControllerScript& script = tarnel_test_controller_script;

const CString kSharingText =
    L"A sharing violation occurred while accessing %s.";  // with the file's name

class QZ70PortTest : public LibraryPortTest {
  protected:
    void SetUp() override {
        script = ControllerScript{};
        Embed(TARNEL_SCRIPTED_CONTROLLER);
    }

    CString LibraryPath() const { return host.folder() + L"QZ70CTR142.DLL"; }
    CString SharingMessage() const {
        CString text = kSharingText;
        return text.replace(text.find(L"%s"), 2, LibraryPath());
    }

    bool IsEmpty(const CQZ70Port& port) const {
        return port.m_hLibrary == nullptr && port.m_pController == nullptr &&
               port.m_strLibraryPath.empty() && !host.FileExists(LibraryPath()) &&
               host.LoadedCount() == 0;
    }
};

TEST_F(QZ70PortTest, ConstructionLeavesTheLibraryReadyAndTheFirstGetDeviceIdUsesIt) {
    CQZ70Port port(services);
    EXPECT_NE(port.m_hLibrary, nullptr);
    EXPECT_NE(port.m_pController, nullptr);
    EXPECT_EQ(port.m_strLibraryPath, LibraryPath());
    EXPECT_TRUE(host.FileExists(LibraryPath()));
    EXPECT_EQ(script.openCalls, 1);

    CString reply;
    EXPECT_TRUE(port.GetDeviceId(reply));
    EXPECT_EQ(reply, L"MDL:QZ-70;VER:2.70;MODE:NORMAL;STATUS:80000000;");
    EXPECT_EQ(script.openCalls, 2) << "GetDeviceId always opens";
    EXPECT_EQ(script.readSize, 300);
    EXPECT_EQ(host.creates, 1) << "no second file for the first operation";
    EXPECT_EQ(host.loads, 1);
    EXPECT_TRUE(IsEmpty(port));
    EXPECT_TRUE(boxes.shown.empty());

    // Each later operation extracts and loads afresh.
    reply.clear();
    EXPECT_TRUE(port.GetDeviceId(reply));
    EXPECT_EQ(host.creates, 2);
    EXPECT_EQ(host.loads, 2);
    EXPECT_TRUE(IsEmpty(port));
}

TEST_F(QZ70PortTest, StatusWordDecidesWhetherTheIdentityStands) {
    const struct {
        const char* label;
        std::uint32_t status;
        bool kept;
        int clearCalls;
    } cases[] = {
        {"zero", 0x00000000, true, 0},
        {"largest positive", 0x7FFFFFFF, true, 0},
        {"no status (-1)", 0xFFFFFFFF, false, 0},
        {"class 6", 0x86001234, true, 1},
        {"class 1", 0x81000000, false, 0},
        {"class 15 but not -1", 0x8F000000, false, 0},
        {"class 0 negative", 0x80000001, false, 0},
        {"class 6 in bits 24-27 only", 0xF6FFFFFF, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        script = ControllerScript{};
        script.status = static_cast<std::int32_t>(c.status);
        CQZ70Port port(services);
        CString reply;
        EXPECT_EQ(port.GetDeviceId(reply), c.kept ? TRUE : FALSE);
        EXPECT_EQ(reply.empty(), !c.kept);
        EXPECT_EQ(script.clearCalls, c.clearCalls);
        EXPECT_TRUE(IsEmpty(port));
    }
}

TEST_F(QZ70PortTest, IdentityNeverReadsBeyondTheBuffer) {
    // Under AddressSanitizer a read past the 301 bytes, or of a buffer left as
    // allocated, fails the test.
    script.write = DeviceIdWrite::nothing;
    CQZ70Port nothing(services);
    CString reply;
    EXPECT_FALSE(nothing.GetDeviceId(reply));
    EXPECT_TRUE(reply.empty());

    script.write = DeviceIdWrite::fillWithoutNul;
    CQZ70Port unterminated(services);
    EXPECT_TRUE(unterminated.GetDeviceId(reply));
    EXPECT_EQ(reply, CString(300, L'A'));
}

TEST_F(QZ70PortTest, OnlyTheExactVersionTextIsAccepted) {
    // Exactly as long as their texts, so that a read past the NUL is caught.
    const std::vector<std::string> refused = {"V140", "V1410", "V14", "", "v141"};
    for (const std::string& text : refused) {
        SCOPED_TRACE(text);
        auto exact = std::make_unique<char[]>(text.size() + 1);
        std::memcpy(exact.get(), text.c_str(), text.size() + 1);
        script = ControllerScript{};
        script.version = exact.get();
        CQZ70Port port(services);
        EXPECT_NE(port.m_hLibrary, nullptr) << "stays loaded";
        EXPECT_EQ(port.m_pController, nullptr);
        EXPECT_EQ(script.openCalls, 0);
        port.Close();
        EXPECT_TRUE(IsEmpty(port));
    }
    EXPECT_TRUE(boxes.shown.empty()) << "a refused library shows nothing";
}

// Loaded, no interface: every further operation fails with the file-error box,
// because the loaded library keeps its file in use; Close ends that.
TEST_F(QZ70PortTest, AFailedInterfaceStepKeepsTheLibraryUntilClose) {
    const struct {
        const char* label;
        const char* library;
        bool nullInterface;
    } cases[] = {
        {"wrong version", nullptr, false},
        {"missing export", TARNEL_CONTROLLER_WITHOUT_INTERFACE, false},
        {"null interface", nullptr, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        script = ControllerScript{};
        boxes.shown.clear();
        Embed(c.library != nullptr ? c.library : TARNEL_SCRIPTED_CONTROLLER);
        if (c.library == nullptr && !c.nullInterface) {
            script.version = "V142";
        }
        script.nullInterface = c.nullInterface;
        CQZ70Port port(services);
        ASSERT_NE(port.m_hLibrary, nullptr);
        EXPECT_EQ(port.m_pController, nullptr);

        CString reply;
        EXPECT_FALSE(port.GetDeviceId(reply));
        EXPECT_FALSE(port.BeginUpdate());
        const char payload[] = "firmware";
        EXPECT_FALSE(port.SendData(payload, sizeof payload, 0));
        EXPECT_EQ(ShownTexts(), std::vector<CString>(3, SharingMessage()));
        EXPECT_EQ(boxes.shown.at(0).style, 0x30u) << "OK with the exclamation icon";
        EXPECT_EQ(boxes.shown.at(0).caption, L"Arvane Firmware Installer");

        port.Close();
        EXPECT_TRUE(IsEmpty(port));
        port.Close();  // a second Close has nothing left to do
        EXPECT_TRUE(IsEmpty(port));
    }
    Embed(TARNEL_SCRIPTED_CONTROLLER);
}

TEST_F(QZ70PortTest, OpenFalseLeavesThePortReady) {
    script.openResult = false;
    CQZ70Port port(services);
    EXPECT_NE(port.m_pController, nullptr) << "ready, though Open said no";

    // From Ready only GetDeviceId opens again.
    EXPECT_TRUE(port.BeginUpdate());
    EXPECT_EQ(script.openCalls, 1);
    EXPECT_TRUE(IsEmpty(port));

    CQZ70Port again(services);
    CString reply;
    EXPECT_FALSE(again.GetDeviceId(reply));
    EXPECT_EQ(script.readCalls, 0);
    EXPECT_NE(again.m_hLibrary, nullptr) << "Open false in GetDeviceId keeps the library";
    again.Close();
    EXPECT_TRUE(IsEmpty(again));
}

TEST_F(QZ70PortTest, BeginUpdateRequestsTheModeWithItsTimeLimit) {
    for (const bool accepted : {true, false}) {
        script = ControllerScript{};
        script.modeResult = accepted;
        CQZ70Port port(services);
        EXPECT_EQ(port.BeginUpdate(), accepted ? TRUE : FALSE);
        EXPECT_EQ(script.modeCalls, 1);
        EXPECT_EQ(script.modeTimeLimit, 10000);
        EXPECT_EQ(script.mode, 1);
        EXPECT_TRUE(IsEmpty(port));
    }
}

std::string Payload(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + 3);
    }
    return bytes;
}

TEST_F(QZ70PortTest, SendDataIsOneRawJobWhateverTheChunkSize) {
    const std::string payload = Payload(10000);
    for (const std::uint32_t chunkSize : {0u, 4096u, 7u, 102400u}) {
        SCOPED_TRACE(chunkSize);
        spooler.calls.clear();
        spooler.writeSizes.clear();
        spooler.received.clear();
        CQZ70Port port(services);
        EXPECT_TRUE(
            port.SendData(payload.data(), static_cast<std::uint32_t>(payload.size()), chunkSize));
        const std::vector<CString> expected = {L"open Arvane QZ-70",
                                               L"start document firmware RAW",
                                               L"start page",
                                               L"write",
                                               L"end page",
                                               L"end document",
                                               L"close"};
        EXPECT_EQ(spooler.calls, expected);
        EXPECT_EQ(spooler.writeSizes, std::vector<std::uint32_t>{10000});
        EXPECT_EQ(spooler.received, payload);
        EXPECT_TRUE(IsEmpty(port));
    }
}

TEST_F(QZ70PortTest, AShortSpoolerWriteIsContinuedOnTheSameJob) {
    const std::string payload = Payload(10000);
    spooler.takes = {4096, 0, 1000};
    CQZ70Port port(services);
    EXPECT_TRUE(port.SendData(payload.data(), 10000, 0));
    EXPECT_EQ(spooler.received, payload);
    EXPECT_EQ(spooler.writeSizes, (std::vector<std::uint32_t>{10000, 5904, 5904, 4904}));
    EXPECT_EQ(
        std::count(spooler.calls.begin(), spooler.calls.end(), L"start document firmware RAW"), 1);
}

TEST_F(QZ70PortTest, ASpoolerThatStopsTakingBytesFailsTheSendAndEndsTheJob) {
    const struct {
        const char* label;
        std::deque<std::uint32_t> takes;
        int failFromWrite;
    } cases[] = {
        {"takes nothing any more", std::deque<std::uint32_t>(1000, 0), -1},
        {"takes part, then nothing",
         [] {
             std::deque<std::uint32_t> takes(1000, 0);
             takes.front() = 100;
             return takes;
         }(),
         -1},
        {"write fails", {}, 0},
        {"second write fails", {100}, 1},
    };
    const std::string payload = Payload(1000);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        spooler.calls.clear();
        spooler.writeSizes.clear();
        spooler.takes = c.takes;
        spooler.failFromWrite = c.failFromWrite;
        CQZ70Port port(services);
        EXPECT_FALSE(port.SendData(payload.data(), 1000, 0));
        EXPECT_LT(spooler.writeSizes.size(), 100u) << "gives up after a few idle writes";
        ASSERT_GE(spooler.calls.size(), 3u);
        const std::vector<CString> tail(spooler.calls.end() - 3, spooler.calls.end());
        EXPECT_EQ(tail, (std::vector<CString>{L"end page", L"end document", L"close"}));
        EXPECT_TRUE(IsEmpty(port));
    }
}

TEST_F(QZ70PortTest, AMissingQueueFailsTheSendAndKeepsTheLibrary) {
    spooler.queues.clear();
    CQZ70Port port(services);
    EXPECT_FALSE(port.SendData("x", 1, 0));
    EXPECT_NE(port.m_pController, nullptr);
    EXPECT_EQ(spooler.calls, std::vector<CString>{L"open Arvane QZ-70"});
    port.Close();
    EXPECT_TRUE(IsEmpty(port));
}

TEST_F(QZ70PortTest, TheLibraryIsLoadedFromTheGuardedFileWhoseBytesWereChecked) {
    CQZ70Port port(services);
    EXPECT_EQ(host.guardedLoads, std::vector<bool>{true}) << "loaded while the guard was open";
    EXPECT_EQ(host.guardsOpen, 0) << "the guard is closed once the library is loaded";
}

TEST_F(QZ70PortTest, AFileChangedOrHeldBeforeTheGuardIsAFileErrorOfTheOperation) {
    const CString generic = L"An unexpected error occurred while accessing " + LibraryPath() + L".";
    const struct {
        const char* label;
        bool replace;
        bool guardRefused;
        CString message;
    } cases[] = {
        {"replaced after writing", true, false, generic},
        {"still open for writing elsewhere", false, true, SharingMessage()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        boxes.shown.clear();
        host.loads = 0;
        host.afterWrite = nullptr;
        if (c.replace) {
            host.afterWrite = [](const std::string& path) {
                std::ofstream(path, std::ios::binary | std::ios::trunc) << "another library";
            };
        }
        host.guardRefused = c.guardRefused;
        CQZ70Port port(services);
        EXPECT_EQ(host.loads, 0) << "nothing is loaded";
        EXPECT_EQ(ShownTexts(), std::vector<CString>{c.message});
        CString reply;
        EXPECT_FALSE(port.GetDeviceId(reply));
        EXPECT_EQ(host.loads, 0);
        port.Close();
        EXPECT_FALSE(host.FileExists(LibraryPath()));
    }
}

TEST_F(QZ70PortTest, AMissingResourceLeavesAnEmptyFileThatCloseDeletes) {
    resources = fakes::FakeResources{};
    CQZ70Port port(services);
    EXPECT_EQ(port.m_hLibrary, nullptr);
    EXPECT_TRUE(host.FileExists(LibraryPath()));
    EXPECT_TRUE(FileBytes(platform::WideToAnsi(LibraryPath())).empty());
    EXPECT_FALSE(port.BeginUpdate());
    EXPECT_TRUE(boxes.shown.empty());
    port.Close();
    EXPECT_TRUE(IsEmpty(port));
}

TEST_F(QZ70PortTest, NoTemporaryFolderFailsSilently) {
    host.noFolder = true;
    CQZ70Port port(services);
    CString reply;
    EXPECT_FALSE(port.GetDeviceId(reply));
    EXPECT_EQ(host.creates, 0);
    EXPECT_TRUE(boxes.shown.empty());
    port.Close();
}

TEST_F(QZ70PortTest, AFailedDeletionReachesTheCallerAndCloseRetriesIt) {
    CQZ70Port port(services);
    host.failingRemovals = 1;
    CString reply;
    try {
        (void)port.GetDeviceId(reply);
        ADD_FAILURE() << "no file error";
    } catch (const platform::FileError& error) {
        EXPECT_EQ(error.m_cause, platform::FileError::Cause::accessDenied);
        EXPECT_EQ(error.m_strFileName, LibraryPath());
    }
    // The library is gone, so nothing can call into it; only the file is left.
    EXPECT_EQ(port.m_hLibrary, nullptr);
    EXPECT_EQ(port.m_pController, nullptr);
    EXPECT_EQ(host.LoadedCount(), 0);
    EXPECT_TRUE(host.FileExists(LibraryPath()));

    port.Close();
    EXPECT_TRUE(IsEmpty(port));
    // And the port stays usable.
    reply.clear();
    EXPECT_TRUE(port.GetDeviceId(reply));
}

}  // namespace
