// The About box (template 100), opened from the main dialog's system menu: the
// program's title lines and, in control 1009, the series and firmware version of
// this build.
#pragma once

#include "platform/dialog.h"
#include "platform/services.h"

class CAboutDlg : public platform::CDialog {
  public:
    CAboutDlg(platform::Services& services, CString text);

    BOOL OnInitDialog() override;

    CString m_versionText;

  private:
    platform::Graphics& m_graphics;
};
