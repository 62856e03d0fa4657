// The steps both maker-library ports share: the library travels as resource "DLL"
// 146, is written to the temporary folder, checked, loaded by its full path, and
// unloaded and deleted after the operation.
#pragma once

#include <memory>

#include "platform/dynamic_libraries.h"
#include "platform/temp_files.h"
#include "ports/dll_port_services.h"

// True when `text` is exactly `required` (compared with its NUL); never reads past
// the NUL of a shorter text. A null text matches nothing.
[[nodiscard]] bool MatchesInterfaceVersion(const char* text, const char* required);

class LibraryFile {
  public:
    explicit LibraryFile(const DllPortServices& services) : m_services(services) {}

    // Writes the library to `path` = temporary folder + `fileName`, reads it back
    // and keeps the file guarded until Load. 1 or 0; a file error is shown here.
    [[nodiscard]] int Extract(const wchar_t* fileName, CString& path);
    // Loads the extracted file by its full path, then lifts the guard. Null on failure.
    [[nodiscard]] platform::LibraryHandle Load(const CString& path);
    // Unloads `library` if loaded and sets it null; the file stays.
    void Free(platform::LibraryHandle& library);
    // Free, then deletes the file at `path` if any and empties it. A failed deletion
    // raises the FileError and leaves `path`, so that a later release retries.
    void Release(platform::LibraryHandle& library, CString& path);

    template <typename Function>
    [[nodiscard]] Function Export(platform::LibraryHandle library, const char* name) {
        return reinterpret_cast<Function>(m_services.libraries.Symbol(library, name));
    }

    const DllPortServices& Services() const { return m_services; }

  private:
    DllPortServices m_services;
    // Open from a successful Extract to the Load that follows it.
    std::unique_ptr<platform::TempFileGuard> m_pGuard;
};
