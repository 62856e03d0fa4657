// The progress window of the installation (template 136). One window timer drives
// it: it puts the printer into update mode, sends the whole firmware a minute later
// and then asks the printer every five seconds whether it reports the carried
// version. DoModal returns one of the end codes below.
#pragma once

#include <array>

#include "platform/dialog.h"
#include "platform/services.h"

class CUpdater;

enum SendStatusResult : int {
    SENDSTATUS_INSTALLED = 16,
    SENDSTATUS_NO_TIMER = 17,       // the timer did not start
    SENDSTATUS_SEND_FAILED = 18,    // BeginUpdate or SendData failed, or nothing to send
    SENDSTATUS_MODEL_REFUSED = 19,  // the printer reported an unsupported model
    SENDSTATUS_NOT_CONFIRMED = 20,  // 36 checks without the carried version
    SENDSTATUS_ABANDONED = 21,      // the user confirmed the hidden abort
};

class CSendStatusDlg : public platform::CDialog {
  public:
    // Works on `updater`'s target, image and port; the product passes
    // CUpdater::GetInstance().
    CSendStatusDlg(platform::Services& services, CUpdater& updater);

    BOOL m_bInstalling = FALSE;  // the firmware is sent; polling for completion
    BOOL m_bWaiting = FALSE;     // the printer is in update mode; waiting to send
    BOOL m_bIplMode = FALSE;     // set by the creator: the printer is in its loader mode
    unsigned m_nTimerId = 0;     // of the last timer start; 0 when it failed
    // The animation frames, shown by the window at 48 by 48 pixels.
    std::array<unsigned, 4> m_hIcons{};
    unsigned m_nPolls = 0;  // completion checks so far that did not succeed

    BOOL OnInitDialog() override;
    void OnTimer(unsigned id) override;
    void OnRButtonDblClk(unsigned keys, int x, int y) override;
    // Enter, Esc and the close command cannot end the installation.
    void OnOK() override;
    void OnCancel() override;
    void DestroyWindow() override;

  private:
    void AnimateIcon();
    void BeginStep();
    void SendStep();
    void CheckStep();
    bool StartTimer(unsigned milliseconds);
    void StopTimer();
    void Finish(int result);

    platform::Services& m_services;
    CUpdater& m_updater;
    unsigned m_nFrame = 0;
    unsigned m_nWaitTicks = 0;
    unsigned m_nPollTicks = 0;
    bool m_bFinished = false;
};
