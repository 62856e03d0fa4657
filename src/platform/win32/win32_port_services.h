// The Win32 implementations of the services of the maker-library ports: the
// temporary files, the loader and the print spooler.
#pragma once

#include <windows.h>

#include "platform/dynamic_libraries.h"
#include "platform/spooler.h"
#include "platform/temp_files.h"

namespace platform::win32 {

class Win32TempFiles final : public TempFiles {
  public:
    std::optional<CString> Folder() override;
    std::unique_ptr<TempFileWriter> Create(const CString& path) override;
    std::unique_ptr<TempFileGuard> Guard(const CString& path) override;
    void Remove(const CString& path) override;
};

class Win32DynamicLibraries final : public DynamicLibraries {
  public:
    LibraryHandle Load(const CString& path) override;
    void* Symbol(LibraryHandle library, const char* name) override;
    void Free(LibraryHandle library) override;
};

class Win32Spooler final : public Spooler {
  public:
    std::unique_ptr<SpoolerPrinter> Open(const CString& queueName) override;
};

// The class library's cause of a system error code.
FileError::Cause FileErrorCause(DWORD error);

}  // namespace platform::win32
