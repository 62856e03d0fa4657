#include "app/about_dlg.h"

#include <utility>

#include "app/dialog_font.h"
#include "resource.h"

CAboutDlg::CAboutDlg(platform::Services& services, CString text)
    : CDialog(services.dialogs, IDD_ABOUTBOX),
      m_versionText(std::move(text)),
      m_graphics(services.graphics) {}

BOOL CAboutDlg::OnInitDialog() {
    ApplyDialogFont(Window(), GetDialogFont(m_graphics));
    Window().SetItemText(IDC_ABOUT_VERSION, m_versionText);
    return CDialog::OnInitDialog();
}
