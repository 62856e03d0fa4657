#include <optional>

#include "platform/win32/win32_services.h"

namespace platform::win32 {

namespace {

class Win32DialogWindow final : public DialogWindow {
  public:
    explicit Win32DialogWindow(HWND hwnd) : m_hwnd(hwnd) {}

    void End(int result) override { ::EndDialog(m_hwnd, result); }
    void SetCaption(const CString& text) override { SetWindowTextW(m_hwnd, text.c_str()); }
    bool HasItem(int id) const override { return GetDlgItem(m_hwnd, id) != nullptr; }

    CString GetItemText(int id) const override {
        const HWND item = GetDlgItem(m_hwnd, id);
        const int length = item != nullptr ? GetWindowTextLengthW(item) : 0;
        CString text(static_cast<std::size_t>(length) + 1, L'\0');
        const int copied = item != nullptr ? GetWindowTextW(item, text.data(), length + 1) : 0;
        text.resize(static_cast<std::size_t>(copied));
        return text;
    }

    void SetItemText(int id, const CString& text) override {
        SetDlgItemTextW(m_hwnd, id, text.c_str());
    }

  private:
    HWND m_hwnd;
};

// Lives on the stack of RunModal for the whole modal loop.
struct ModalContext {
    CDialog& dialog;
    std::optional<Win32DialogWindow> window;
};

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* context = reinterpret_cast<ModalContext*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        context->window.emplace(hwnd);
        context->dialog.Attach(&*context->window);
        return context->dialog.OnInitDialog();
    }
    auto* context = reinterpret_cast<ModalContext*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (context == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            return context->dialog.OnCommand(LOWORD(wParam), HIWORD(wParam));
        default:
            return FALSE;
    }
}

}  // namespace

int Win32DialogHost::RunModal(unsigned templateId, CDialog& dialog) {
    ModalContext context{dialog, std::nullopt};
    const INT_PTR result =
        DialogBoxParamW(m_module, MAKEINTRESOURCEW(templateId), GetActiveWindow(), DialogProc,
                        reinterpret_cast<LPARAM>(&context));
    dialog.Attach(nullptr);
    return static_cast<int>(result);
}

}  // namespace platform::win32
