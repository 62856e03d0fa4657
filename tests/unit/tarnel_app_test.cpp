#include <gtest/gtest.h>

#include <vector>

#include "app/message_ids.h"
#include "app/tarnel_app.h"
#include "app/tarnel_dlg.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_port_factory.h"
#include "install/updater.h"
#include "platform/message_box.h"
#include "resource.h"
#include "unit/image/puf_payloads.h"

namespace {

class TarnelAppTest : public testing::Test, protected fakes::FakePlatform<> {
  protected:
    TarnelAppTest() {
        resources.Add(IDR_FIRMWARE, L"FIRMWARE",
                      PackPufContainer(testing_puf::Bytes(testing_puf::Payload("070168", "2.80"))));
    }

    // Each run starts with an updater of its own, as each process does.
    int Run(std::vector<CString> arguments) {
        arguments.insert(arguments.begin(), L"QZ70Firm280.exe");
        CUpdater updater;
        return RunTarnelApp(services, updater, ports, arguments);
    }

    // Records what the application handed to the main dialog.
    void RecordDialog() {
        dialogs.onInit = [this](platform::CDialog& dialog, fakes::FakeDialogWindow&) {
            auto& main = dynamic_cast<CTarnelDlg&>(dialog);
            seen = Seen{main.m_bSocketsReady, main.m_bCommandLine, main.m_dwCmdAddress,
                        main.m_strCmdUsbPort};
        };
    }

    struct Seen {
        BOOL socketsReady;
        BOOL commandLine;
        std::uint32_t address;
        CString usbPort;
    };

    fakes::FakePortFactory ports;
    std::optional<Seen> seen;
};

TEST_F(TarnelAppTest, CancelEndsInteractiveRunWithOne) {
    RecordDialog();
    dialogs.Script(IDD_TARNEL_DIALOG, {fakes::Press(IDCANCEL)});
    EXPECT_EQ(Run({}), 1);
    EXPECT_EQ(instance.requestedName, L"Arvane Firmware Installer");
    EXPECT_EQ(setup.commonControlsCalls, 1);
    EXPECT_EQ(dialogs.runTemplates, std::vector<unsigned>{IDD_TARNEL_DIALOG});
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->commandLine, FALSE);
    EXPECT_EQ(seen->address, 0u);
    EXPECT_EQ(seen->socketsReady, TRUE);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TarnelAppTest, SecondInstanceShowsMessage169AndEndsWithTwo) {
    instance.heldElsewhere = true;
    EXPECT_EQ(Run({L"-i", L"10.0.0.1"}), 2);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Execution Error.\nThe previous installer is still executing.");
    EXPECT_EQ(boxes.shown[0].caption, L"Arvane Firmware Installer");
    EXPECT_EQ(boxes.shown[0].style, platform::mb::kIconError | platform::mb::kOk);
    EXPECT_TRUE(dialogs.runTemplates.empty());
    EXPECT_EQ(setup.commonControlsCalls, 0);
}

TEST_F(TarnelAppTest, SecondInstanceMessageFollowsTheLanguage) {
    fakes::FakeStringTable japanese(fakes::Language::Japanese);
    platform::Services japaneseServices{japanese,  boxes,    instance, setup, dialogs,
                                        resources, graphics, registry, files};
    instance.heldElsewhere = true;
    CUpdater updater;
    EXPECT_EQ(RunTarnelApp(japaneseServices, updater, ports, {L"QZ70Firm280.exe"}), 2);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"インストーラはすでに起動しています。");
}

TEST_F(TarnelAppTest, UnacceptableCommandLineEndsWithThreeSilently) {
    for (const auto& arguments : std::vector<std::vector<CString>>{
             {L"-U"}, {L"-i", L"10.0.0.1", L"-u", L"USB001"}, {L"word"}}) {
        EXPECT_EQ(Run(arguments), 3);
    }
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(dialogs.runTemplates.empty());
}

TEST_F(TarnelAppTest, HandsTheCommandLineToTheDialog) {
    RecordDialog();
    for (int run = 0; run < 3; ++run) {
        dialogs.Script(IDD_TARNEL_DIALOG, {fakes::Press(IDCANCEL)});
    }
    setup.socketsAvailable = false;
    Run({L"/I", L"192.168.1.20"});
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->commandLine, TRUE);
    EXPECT_EQ(seen->address, 0xC0A80114u);
    EXPECT_TRUE(seen->usbPort.empty());
    EXPECT_EQ(seen->socketsReady, FALSE);

    Run({L"-uUSB001"});
    EXPECT_EQ(seen->commandLine, TRUE);
    EXPECT_EQ(seen->address, 0u);
    EXPECT_EQ(seen->usbPort, L"USB001");

    // An address text that is no address still means command-line mode.
    Run({L"-ip", L"10.0.0.1"});
    EXPECT_EQ(seen->commandLine, TRUE);
    EXPECT_EQ(seen->address, 0u);
}

TEST_F(TarnelAppTest, DialogThatCannotBeCreatedPassesItsResultThrough) {
    dialogs.creationFailure = -1;
    EXPECT_EQ(Run({}), -1);
}

}  // namespace
