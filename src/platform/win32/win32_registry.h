// The Win32 implementation of the registry reads.
#pragma once

#include "platform/registry.h"

namespace platform::win32 {

class Win32Registry final : public Registry {
  public:
    std::optional<CString> ReadString(RegistryRoot root, const wchar_t* key, const wchar_t* name,
                                      std::size_t capacity) const override;
};

}  // namespace platform::win32
