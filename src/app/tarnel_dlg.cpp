#include "app/tarnel_dlg.h"

#include <algorithm>
#include <memory>
#include <new>

#include "app/about_dlg.h"
#include "app/build_config.h"
#include "app/dialog_font.h"
#include "app/exit_code.h"
#include "app/firmware_target.h"
#include "app/install_outcome.h"
#include "app/message_ids.h"
#include "app/messages.h"
#include "app/network_order.h"
#include "app/send_status_dlg.h"
#include "app/text_format.h"
#include "app/version.h"
#include "app/wait_cursor.h"
#include "discovery/device_info_file.h"
#include "discovery/device_info_parser.h"
#include "discovery/utf8_text_file.h"
#include "image/puf_image.h"
#include "install/updater.h"
#include "platform/graphics.h"
#include "platform/message_box.h"
#include "platform/string_table.h"
#include "ports/port_factory.h"
#include "resource.h"

namespace {

constexpr int kStepSelect = 0;
constexpr int kStepInstall = 1;
constexpr int kDeviceFileGenerations = 2;
constexpr unsigned kAboutCommandMask = 0xFFF0;

}  // namespace

CTarnelDlg::CTarnelDlg(platform::Services& services, CUpdater& updater, PortFactory& ports)
    : CDialog(services.dialogs, IDD_TARNEL_DIALOG),
      m_logo(services.graphics),
      m_services(services),
      m_updater(updater),
      m_ports(ports) {}

CString CTarnelDlg::Text(unsigned id) const {
    return m_services.strings.Load(id).value_or(CString());
}

CString CTarnelDlg::RequireString(unsigned id) const {
    const auto text = m_services.strings.Load(id);
    if (!text) {
        throw ERR_FATAL;
    }
    return *text;
}

int CTarnelDlg::Show(unsigned id, unsigned style) {
    return ShowMessage(m_services.strings, m_services.messageBoxes, id, style);
}

unsigned CTarnelDlg::MessageOf(TarnelError error) {
    switch (error) {
        case ERR_ILLEGAL_PARAMETER:
            return IDS_ILLEGAL_PARAMETER;
        case ERR_SOCKET:
            return IDS_SOCKET_INIT_FAILED;
        case ERR_IMAGE_LOAD:
        case ERR_IMAGE_TARGET:
            return IDS_INSTALLER_CORRUPTED;
        case ERR_FATAL:
        default:
            return IDS_FATAL_ERROR;
    }
}

BOOL CTarnelDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (const CString about = Text(IDS_ABOUTBOX); !about.empty()) {
        Window().AppendSystemMenuItem(IDM_ABOUTBOX, about);
    }
    Window().SetBigIcon(IDR_MAINFRAME);
    Window().EnableToolTips();
    ApplyDialogFont(Window(), GetDialogFont(m_services.graphics));

    int resultCode = TarnelExitCode::EXIT_FATAL_ERROR;
    // Both belong to the updater once it accepts them; until then a failure frees them.
    std::unique_ptr<FirmwareTarget> target;
    std::unique_ptr<CPufImage> image;
    try {
        ShowLogo();
        RequireString(IDS_CFG_SERIES);
        const CString version = RequireString(IDS_CFG_FIRMWARE_VERSION);
        const CString models = RequireString(IDS_CFG_MODELS);

        m_nPortType = GetPortType(m_services.strings);
        Window().SetItemText(IDC_PORT_TEXT, IsUsbKind() ? L"USB" : L"Ethernet");

        target = std::make_unique<FirmwareTarget>(VersionToHundredths(version),
                                                  GetProductCode(m_services.strings), models);
        const FirmwareTarget& filter = *target;
        image = std::make_unique<CPufImage>();
        if (!image->Load(m_services.resources, IDR_FIRMWARE, L"FIRMWARE")) {
            throw ERR_IMAGE_LOAD;
        }
        if (!m_updater.SetFirmware(target, image)) {
            throw ERR_IMAGE_TARGET;
        }

        if (!Window().HasItem(IDC_PORT_COMBO)) {
            throw ERR_FATAL;
        }
        if (IsUsbKind()) {
            if (m_bCommandLine && m_strCmdUsbPort.empty()) {
                throw ERR_ILLEGAL_PARAMETER;
            }
            Window().ShowItem(IDC_IPADDRESS, false);
        } else {
            OfferNetworkPrinters(filter);
        }

        if (!m_bCommandLine) {
            const CString last =
                RequireString(IsUsbKind() ? IDS_AUTO_DETECTION : IDS_INPUT_IP_ADDRESS);
            Window().ComboInsertString(IDC_PORT_COMBO, Window().ComboGetCount(IDC_PORT_COMBO),
                                       last);
        }
        WidenDropDown();
        Window().ComboSetCurSel(IDC_PORT_COMBO, 0);
        SetStep(kStepSelect);
    } catch (TarnelError error) {
        Show(MessageOf(error), platform::mb::kIconError | platform::mb::kOk);
        if (error == ERR_ILLEGAL_PARAMETER) {
            resultCode = TarnelExitCode::EXIT_ILLEGAL_PARAMETER;
        }
        EndDialog(resultCode);
    } catch (const std::bad_alloc&) {
        Show(IDS_OUT_OF_MEMORY, platform::mb::kOk);
        EndDialog(resultCode);
    }
    return FALSE;
}

void CTarnelDlg::ShowLogo() {
    if (!Window().HasItem(IDC_LOGO)) {
        return;
    }
    const std::uint32_t face = m_services.graphics.FaceColour();
    if (m_logo.LoadImages() && m_logo.BlendOnto(face)) {
        Window().SetItemBitmap(IDC_LOGO, m_logo);
    }
}

int CTarnelDlg::ReadPrinterSource(int generation) {
    if (m_bCommandLine) {
        if (m_dwCmdAddress == 0) {
            throw ERR_ILLEGAL_PARAMETER;
        }
        m_portList.Add(std::make_unique<CPortInfo>(L"", m_dwCmdAddress, L""));
        return 1;
    }
    DeviceInfoLocation location;
    const CString path =
        FindDeviceInfoFile(m_services.registry, m_services.files, generation, location);
    return ParseDeviceInfo(ReadUtf8TextFile(m_services.files, path), m_portList);
}

void CTarnelDlg::OfferNetworkPrinters(const FirmwareTarget& target) {
    for (int generation = 0; generation < kDeviceFileGenerations; ++generation) {
        if (!m_bSocketsReady) {
            throw ERR_SOCKET;
        }
        // The list was empty before this source, so its records come first.
        const int added = ReadPrinterSource(generation);
        int offered = 0;
        for (int index = 0; index < added; ++index) {
            CPortInfo* record = m_portList.GetAt(index);
            if (record == nullptr || record->m_kind != CPortInfo::KIND_NETWORK) {
                continue;
            }
            if (!m_bCommandLine && !target.IsSupportedModel(record->m_modelName, TRUE)) {
                continue;
            }
            ++offered;
            const int item = Window().ComboAddString(IDC_PORT_COMBO, record->Label());
            if (item != platform::kComboError) {
                Window().ComboSetItemData(IDC_PORT_COMBO, item,
                                          reinterpret_cast<std::uintptr_t>(record));
            }
        }
        if (offered > 0) {
            return;
        }
        m_portList.RemoveAll();
    }
}

void CTarnelDlg::WidenDropDown() {
    const auto widest = Window().ComboWidestItemText(IDC_PORT_COMBO);
    if (!widest) {
        return;
    }
    const int current = Window().ComboGetDroppedWidth(IDC_PORT_COMBO);
    Window().ComboSetDroppedWidth(IDC_PORT_COMBO, std::max(current, *widest));
}

void CTarnelDlg::SetStep(BOOL step) {
    Window().FocusItem(IDOK);
    Window().EnableItem(IDC_PORT_COMBO, step == kStepSelect);
    Window().EnableItem(IDC_IPADDRESS, step == kStepSelect);
    Window().EnableItem(IDC_BACK, step == kStepInstall);

    const auto version = m_services.strings.Load(IDS_CFG_FIRMWARE_VERSION);
    const auto caption = m_services.strings.Load(step == kStepSelect ? IDS_NEXT : IDS_INSTALL);
    if (!version || !caption) {
        return;
    }
    CString model;
    CString from;
    if (step == kStepInstall) {
        model = m_updater.m_strModel;
        from = FormatVersion(m_updater.m_nPrinterVersion);
    } else {
        m_updater.DetachPrinter();
        const auto series = m_services.strings.Load(IDS_CFG_SERIES);
        if (!series) {
            return;
        }
        model = *series;
        from = L"-.--";
    }
    Window().SetItemText(IDC_MODEL_TEXT, model);
    Window().SetItemText(IDC_VERSION_TEXT, FormatText(L"From %s  To %s", {from, *version}));
    Window().SetItemText(IDOK, *caption);
    if (step == kStepSelect) {
        UpdateAddressControl();
    }
}

void CTarnelDlg::UpdateAddressControl() {
    if (!Window().HasItem(IDC_PORT_COMBO) || !Window().HasItem(IDC_IPADDRESS)) {
        return;
    }
    if (Window().ComboGetCount(IDC_PORT_COMBO) <= 1) {
        Window().EnableItem(IDC_PORT_COMBO, false);
    }
    if (IsUsbKind()) {
        return;
    }
    const int selection = Window().ComboGetCurSel(IDC_PORT_COMBO);
    if (selection >= 0 && selection < m_portList.GetCount()) {
        const std::uintptr_t data = Window().ComboGetItemData(IDC_PORT_COMBO, selection);
        if (data != 0) {
            Window().SetAddress(IDC_IPADDRESS,
                                reinterpret_cast<const CPortInfo*>(data)->m_ipAddress);
            Window().EnableItem(IDC_IPADDRESS, false);
            return;
        }
    }
    Window().EnableItem(IDC_IPADDRESS, true);
    Window().FocusItem(IDC_IPADDRESS);
}

bool CTarnelDlg::OnSysCommand(unsigned commandId, std::intptr_t /*lParam*/) {
    if ((commandId & kAboutCommandMask) != IDM_ABOUTBOX) {
        return false;
    }
    const auto series = m_services.strings.Load(IDS_CFG_SERIES);
    const auto version = m_services.strings.Load(IDS_CFG_FIRMWARE_VERSION);
    const CString text =
        series && version ? FormatText(L"%s  Version %s", {*series, *version}) : CString();
    CAboutDlg about(m_services, text);
    about.DoModal();
    return true;
}

BOOL CTarnelDlg::OnCommand(int id, unsigned notifyCode) {
    if (id == IDOK) {
        OnBnClickedOk();
        return TRUE;
    }
    if (id == IDC_BACK && notifyCode == platform::kButtonClicked) {
        OnBnClickedBack();
        return TRUE;
    }
    if (id == IDC_PORT_COMBO && notifyCode == platform::kComboSelectionChange) {
        OnCbnSelchangePort();
        return TRUE;
    }
    return CDialog::OnCommand(id, notifyCode);
}

void CTarnelDlg::OnBnClickedOk() {
    if (m_updater.m_pPort == nullptr) {
        DetectPrinter();
    } else {
        InstallFirmware();
    }
}

void CTarnelDlg::DetectPrinter() {
    std::unique_ptr<CPort> port;
    int statusFormat = 0;
    if (IsUsbKind()) {
        port = m_ports.CreateUSBPort(m_nPortType);
        statusFormat = (m_nPortType & 0x20) != 0 ? kStatusFormatLeadingEight : kStatusFormatRecords;
    } else {
        const std::uint32_t address = HostToNetworkOrder(Window().GetAddress(IDC_IPADDRESS));
        const auto index = static_cast<unsigned>(m_nPortType - 0x11);
        if (index <= 0x70) {
            port = m_ports.CreateNetworkPort(address, index);
        }
        statusFormat = m_nPortType == 0x11 ? kStatusFormatLeadingEight : kStatusFormatRecords;
    }
    const WaitCursor wait(Window());
    const int result = m_updater.AttachPrinter(port, statusFormat);
    if (result == ATTACH_ACCEPTED) {
        SetStep(kStepInstall);
        return;
    }
    CString text;
    unsigned style = platform::mb::kIconExclamation | platform::mb::kOk;
    switch (result) {
        case ATTACH_MODEL_REFUSED:
            text = FormatText(Text(IDS_MODEL_NOT_SUPPORTED), {m_updater.m_strModel});
            break;
        case ATTACH_VERSION_REFUSED:
            text =
                FormatText(Text(IDS_ALREADY_CURRENT), {FormatVersion(m_updater.m_nPrinterVersion)});
            style = platform::mb::kIconInformation | platform::mb::kOk;
            break;
        default:
            text = Text(IsUsbKind() ? IDS_NO_PRINTER_USB : IDS_NO_PRINTER_NETWORK);
            break;
    }
    if (!text.empty()) {
        m_services.messageBoxes.Show(text, Text(AFX_IDS_APP_TITLE), style);
    }
    if (port != nullptr) {
        port->Close();
        port.reset();
    }
}

void CTarnelDlg::OnBnClickedBack() {
    SetStep(kStepSelect);
}

void CTarnelDlg::OnCancel() {
    if (m_updater.m_pPort != nullptr) {
        const int answer = Show(IDS_CONFIRM_EXIT, platform::mb::kYesNo | platform::mb::kDefButton2);
        if (answer == platform::mb::kIdYes) {
            EndDialog(TarnelExitCode::EXIT_CANCELED);
        }
        return;
    }
    EndDialog(TarnelExitCode::EXIT_CANCELED);
}

void CTarnelDlg::OnCbnSelchangePort() {
    UpdateAddressControl();
}

BOOL CTarnelDlg::OnToolTipNeedText(platform::ToolTipRequest& request) {
    if (!request.toolIsWindow || request.controlId != IDC_PORT_COMBO) {
        return FALSE;
    }
    const int selection = Window().ComboGetCurSel(IDC_PORT_COMBO);
    if (selection == platform::kComboError) {
        return FALSE;
    }
    const CString label = Window().ComboGetItemText(IDC_PORT_COMBO, selection);
    // As lstrcpynW with a limit of 79: at most 78 characters and the terminator.
    constexpr std::size_t kCopyLimit = 79;
    constexpr std::size_t kShownWhole = 76;
    const std::size_t copied = std::min(label.size(), kCopyLimit - 1);
    std::copy_n(label.begin(), copied, request.text);
    request.text[copied] = L'\0';
    if (label.size() > kShownWhole) {
        std::copy_n(L"...", 4, request.text + kShownWhole);
    }
    return TRUE;
}

void CTarnelDlg::InstallFirmware() {
    const WaitCursor wait(Window());
    const int ready = m_updater.CheckReady();
    if (ready == READY_NOT_READY) {
        Show(IDS_TURN_OFF_SUB_POWER, platform::mb::kIconExclamation | platform::mb::kOk);
        return;
    }
    InstallOutcome outcome{IDS_SEND_FAILED, platform::mb::kIconError,
                           TarnelExitCode::EXIT_INSTALL_FAILED};
    if (ready == READY_ACCEPTED || ready == READY_LOADER_MODE) {
        CSendStatusDlg progress(m_services, m_updater);
        progress.m_bIplMode = ready == READY_LOADER_MODE ? TRUE : FALSE;
        outcome = OutcomeOfProgress(progress.DoModal(), m_nPortType);
    }
    if (outcome.message != 0) {
        Show(outcome.message, outcome.icon | platform::mb::kOk);
    }
    EndDialog(outcome.exitCode);
}
