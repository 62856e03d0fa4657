// Our stand-in for the class library's modal dialog: the dialog's logic is a
// CDialog subclass written once; a DialogHost runs it, either on a real dialog
// template (Win32) or in memory (tests).
#pragma once

#include "platform/tarnel_types.h"

namespace platform {

// What a running dialog offers its logic: its window and its controls by id.
class DialogWindow {
  public:
    virtual ~DialogWindow() = default;
    // Ends the modal loop; DoModal then returns the result.
    virtual void End(int result) = 0;
    virtual void SetCaption(const CString& text) = 0;
    virtual bool HasItem(int id) const = 0;
    virtual CString GetItemText(int id) const = 0;
    virtual void SetItemText(int id, const CString& text) = 0;
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

  protected:
    void EndDialog(int result);
    // Valid only while the dialog runs.
    DialogWindow& Window() { return *m_pWindow; }

  private:
    DialogHost& m_host;
    unsigned m_templateId;
    DialogWindow* m_pWindow = nullptr;
};

}  // namespace platform
