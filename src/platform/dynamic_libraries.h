// Libraries loaded at run time by their full path.
#pragma once

#include "platform/tarnel_types.h"

namespace platform {

// The module handle of a loaded library; null when none is loaded.
using LibraryHandle = void*;

class DynamicLibraries {
  public:
    virtual ~DynamicLibraries() = default;
    // Loads the library at `path` (a full path, never searched for); its own
    // dependencies are looked for only in its folder and the system folder. Null on
    // failure.
    [[nodiscard]] virtual LibraryHandle Load(const CString& path) = 0;
    // The address of an export, or null.
    [[nodiscard]] virtual void* Symbol(LibraryHandle library, const char* name) = 0;
    virtual void Free(LibraryHandle library) = 0;
};

}  // namespace platform
