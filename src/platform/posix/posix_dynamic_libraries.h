// Shared objects through dlopen, for the native tests.
#pragma once

#include "platform/dynamic_libraries.h"

namespace platform::posix {

class PosixDynamicLibraries final : public DynamicLibraries {
  public:
    LibraryHandle Load(const CString& path) override;
    void* Symbol(LibraryHandle library, const char* name) override;
    void Free(LibraryHandle library) override;
};

}  // namespace platform::posix
