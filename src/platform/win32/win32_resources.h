// The Win32 implementation of the embedded-resource service.
#pragma once

#include <windows.h>

#include "platform/resources.h"

namespace platform::win32 {

class Win32Resources final : public Resources {
  public:
    explicit Win32Resources(HINSTANCE module) : m_module(module) {}
    std::optional<std::span<const unsigned char>> Find(unsigned id,
                                                       const wchar_t* type) const override;

  private:
    HINSTANCE m_module;
};

}  // namespace platform::win32
