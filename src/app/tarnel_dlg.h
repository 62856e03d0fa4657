// The installer's main wizard dialog (template 102).
#pragma once

#include <cstdint>

#include "platform/dialog.h"
#include "platform/services.h"

class CTarnelDlg : public platform::CDialog {
  public:
    explicit CTarnelDlg(platform::Services& services);

    // Handed over by the application object before the dialog runs.
    BOOL m_bSocketsReady = FALSE;
    BOOL m_bCommandLine = FALSE;
    std::uint32_t m_dwCmdAddress = 0;  // host byte order; 0 when none or invalid
    CString m_strCmdUsbPort;

    void OnCancel() override;
};
