#include "app/send_status_dlg.h"

#include "app/dialog_font.h"
#include "app/message_ids.h"
#include "app/messages.h"
#include "app/wait_cursor.h"
#include "install/updater.h"
#include "platform/message_box.h"
#include "platform/string_table.h"
#include "resource.h"

namespace {

constexpr unsigned kTimerId = 1;
constexpr int kIconSize = 48;  // pixels

// The printer gets 50 ms for the window to appear, a minute in update mode before
// the firmware comes, and a completion check every 20 ticks of 250 ms (5 seconds)
// while the animation runs four frames a second.
constexpr unsigned kStartPeriodMs = 50;
constexpr unsigned kWaitPeriodMs = 1000;
constexpr unsigned kWaitTicks = 60;
constexpr unsigned kPollPeriodMs = 250;
constexpr unsigned kTicksPerCheck = 20;
constexpr unsigned kMaxFailedChecks = 36;

// Right double-click with these held: the hidden abort.
constexpr unsigned kAbortKeys =
    platform::mk::kLButton | platform::mk::kControl | platform::mk::kShift;

}  // namespace

CSendStatusDlg::CSendStatusDlg(platform::Services& services, CUpdater& updater)
    : CDialog(services.dialogs, IDD_SENDSTATUS), m_services(services), m_updater(updater) {}

BOOL CSendStatusDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ApplyDialogFont(Window(), GetDialogFont(m_services.graphics));
    if (const auto title = m_services.strings.Load(AFX_IDS_APP_TITLE)) {
        Window().SetCaption(*title);
    }
    m_hIcons = {IDI_PROGRESS1, IDI_PROGRESS2, IDI_PROGRESS3, IDI_PROGRESS4};
    AnimateIcon();
    m_nPolls = 0;
    // Without a timer nothing would ever happen, and Esc cannot close this window.
    if (!StartTimer(kStartPeriodMs)) {
        Finish(SENDSTATUS_NO_TIMER);
    }
    return TRUE;
}

void CSendStatusDlg::AnimateIcon() {
    if (!Window().HasItem(IDC_STATUS_ICON)) {
        return;
    }
    Window().SetItemIcon(IDC_STATUS_ICON, m_hIcons[m_nFrame], kIconSize);
    m_nFrame = (m_nFrame + 1) % m_hIcons.size();
}

void CSendStatusDlg::OnTimer(unsigned id) {
    if (id != kTimerId) {
        CDialog::OnTimer(id);
        return;
    }
    // In the polling phase both flags are set.
    if (m_bInstalling) {
        AnimateIcon();
        if (++m_nPollTicks == kTicksPerCheck) {
            CheckStep();
            m_nPollTicks = 0;
        }
    } else if (m_bWaiting) {
        AnimateIcon();
        if (++m_nWaitTicks == kWaitTicks) {
            StopTimer();
            SendStep();
            m_nWaitTicks = 0;
        }
    } else {
        StopTimer();
        BeginStep();
    }
}

void CSendStatusDlg::BeginStep() {
    Window().SetItemText(IDC_STATUS_TEXT, m_services.strings.Load(IDS_SENDING).value_or(CString()));
    const WaitCursor wait(Window());
    if (m_updater.m_pTarget && m_updater.m_pImage && m_updater.m_pPort &&
        m_updater.m_pPort->BeginUpdate()) {
        if (StartTimer(kWaitPeriodMs)) {
            m_bWaiting = TRUE;
        } else {
            Finish(SENDSTATUS_NO_TIMER);
        }
    } else {
        Finish(SENDSTATUS_SEND_FAILED);
    }
}

void CSendStatusDlg::SendStep() {
    const WaitCursor wait(Window());
    // A chunk size of 0 leaves the chunking to the port.
    if (m_updater.m_pTarget && m_updater.m_pImage && m_updater.m_pPort &&
        m_updater.m_pPort->SendData(m_updater.m_pImage->m_pData.get(),
                                    m_updater.m_pImage->m_nLength, 0)) {
        if (StartTimer(kPollPeriodMs)) {
            const unsigned text = m_bIplMode ? IDS_INSTALLING_PANEL : IDS_INSTALLING;
            Window().SetItemText(IDC_STATUS_TEXT,
                                 m_services.strings.Load(text).value_or(CString()));
            m_bInstalling = TRUE;
        } else {
            Finish(SENDSTATUS_NO_TIMER);
        }
    } else {
        Finish(SENDSTATUS_SEND_FAILED);
    }
}

void CSendStatusDlg::CheckStep() {
    switch (m_updater.CheckInstalled()) {
        case INSTALLED_CONFIRMED:
            Finish(SENDSTATUS_INSTALLED);
            break;
        case INSTALLED_UNUSABLE:
        case INSTALLED_NO_REPLY:
        case INSTALLED_OTHER_VERSION:
        case INSTALLED_LOADER_MODE:
            if (++m_nPolls == kMaxFailedChecks) {
                Finish(SENDSTATUS_NOT_CONFIRMED);
            }
            break;
        default:
            Finish(SENDSTATUS_MODEL_REFUSED);
            break;
    }
}

void CSendStatusDlg::OnRButtonDblClk(unsigned keys, int /*x*/, int /*y*/) {
    if ((keys & kAbortKeys) != kAbortKeys) {
        return;
    }
    // The timer keeps running while the question is open.
    if (ShowMessage(m_services.strings, m_services.messageBoxes, IDS_CONFIRM_EXIT,
                    platform::mb::kYesNo | platform::mb::kDefButton2) == platform::mb::kIdYes) {
        Finish(SENDSTATUS_ABANDONED);
    }
}

void CSendStatusDlg::OnOK() {}

void CSendStatusDlg::OnCancel() {}

void CSendStatusDlg::DestroyWindow() {
    StopTimer();
    CDialog::DestroyWindow();
}

bool CSendStatusDlg::StartTimer(unsigned milliseconds) {
    m_nTimerId = Window().SetTimer(kTimerId, milliseconds) ? kTimerId : 0;
    return m_nTimerId != 0;
}

void CSendStatusDlg::StopTimer() {
    if (m_nTimerId != 0) {
        Window().KillTimer(m_nTimerId);
    }
}

// The first outcome stands: ticks delivered while the abort question is open may
// end the installation before the user answers Yes. Stopping the timer keeps the
// printer from being asked again after the end.
void CSendStatusDlg::Finish(int result) {
    if (m_bFinished) {
        return;
    }
    m_bFinished = true;
    StopTimer();
    EndDialog(result);
}
