// windows.h (through win32_services.h) must come before commctrl.h.
#include "platform/win32/win32_services.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "platform/graphics.h"

namespace platform::win32 {

namespace {

class Win32DialogWindow final : public DialogWindow {
  public:
    Win32DialogWindow(HWND hwnd, HINSTANCE module) : m_hwnd(hwnd), m_module(module) {}
    ~Win32DialogWindow() override {
        for (const auto& [key, icon] : m_icons) {
            DestroyIcon(icon);
        }
        if (m_bigIcon != nullptr) {
            DestroyIcon(m_bigIcon);
        }
    }
    Win32DialogWindow(const Win32DialogWindow&) = delete;
    Win32DialogWindow& operator=(const Win32DialogWindow&) = delete;

    void End(int result) override { ::EndDialog(m_hwnd, result); }
    void SetCaption(const CString& text) override { SetWindowTextW(m_hwnd, text.c_str()); }

    void SetBigIcon(unsigned iconId) override {
        const HICON icon = static_cast<HICON>(LoadImageW(m_module, MAKEINTRESOURCEW(iconId),
                                                         IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                         GetSystemMetrics(SM_CYICON), 0));
        if (icon == nullptr) {
            return;
        }
        SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        if (m_bigIcon != nullptr) {
            DestroyIcon(m_bigIcon);
        }
        m_bigIcon = icon;
    }

    bool AppendSystemMenuItem(unsigned commandId, const CString& text) override {
        const HMENU menu = GetSystemMenu(m_hwnd, FALSE);
        if (menu == nullptr) {
            return false;
        }
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, commandId, text.c_str());
        return true;
    }

    void EnableToolTips() override {
        if (m_toolTip != nullptr) {
            return;
        }
        m_toolTip = CreateWindowExW(
            WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr, m_module, nullptr);
        if (m_toolTip == nullptr) {
            return;
        }
        for (HWND child = GetWindow(m_hwnd, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = m_hwnd;
            tool.uId = reinterpret_cast<UINT_PTR>(child);
            tool.lpszText = LPSTR_TEXTCALLBACKW;
            SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }

    void BeginWaitCursor() override {
        ++m_waitCursors;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }

    void EndWaitCursor() override {
        m_waitCursors = std::max(0, m_waitCursors - 1);
        if (m_waitCursors == 0) {
            SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        }
    }

    bool SetTimer(unsigned id, unsigned milliseconds) override {
        return ::SetTimer(m_hwnd, id, milliseconds, nullptr) != 0;
    }
    void KillTimer(unsigned id) override { ::KillTimer(m_hwnd, id); }

    bool HasItem(int id) const override { return Item(id) != nullptr; }

    CString GetItemText(int id) const override {
        const HWND item = Item(id);
        if (item == nullptr) {
            return {};
        }
        const int length = GetWindowTextLengthW(item);
        CString text(static_cast<std::size_t>(length) + 1, L'\0');
        const int copied = GetWindowTextW(item, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(std::max(copied, 0)));
        return text;
    }

    void SetItemText(int id, const CString& text) override {
        SetDlgItemTextW(m_hwnd, id, text.c_str());
    }

    void EnableItem(int id, bool enable) override {
        if (const HWND item = Item(id)) {
            EnableWindow(item, enable ? TRUE : FALSE);
        }
    }
    bool IsItemEnabled(int id) const override {
        const HWND item = Item(id);
        return item != nullptr && IsWindowEnabled(item);
    }
    void ShowItem(int id, bool show) override {
        if (const HWND item = Item(id)) {
            ShowWindow(item, show ? SW_SHOW : SW_HIDE);
        }
    }
    bool IsItemVisible(int id) const override {
        const HWND item = Item(id);
        return item != nullptr && (GetWindowLongW(item, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    void FocusItem(int id) override {
        if (const HWND item = Item(id)) {
            SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
        }
    }
    int FocusedItem() const override {
        const HWND focus = GetFocus();
        return focus != nullptr && GetParent(focus) == m_hwnd ? GetDlgCtrlID(focus) : 0;
    }

    void SetItemIcon(int id, unsigned iconId, int size) override {
        const HWND item = Item(id);
        if (item == nullptr) {
            return;
        }
        const auto key = std::make_pair(iconId, size);
        auto found = m_icons.find(key);
        if (found == m_icons.end()) {
            const HICON icon = static_cast<HICON>(
                LoadImageW(m_module, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, 0));
            if (icon == nullptr) {
                return;
            }
            found = m_icons.emplace(key, icon).first;
        }
        SendMessageW(item, STM_SETICON, reinterpret_cast<WPARAM>(found->second), 0);
    }

    int ComboAddString(int id, const CString& text) override {
        return static_cast<int>(
            Send(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()), CB_ERR));
    }
    int ComboInsertString(int id, int index, const CString& text) override {
        return static_cast<int>(Send(id, CB_INSERTSTRING, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.c_str()), CB_ERR));
    }
    bool ComboSetItemData(int id, int index, std::uintptr_t data) override {
        return Send(id, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data),
                    CB_ERR) != CB_ERR;
    }
    std::uintptr_t ComboGetItemData(int id, int index) const override {
        const LRESULT data = Send(id, CB_GETITEMDATA, static_cast<WPARAM>(index), 0, 0);
        return data == CB_ERR ? 0 : static_cast<std::uintptr_t>(data);
    }
    int ComboSetCurSel(int id, int index) override {
        return static_cast<int>(Send(id, CB_SETCURSEL, static_cast<WPARAM>(index), 0, CB_ERR));
    }
    int ComboGetCurSel(int id) const override {
        return static_cast<int>(Send(id, CB_GETCURSEL, 0, 0, CB_ERR));
    }
    int ComboGetCount(int id) const override {
        return static_cast<int>(Send(id, CB_GETCOUNT, 0, 0, 0));
    }
    CString ComboGetItemText(int id, int index) const override {
        const LRESULT length = Send(id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0, CB_ERR);
        if (length == CB_ERR) {
            return {};
        }
        CString text(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied = Send(id, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(text.data()), CB_ERR);
        text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
        return text;
    }
    int ComboGetDroppedWidth(int id) const override {
        return static_cast<int>(Send(id, CB_GETDROPPEDWIDTH, 0, 0, 0));
    }
    void ComboSetDroppedWidth(int id, int width) override {
        Send(id, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0, 0);
    }

    std::optional<int> ComboWidestItemText(int id) const override {
        const HWND combo = Item(id);
        if (combo == nullptr) {
            return std::nullopt;
        }
        const HDC dc = GetDC(combo);
        if (dc == nullptr) {
            return std::nullopt;
        }
        const auto font = reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0));
        const HGDIOBJ oldFont = SelectObject(dc, font);
        int widest = 0;
        const int count = ComboGetCount(id);
        for (int index = 0; index < count; ++index) {
            const CString text = ComboGetItemText(id, index);
            SIZE size{};
            if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) {
                widest = std::max(widest, static_cast<int>(size.cx));
            }
        }
        SelectObject(dc, oldFont);
        ReleaseDC(combo, dc);
        return widest;
    }

    std::uint32_t GetAddress(int id) const override {
        DWORD address = 0;
        return Send(id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address), 0) != 0 ? address
                                                                                       : 0;
    }
    void SetAddress(int id, std::uint32_t address) override {
        Send(id, IPM_SETADDRESS, 0, static_cast<LPARAM>(address), 0);
    }

    void SetItemBitmap(int id, const Bitmap& bitmap) override {
        const auto image = static_cast<HBITMAP>(bitmap.Handle());
        if (image == nullptr) {
            return;
        }
        const auto old = reinterpret_cast<HBITMAP>(
            Send(id, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image), 0));
        // A static control never deletes its images; the one it loaded from the
        // template is ours to delete once replaced, those the dialog gave are not.
        if (old != nullptr && old != image && m_givenBitmaps.count(old) == 0) {
            DeleteObject(old);
        }
        m_givenBitmaps.insert(image);
    }

    void ApplyFont(const Font& font) override {
        const auto handle = reinterpret_cast<WPARAM>(font.Handle());
        SendMessageW(m_hwnd, WM_SETFONT, handle, TRUE);
        for (HWND child = GetWindow(m_hwnd, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            SendMessageW(child, WM_SETFONT, handle, TRUE);
        }
    }

  private:
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }

    // Sends to control `id`; `missing` when the window has no such control.
    LRESULT Send(int id, UINT message, WPARAM wParam, LPARAM lParam, LRESULT missing) const {
        const HWND item = Item(id);
        return item != nullptr ? SendMessageW(item, message, wParam, lParam) : missing;
    }

    HWND m_hwnd;
    HINSTANCE m_module;
    HWND m_toolTip = nullptr;
    HICON m_bigIcon = nullptr;
    std::map<std::pair<unsigned, int>, HICON> m_icons;
    int m_waitCursors = 0;
    std::set<HBITMAP> m_givenBitmaps;
};

// Lives on the stack of RunModal for the whole modal loop.
struct ModalContext {
    CDialog& dialog;
    HINSTANCE module;
    std::optional<Win32DialogWindow> window;
    const StringTable& strings;
    MessageBoxes& boxes;
};

// Answers a tooltip's text request through the dialog.
BOOL NeedToolTipText(CDialog& dialog, NMTTDISPINFOW& info) {
    ToolTipRequest request;
    request.toolIsWindow = (info.uFlags & TTF_IDISHWND) != 0;
    request.controlId =
        request.toolIsWindow ? GetDlgCtrlID(reinterpret_cast<HWND>(info.hdr.idFrom)) : 0;
    if (!dialog.OnToolTipNeedText(request)) {
        return FALSE;
    }
    static_assert(sizeof info.szText == sizeof request.text);
    std::copy(std::begin(request.text), std::end(request.text), std::begin(info.szText));
    info.lpszText = info.szText;
    return TRUE;
}

INT_PTR Dispatch(HWND hwnd, ModalContext& context, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog& dialog = context.dialog;
    switch (message) {
        case WM_COMMAND:
            return dialog.OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_TIMER:
            dialog.OnTimer(static_cast<unsigned>(wParam));
            return TRUE;
        case WM_SYSCOMMAND:
            if (dialog.OnSysCommand(static_cast<unsigned>(wParam), lParam)) {
                SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
                return TRUE;
            }
            return FALSE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->code == TTN_NEEDTEXTW) {
                return NeedToolTipText(dialog, *reinterpret_cast<NMTTDISPINFOW*>(lParam));
            }
            return FALSE;
        }
        case WM_RBUTTONDBLCLK:
            dialog.OnRButtonDblClk(static_cast<unsigned>(wParam),
                                   static_cast<short>(LOWORD(lParam)),
                                   static_cast<short>(HIWORD(lParam)));
            return TRUE;
        case WM_DESTROY:
            dialog.DestroyWindow();
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* context = reinterpret_cast<ModalContext*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        context->window.emplace(hwnd, context->module);
        context->dialog.Attach(&*context->window);
        return RunMessageHandler(context->strings, context->boxes,
                                 [context] { return context->dialog.OnInitDialog(); });
    }
    auto* context = reinterpret_cast<ModalContext*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (context == nullptr) {
        return FALSE;
    }
    return RunMessageHandler(context->strings, context->boxes, [&] {
        return static_cast<BOOL>(Dispatch(hwnd, *context, message, wParam, lParam));
    });
}

}  // namespace

int Win32DialogHost::RunModal(unsigned templateId, CDialog& dialog) {
    ModalContext context{dialog, m_module, std::nullopt, m_strings, m_boxes};
    const INT_PTR result =
        DialogBoxParamW(m_module, MAKEINTRESOURCEW(templateId), GetActiveWindow(), DialogProc,
                        reinterpret_cast<LPARAM>(&context));
    dialog.Attach(nullptr);
    return static_cast<int>(result);
}

}  // namespace platform::win32
