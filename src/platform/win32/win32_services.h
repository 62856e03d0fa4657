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

class Win32DialogHost final : public DialogHost {
  public:
    explicit Win32DialogHost(HINSTANCE module) : m_module(module) {}
    int RunModal(unsigned templateId, CDialog& dialog) override;

  private:
    HINSTANCE m_module;
};

}  // namespace platform::win32
