#include "app/tarnel_dlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/message_ids.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_port_factory.h"
#include "fakes/scripted_port.h"
#include "install/updater.h"
#include "platform/message_box.h"
#include "resource.h"
#include "unit/image/puf_payloads.h"

namespace {

using fakes::FakeDialogWindow;
using fakes::Inspect;
using fakes::Press;
using platform::mb::kIconError;
using platform::mb::kIconExclamation;
using platform::mb::kIconInformation;
using platform::mb::kOk;

constexpr wchar_t kInstallKey[] = L"SOFTWARE\\Arvane\\Arvane Inkomar Velmo\\Installer";
constexpr wchar_t kInstallKeyGeneration1[] = L"SOFTWARE\\Arvane\\Inkomar\\1.0\\Installer";

std::string DeviceRecord(const std::string& nick, const std::string& model, std::uint32_t ip) {
    return "<DeviceInfo><strNickName>" + nick + "</strNickName><strLongModelName>" + model +
           "</strLongModelName><ePortType>0</ePortType><uchIP>" + std::to_string(ip) +
           "</uchIP></DeviceInfo>";
}

// The device file's form of an address: its bytes in network order, read little-endian.
std::uint32_t FileAddress(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return a | (b << 8) | (c << 16) | (static_cast<std::uint32_t>(d) << 24);
}

constexpr std::uint32_t Host(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return (static_cast<std::uint32_t>(a) << 24) | (b << 16) | (c << 8) | d;
}

class MainDialogTest : public testing::Test, protected fakes::FakePlatform<> {
  protected:
    MainDialogTest() {
        resources.Add(IDR_FIRMWARE, L"FIRMWARE",
                      PackPufContainer(testing_puf::Bytes(testing_puf::Payload("070168", "2.80"))));
        dialogs.onEnd = [this](platform::CDialog&, FakeDialogWindow& window) { last = window; };
    }

    void NetworkBuild(const wchar_t* portType = L"Ethernet3") {
        strings.Set(IDS_CFG_PORT_TYPE, portType);
    }

    // Writes a device file for generation 0 (or 1) under its install path.
    void DeviceFile(const std::string& records, int generation = 0) {
        const CString root = generation == 0 ? L"C:\\Velmo" : L"C:\\Inkomar";
        registry.SetString(platform::RegistryRoot::LocalMachine,
                           generation == 0 ? kInstallKey : kInstallKeyGeneration1, L"InstallPath",
                           root);
        files.Add(root + L"\\Inkomar\\Device\\DeviceInfo.xml", records);
    }

    void Script(std::vector<fakes::DialogAction> actions) {
        dialogs.Script(IDD_TARNEL_DIALOG, std::move(actions));
    }

    int Run() {
        CTarnelDlg dlg(services, updater, ports);
        dlg.m_bSocketsReady = socketsReady;
        dlg.m_bCommandLine = commandLine;
        dlg.m_dwCmdAddress = commandAddress;
        dlg.m_strCmdUsbPort = commandUsbPort;
        return dlg.DoModal();
    }

    // A port whose printer answers with `identity`.
    std::unique_ptr<CPort> Printer(const CString& identity, const std::string& name = "P") {
        return std::make_unique<fakes::ScriptedPort>(
            name, log, std::deque<std::optional<CString>>{identity, identity, identity});
    }

    std::vector<CString> ComboTexts() const {
        std::vector<CString> texts;
        for (const auto& item : last->controls.at(IDC_PORT_COMBO).items) {
            texts.push_back(item.text);
        }
        return texts;
    }

    CString Message(unsigned id) const { return strings.Load(id).value_or(L"?"); }

    fakes::FakePortFactory ports;
    CUpdater updater;
    std::shared_ptr<fakes::PortLog> log = std::make_shared<fakes::PortLog>();
    BOOL socketsReady = TRUE;
    BOOL commandLine = FALSE;
    std::uint32_t commandAddress = 0;
    CString commandUsbPort;
    std::optional<FakeDialogWindow> last;
};

TEST_F(MainDialogTest, NetworkBuildWithoutDeviceFileOffersOnlyTheAddressEntry) {
    NetworkBuild();
    Script({Press(IDCANCEL)});
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(ComboTexts(), std::vector<CString>{L"Input IP Address"});
    EXPECT_FALSE(last->IsItemEnabled(IDC_PORT_COMBO));
    EXPECT_TRUE(last->IsItemEnabled(IDC_IPADDRESS));
    EXPECT_EQ(last->FocusedItem(), IDC_IPADDRESS);
    EXPECT_EQ(last->GetItemText(IDC_VERSION_TEXT), L"From -.--  To 2.80");
    EXPECT_EQ(last->GetItemText(IDC_MODEL_TEXT), L"Tessaro Series");
    EXPECT_EQ(last->GetItemText(IDC_PORT_TEXT), L"Ethernet");
    EXPECT_EQ(last->GetItemText(IDOK), L"&Next");
    EXPECT_FALSE(last->IsItemEnabled(IDC_BACK));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainDialogTest, DeviceFileOffersFittingPrintersInTheBoxOrder) {
    NetworkBuild();
    DeviceFile(DeviceRecord("B", "QZ-70", FileAddress(10, 0, 0, 7)) +
               DeviceRecord("", "Arvane QZ-70", FileAddress(192, 168, 0, 10)) +
               DeviceRecord("C", "QZ-700", FileAddress(10, 0, 0, 9)));
    Script({Press(IDCANCEL)});
    Run();
    EXPECT_EQ(ComboTexts(),
              (std::vector<CString>{L"Arvane QZ-70 ", L"B [ QZ-70 ] ", L"Input IP Address"}));
    EXPECT_EQ(last->ComboGetCurSel(IDC_PORT_COMBO), 0);
    EXPECT_TRUE(last->IsItemEnabled(IDC_PORT_COMBO));
    EXPECT_EQ(last->GetAddress(IDC_IPADDRESS), Host(192, 168, 0, 10));
    EXPECT_FALSE(last->IsItemEnabled(IDC_IPADDRESS));
    // The list is widened to its widest text and never narrowed.
    EXPECT_EQ(last->ComboGetDroppedWidth(IDC_PORT_COMBO),
              static_cast<int>(std::wstring(L"Input IP Address").size()) *
                  FakeDialogWindow::kCharacterWidth);
}

TEST_F(MainDialogTest, SelectionDrivesTheAddressControl) {
    NetworkBuild();
    DeviceFile(DeviceRecord("B", "QZ-70", FileAddress(10, 0, 0, 7)) +
               DeviceRecord("", "Arvane QZ-70", FileAddress(192, 168, 0, 10)));
    std::vector<std::pair<std::uint32_t, bool>> seen;
    const auto look = Inspect([&](FakeDialogWindow& window) {
        seen.emplace_back(window.GetAddress(IDC_IPADDRESS), window.IsItemEnabled(IDC_IPADDRESS));
    });
    Script({fakes::Select(IDC_PORT_COMBO, 1), look, fakes::Select(IDC_PORT_COMBO, 2), look,
            Press(IDCANCEL)});
    Run();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(Host(10, 0, 0, 7), false));
    // The address entry unlocks the control and keeps the last address in it.
    EXPECT_EQ(seen[1], std::make_pair(Host(10, 0, 0, 7), true));
    EXPECT_EQ(last->FocusedItem(), IDC_IPADDRESS);
}

TEST_F(MainDialogTest, NoSystemMenuAndNoDeviceContextAreSkippedSilently) {
    NetworkBuild();
    dialogs.prepareWindow = [](FakeDialogWindow& window) {
        window.hasSystemMenu = false;
        window.comboContextAvailable = false;
    };
    Script({Press(IDCANCEL)});
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(last->systemMenuItems.empty());
    EXPECT_EQ(last->ComboGetDroppedWidth(IDC_PORT_COMBO), 0);
    EXPECT_EQ(last->GetItemText(IDC_VERSION_TEXT), L"From -.--  To 2.80");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainDialogTest, SecondGenerationIsReadWhenTheFirstOffersNothing) {
    NetworkBuild();
    DeviceFile(DeviceRecord("X", "QZ-700", FileAddress(10, 0, 0, 1)), 0);
    DeviceFile(DeviceRecord("Y", "QZ-70", FileAddress(10, 0, 0, 2)), 1);
    Script({Press(IDCANCEL)});
    Run();
    EXPECT_EQ(ComboTexts(), (std::vector<CString>{L"Y [ QZ-70 ] ", L"Input IP Address"}));
    EXPECT_EQ(last->GetAddress(IDC_IPADDRESS), Host(10, 0, 0, 2));
}

TEST_F(MainDialogTest, CommandLineAddressIsTheOnlyEntry) {
    NetworkBuild();
    DeviceFile(DeviceRecord("B", "QZ-70", FileAddress(10, 0, 0, 7)));
    commandLine = TRUE;
    commandAddress = Host(10, 0, 0, 5);
    Script({Press(IDCANCEL)});
    Run();
    EXPECT_EQ(ComboTexts(), std::vector<CString>{L" "});
    EXPECT_FALSE(last->IsItemEnabled(IDC_PORT_COMBO));
    EXPECT_EQ(last->GetAddress(IDC_IPADDRESS), Host(10, 0, 0, 5));
    EXPECT_FALSE(last->IsItemEnabled(IDC_IPADDRESS));
}

TEST_F(MainDialogTest, StartFailuresShowTheirMessageAndEndTheDialog) {
    struct Case {
        const char* name;
        const wchar_t* portType;
        BOOL sockets;
        BOOL commandLine;
        std::uint32_t address;
        const wchar_t* usbPort;
        unsigned message;
        int result;
    };
    const Case cases[] = {
        {"network build given a USB port", L"Ethernet3", TRUE, TRUE, 0, L"X", IDS_ILLEGAL_PARAMETER,
         3},
        {"USB build given an address", L"DLL_USB", TRUE, TRUE, Host(10, 0, 0, 5), L"",
         IDS_ILLEGAL_PARAMETER, 3},
        {"sockets failed", L"Ethernet3", FALSE, FALSE, 0, L"", IDS_SOCKET_INIT_FAILED, 5},
        {"sockets failed, address given", L"Ethernet1", FALSE, TRUE, Host(10, 0, 0, 5), L"",
         IDS_SOCKET_INIT_FAILED, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUpdater fresh;
        boxes.shown.clear();
        NetworkBuild(c.portType);
        CTarnelDlg dlg(services, fresh, ports);
        dlg.m_bSocketsReady = c.sockets;
        dlg.m_bCommandLine = c.commandLine;
        dlg.m_dwCmdAddress = c.address;
        dlg.m_strCmdUsbPort = c.usbPort;
        EXPECT_EQ(dlg.DoModal(), c.result);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, Message(c.message));
        EXPECT_EQ(boxes.shown[0].caption, L"Arvane Firmware Installer");
        EXPECT_EQ(boxes.shown[0].style, kIconError | kOk);
    }
}

TEST_F(MainDialogTest, FirmwareThatDoesNotFitTheBuildGives166) {
    for (const char* payload : {"060000", "bad"}) {
        SCOPED_TRACE(payload);
        CUpdater fresh;
        boxes.shown.clear();
        resources.Add(
            IDR_FIRMWARE, L"FIRMWARE",
            std::string(payload) == "bad"
                ? testing_puf::Bytes("not a container")
                : PackPufContainer(testing_puf::Bytes(testing_puf::Payload(payload, "2.80"))));
        CTarnelDlg dlg(services, fresh, ports);
        EXPECT_EQ(dlg.DoModal(), 5);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, Message(IDS_INSTALLER_CORRUPTED));
        EXPECT_EQ(fresh.m_pTarget, nullptr);
    }
}

TEST_F(MainDialogTest, MissingConfigurationIsFatal) {
    strings.Remove(IDS_CFG_MODELS);
    EXPECT_EQ(Run(), 5);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, Message(IDS_FATAL_ERROR));
}

TEST_F(MainDialogTest, UsbBuildOffersAutomaticDetectionWithoutAddress) {
    Script({Press(IDCANCEL)});
    Run();
    EXPECT_EQ(ComboTexts(), std::vector<CString>{L"Automatic Detection"});
    EXPECT_FALSE(last->IsItemEnabled(IDC_PORT_COMBO));
    EXPECT_FALSE(last->IsItemVisible(IDC_IPADDRESS));
    EXPECT_EQ(last->GetItemText(IDC_PORT_TEXT), L"USB");
    EXPECT_EQ(last->systemMenuItems.size(), 1u);
    EXPECT_EQ(last->bigIcon, std::optional<unsigned>(IDR_MAINFRAME));
}

TEST_F(MainDialogTest, UsbBuildWithCommandLinePortHasAnEmptyBoxAndNextStillWorks) {
    commandLine = TRUE;
    commandUsbPort = L"X";
    ports.ports.push_back(Printer(L"MDL:QZ-70;VER:2.70;"));
    std::optional<CString> model;
    Script({Inspect([&](FakeDialogWindow& window) {
                EXPECT_EQ(window.ComboGetCount(IDC_PORT_COMBO), 0);
                EXPECT_FALSE(window.IsItemEnabled(IDC_PORT_COMBO));
            }),
            Press(IDOK),
            Inspect([&](FakeDialogWindow& window) { model = window.GetItemText(IDC_MODEL_TEXT); }),
            Press(IDCANCEL)});
    boxes.answers = {platform::mb::kIdYes};
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(model, std::optional<CString>(L"QZ-70"));
    ASSERT_EQ(ports.requests.size(), 1u);
    EXPECT_TRUE(ports.requests[0].usb);
    EXPECT_EQ(ports.requests[0].code, 0x41);
    EXPECT_EQ(updater.m_nStatusFormat, 0);
}

TEST_F(MainDialogTest, NextReachesStepOneAndBackReturns) {
    NetworkBuild(L"Ethernet1");
    ports.ports.push_back(Printer(L"MDL:QZ-70;VER:2.70;"));
    std::vector<std::vector<CString>> labels;
    const auto look = Inspect([&](FakeDialogWindow& window) {
        labels.push_back({window.GetItemText(IDC_MODEL_TEXT), window.GetItemText(IDC_VERSION_TEXT),
                          window.GetItemText(IDOK), window.IsItemEnabled(IDC_BACK) ? L"back" : L"",
                          window.IsItemEnabled(IDC_IPADDRESS) ? L"address" : L""});
    });
    Script({fakes::TypeAddress(IDC_IPADDRESS, Host(127, 0, 0, 2)), Press(IDOK), look,
            Press(IDC_BACK), look, Press(IDCANCEL)});
    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0],
              (std::vector<CString>{L"QZ-70", L"From 2.70  To 2.80", L"Install", L"back", L""}));
    EXPECT_EQ(labels[1], (std::vector<CString>{L"Tessaro Series", L"From -.--  To 2.80", L"&Next",
                                               L"", L"address"}));
    ASSERT_EQ(ports.requests.size(), 1u);
    EXPECT_FALSE(ports.requests[0].usb);
    EXPECT_EQ(ports.requests[0].index, 0u);
    // Network byte order: the first octet in the lowest byte of memory.
    const auto address = ports.requests[0].address;
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&address)[0], 127);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&address)[3], 2);
    EXPECT_EQ(updater.m_nStatusFormat, -1);
    // Back detached the printer: closed and destroyed.
    EXPECT_EQ(updater.m_pPort, nullptr);
    EXPECT_NE(std::find(log->begin(), log->end(), "P.delete"), log->end());
    EXPECT_EQ(last->waitCursorDepth, 0);
    EXPECT_EQ(last->waitCursorCalls, 1);
}

TEST_F(MainDialogTest, RefusedPrintersAreReportedAndReleased) {
    struct Case {
        const char* name;
        std::optional<CString> identity;  // nullopt: no port at all
        CString text;
        unsigned style;
    };
    const Case cases[] = {
        {"no port", std::nullopt, L"", kIconExclamation | kOk},
        {"no answer", L"", L"", kIconExclamation | kOk},
        {"other model", L"MDL:QZ-90;VER:2.70;",
         L"This installer doesn't support QZ-90.\nDownload a proper installer for your printer.",
         kIconExclamation | kOk},
        {"current version", L"MDL:QZ-70;VER:2.80;",
         L"Current version is 2.80. \nInstallation is not necessary.", kIconInformation | kOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUpdater fresh;
        boxes.shown.clear();
        log->clear();
        NetworkBuild();
        if (c.identity) {
            ports.ports.push_back(Printer(*c.identity));
        }
        dialogs.Script(IDD_TARNEL_DIALOG, {Press(IDOK), Press(IDCANCEL)});
        CTarnelDlg dlg(services, fresh, ports);
        dlg.m_bSocketsReady = TRUE;
        // Still in step 0: Cancel ends at once without asking.
        EXPECT_EQ(dlg.DoModal(), 1);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, c.text.empty() ? Message(IDS_NO_PRINTER_NETWORK) : c.text);
        EXPECT_EQ(boxes.shown[0].style, c.style);
        EXPECT_EQ(fresh.m_pPort, nullptr);
        if (c.identity) {
            EXPECT_EQ(log->back(), "P.delete");
            EXPECT_EQ(log->at(log->size() - 2), "P.Close");
        }
    }
}

TEST_F(MainDialogTest, CancelInStepOneAsksAndNoKeepsTheDialog) {
    NetworkBuild();
    ports.ports.push_back(Printer(L"MDL:QZ-70;VER:2.70;"));
    bool stillInStepOne = false;
    Script({Press(IDOK), Press(IDCANCEL), Inspect([&](FakeDialogWindow& window) {
                stillInStepOne = window.IsItemEnabled(IDC_BACK) && !window.endResult;
            }),
            Press(IDCANCEL)});
    boxes.answers = {platform::mb::kIdNo, platform::mb::kIdYes};
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(stillInStepOne);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, Message(IDS_CONFIRM_EXIT));
    EXPECT_EQ(boxes.shown[0].style, platform::mb::kYesNo | platform::mb::kDefButton2);
}

TEST_F(MainDialogTest, ToolTipShowsTheSelectedLabelCutAfter76Characters) {
    NetworkBuild();
    const std::string nick(77 - std::string(" [ QZ-70 ] ").size(), 'n');
    DeviceFile(DeviceRecord(nick, "QZ-70", FileAddress(10, 0, 0, 7)) +
               DeviceRecord("", "Arvane QZ-70", FileAddress(10, 0, 0, 8)));
    std::vector<std::pair<BOOL, CString>> tips;
    const auto ask = [&](bool byWindow, int id) {
        return [&tips, byWindow, id](FakeDialogWindow&, platform::CDialog& dialog) {
            platform::ToolTipRequest request;
            request.toolIsWindow = byWindow;
            request.controlId = id;
            const BOOL handled = dialog.OnToolTipNeedText(request);
            tips.emplace_back(handled, request.text);
        };
    };
    Script({ask(true, IDC_PORT_COMBO), fakes::Select(IDC_PORT_COMBO, 1), ask(true, IDC_PORT_COMBO),
            ask(false, IDC_PORT_COMBO), ask(true, IDOK), Press(IDCANCEL)});
    Run();
    ASSERT_EQ(tips.size(), 4u);
    EXPECT_EQ(tips[0], std::make_pair(TRUE, CString(L"Arvane QZ-70 ")));
    const CString label = CString(nick.begin(), nick.end()) + L" [ QZ-70 ] ";
    ASSERT_EQ(label.size(), 77u);
    EXPECT_EQ(tips[1], std::make_pair(TRUE, label.substr(0, 76) + L"..."));
    EXPECT_EQ(tips[2].first, FALSE);
    EXPECT_EQ(tips[3].first, FALSE);
}

TEST_F(MainDialogTest, AboutItemOpensTheAboutBoxWithSeriesAndVersion) {
    NetworkBuild();
    CString aboutText;
    dialogs.onInit = [&](platform::CDialog&, FakeDialogWindow& window) {
        if (window.HasItem(IDC_ABOUT_VERSION)) {
            aboutText = window.GetItemText(IDC_ABOUT_VERSION);
        }
    };
    dialogs.Script(IDD_ABOUTBOX, {Press(IDOK)});
    Script({fakes::SystemCommand(IDM_ABOUTBOX), Press(IDCANCEL)});
    Run();
    EXPECT_EQ(dialogs.runTemplates, (std::vector<unsigned>{IDD_TARNEL_DIALOG, IDD_ABOUTBOX}));
    EXPECT_EQ(aboutText, L"Tessaro Series  Version 2.80");
}

TEST_F(MainDialogTest, InstallReportsTheOutcomeAndEndsWithItsExitCode) {
    const CString older = L"MDL:QZ-70;VER:2.70;STATUS:80000000;";
    const CString notReady = L"MDL:QZ-70;VER:2.70;STATUS:00000000;";
    const CString installed = L"MDL:QZ-70;VER:2.80;STATUS:80000000;";
    struct Case {
        const char* name;
        std::deque<std::optional<CString>> replies;  // after the one that attaches
        std::deque<int> answers;                     // to the message boxes, in turn
        int result;
        std::vector<CString> texts;
    };
    const std::vector<Case> cases = {
        {"installed", {older, installed, installed}, {}, 0, {Message(IDS_INSTALL_SUCCEEDED)}},
        {"not ready, then ready",
         {notReady, older, installed},
         {},
         0,
         {Message(IDS_TURN_OFF_SUB_POWER), Message(IDS_INSTALL_SUCCEEDED)}},
        {"no answer to the readiness check", {std::nullopt}, {}, 4, {Message(IDS_SEND_FAILED)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUpdater fresh;
        boxes.shown.clear();
        NetworkBuild(L"Ethernet1");
        auto replies = c.replies;
        replies.push_front(older);
        ports.ports.push_back(std::make_unique<fakes::ScriptedPort>("P", log, replies));
        // Next, Install, and Install again for the not-ready case.
        dialogs.Script(IDD_TARNEL_DIALOG, {Press(IDOK), Press(IDOK), Press(IDOK)});
        CTarnelDlg dlg(services, fresh, ports);
        dlg.m_bSocketsReady = TRUE;
        EXPECT_EQ(dlg.DoModal(), c.result);
        std::vector<CString> texts;
        for (const auto& box : boxes.shown) {
            texts.push_back(box.text);
        }
        EXPECT_EQ(texts, c.texts);
    }
}

TEST_F(MainDialogTest, ConfirmedAbortEndsWithOneAndNoMessage) {
    NetworkBuild(L"Ethernet1");
    ports.ports.push_back(Printer(L"MDL:QZ-70;VER:2.70;STATUS:80000000;"));
    Script({Press(IDOK), Press(IDOK)});
    dialogs.Script(IDD_SENDSTATUS, {[](FakeDialogWindow&, platform::CDialog& dialog) {
                       dialog.OnRButtonDblClk(platform::mk::kLButton | platform::mk::kRButton |
                                                  platform::mk::kControl | platform::mk::kShift,
                                              10, 10);
                   }});
    boxes.answers = {platform::mb::kIdYes};
    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, Message(IDS_CONFIRM_EXIT));
}

}  // namespace
