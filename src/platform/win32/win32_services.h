// The Win32 implementations of the platform services.
#pragma once

#include <windows.h>

#include "platform/dialog.h"
#include "platform/message_box.h"
#include "platform/single_instance.h"
#include "platform/string_table.h"
#include "platform/system_setup.h"

namespace platform::win32 {

class Win32StringTable final : public StringTable {
  public:
    explicit Win32StringTable(HINSTANCE module) : m_module(module) {}
    std::optional<CString> Load(unsigned id) const override;

  private:
    HINSTANCE m_module;
};

class Win32MessageBoxes final : public MessageBoxes {
  public:
    int Show(const CString& text, const CString& caption, unsigned style) override;
};

class Win32SingleInstance final : public SingleInstance {
  public:
    bool Acquire(const wchar_t* name) override;
};

class Win32SystemSetup final : public SystemSetup {
  public:
    void InitCommonControls() override;
    bool InitSockets() override;
};

// A file error or out-of-memory condition that escapes a handler is shown with
// `strings` and `boxes`.
class Win32DialogHost final : public DialogHost {
  public:
    Win32DialogHost(HINSTANCE module, const StringTable& strings, MessageBoxes& boxes)
        : m_module(module), m_strings(strings), m_boxes(boxes) {}
    int RunModal(unsigned templateId, CDialog& dialog) override;

  private:
    HINSTANCE m_module;
    const StringTable& m_strings;
    MessageBoxes& m_boxes;
};

// Loads nothing from the program's folder, the download folder or the current
// directory from now on: libraries come from System32 or by full path.
void RestrictLibrarySearch();

}  // namespace platform::win32
