#include "platform/dialog.h"

#include <new>

#include "platform/error_report.h"
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

BOOL RunMessageHandler(const StringTable& strings, MessageBoxes& boxes,
                       const std::function<BOOL()>& handler, BOOL fallback) {
    try {
        return handler();
    } catch (const FileError& error) {
        ReportFileError(strings, boxes, error);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(strings, boxes);
    }
    return fallback;
}

}  // namespace platform
