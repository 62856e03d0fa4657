#include "platform/dialog.h"

#include "resource.h"

namespace platform {

int CDialog::DoModal() {
    const int result = m_host.RunModal(m_templateId, *this);
    m_pWindow = nullptr;
    return result;
}

BOOL CDialog::OnCommand(int id, unsigned /*notifyCode*/) {
    switch (id) {
        case IDOK:
            OnOK();
            return TRUE;
        case IDCANCEL:
            OnCancel();
            return TRUE;
        default:
            return FALSE;
    }
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    if (m_pWindow != nullptr) {
        m_pWindow->End(result);
    }
}

}  // namespace platform
