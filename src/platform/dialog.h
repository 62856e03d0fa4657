// Our stand-in for the class library's modal dialog: the dialog's logic is a
// CDialog subclass written once; a DialogHost runs it, either on a real dialog
// template (Win32) or in memory (tests).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/tarnel_types.h"

namespace platform {

class MessageBoxes;
class StringTable;

class Bitmap;
class Font;

// Mouse-message key flags, with the values of the Windows API.
namespace mk {
inline constexpr unsigned kLButton = 0x0001;
inline constexpr unsigned kRButton = 0x0002;
inline constexpr unsigned kShift = 0x0004;
inline constexpr unsigned kControl = 0x0008;
}  // namespace mk

// Combo-box results with the values of the Windows API.
inline constexpr int kComboError = -1;

// Notification codes the dialogs react to.
inline constexpr unsigned kComboSelectionChange = 1;  // CBN_SELCHANGE
inline constexpr unsigned kButtonClicked = 0;         // BN_CLICKED

// A tooltip's request for its text.
struct ToolTipRequest {
    bool toolIsWindow = false;  // the tool is identified by a window (TTF_IDISHWND)
    int controlId = 0;          // that window's control id
    wchar_t text[80] = {};      // the text to supply, NUL-terminated
};

// What a running dialog offers its logic: its window and its controls by id. Every
// control operation on an id the window lacks does nothing and gives the neutral
// result (empty, 0, false or kComboError).
class DialogWindow {
  public:
    virtual ~DialogWindow() = default;
    // Ends the modal loop; DoModal then returns the result.
    virtual void End(int result) = 0;
    virtual void SetCaption(const CString& text) = 0;
    // Sets the window's large icon to icon resource `iconId`.
    virtual void SetBigIcon(unsigned iconId) = 0;
    // Appends a separator and an item to the system menu; false without a system menu.
    virtual bool AppendSystemMenuItem(unsigned commandId, const CString& text) = 0;
    // Makes the controls show tooltips whose texts come from OnToolTipNeedText.
    virtual void EnableToolTips() = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // A timer delivering OnTimer(id) every `milliseconds`; false when it cannot be made.
    // Setting an existing id replaces its period.
    virtual bool SetTimer(unsigned id, unsigned milliseconds) = 0;
    virtual void KillTimer(unsigned id) = 0;

    virtual bool HasItem(int id) const = 0;
    virtual CString GetItemText(int id) const = 0;
    virtual void SetItemText(int id, const CString& text) = 0;
    virtual void EnableItem(int id, bool enable) = 0;
    virtual bool IsItemEnabled(int id) const = 0;
    virtual void ShowItem(int id, bool show) = 0;
    virtual bool IsItemVisible(int id) const = 0;
    // Moves the focus to the control as the dialog manager does for WM_NEXTDLGCTL,
    // making a push button the default button.
    virtual void FocusItem(int id) = 0;
    // The control with the focus, or 0.
    virtual int FocusedItem() const = 0;
    // An icon control's image: icon resource `iconId` at `size` by `size` pixels.
    virtual void SetItemIcon(int id, unsigned iconId, int size) = 0;

    // Combo boxes. Adding sorts when the box sorts; the results are the new item's
    // index or kComboError.
    virtual int ComboAddString(int id, const CString& text) = 0;
    virtual int ComboInsertString(int id, int index, const CString& text) = 0;
    virtual bool ComboSetItemData(int id, int index, std::uintptr_t data) = 0;
    virtual std::uintptr_t ComboGetItemData(int id, int index) const = 0;
    virtual int ComboSetCurSel(int id, int index) = 0;
    virtual int ComboGetCurSel(int id) const = 0;
    virtual int ComboGetCount(int id) const = 0;
    virtual CString ComboGetItemText(int id, int index) const = 0;
    virtual int ComboGetDroppedWidth(int id) const = 0;
    virtual void ComboSetDroppedWidth(int id, int width) = 0;
    // The widest item text in the box's font, in pixels; nothing when the box's device
    // context cannot be had.
    virtual std::optional<int> ComboWidestItemText(int id) const = 0;

    // IP address controls; addresses in host byte order, 0 when blank.
    virtual std::uint32_t GetAddress(int id) const = 0;
    virtual void SetAddress(int id, std::uint32_t address) = 0;

    // A picture control's image (STM_SETIMAGE); the bitmap must outlive the window.
    // A bitmap without a handle changes nothing.
    virtual void SetItemBitmap(int id, const Bitmap& bitmap) = 0;
    // Gives the window and each of its direct child windows the font, with redraw;
    // children of children keep theirs.
    virtual void ApplyFont(const Font& font) = 0;
};

class CDialog;

class DialogHost {
  public:
    virtual ~DialogHost() = default;
    // Creates the dialog from its template, forwards its events to `dialog` until it
    // ends, and returns the end result; -1 when the window could not be created.
    virtual int RunModal(unsigned templateId, CDialog& dialog) = 0;
};

class CDialog {
  public:
    CDialog(DialogHost& host, unsigned templateId) : m_host(host), m_templateId(templateId) {}
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    int DoModal();

    // Events, called by the host while the dialog runs.
    void Attach(DialogWindow* window) { m_pWindow = window; }
    virtual BOOL OnInitDialog() { return TRUE; }
    // A command from a control or the keyboard; IDOK and IDCANCEL reach OnOK and
    // OnCancel. Returns whether the command was handled.
    virtual BOOL OnCommand(int id, unsigned notifyCode);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnTimer(unsigned /*id*/) {}
    // A system-menu command; false leaves it to the default handling (which turns the
    // close command into OnCancel).
    virtual bool OnSysCommand(unsigned /*commandId*/, std::intptr_t /*lParam*/) { return false; }
    // TRUE when the text was supplied.
    virtual BOOL OnToolTipNeedText(ToolTipRequest& /*request*/) { return FALSE; }
    virtual void OnRButtonDblClk(unsigned /*keys*/, int /*x*/, int /*y*/) {}
    // Called once the modal loop has ended, while the window still exists.
    virtual void DestroyWindow() {}

  protected:
    void EndDialog(int result);
    // Valid only while the dialog runs.
    DialogWindow& Window() { return *m_pWindow; }

  private:
    DialogHost& m_host;
    unsigned m_templateId;
    DialogWindow* m_pWindow = nullptr;
};

// Runs one message handler of a dialog. A file error or an out-of-memory condition
// that escapes it is shown with its standard text and the dialog goes on; the result
// is then `fallback`. Nothing is thrown through the window system's callback.
BOOL RunMessageHandler(const StringTable& strings, MessageBoxes& boxes,
                       const std::function<BOOL()>& handler, BOOL fallback = TRUE);

}  // namespace platform
