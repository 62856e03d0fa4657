#include "app/tarnel_dlg.h"

#include "app/exit_code.h"
#include "resource.h"

CTarnelDlg::CTarnelDlg(platform::Services& services)
    : CDialog(services.dialogs, IDD_TARNEL_DIALOG) {}

void CTarnelDlg::OnCancel() {
    EndDialog(TarnelExitCode::EXIT_CANCELED);
}
