// The temporary folder and the loader of the maker-library ports on Linux, with
// Windows' rules about files in use: a loaded library's file can be neither
// rewritten nor deleted. Real files in a private folder and real dlopen underneath;
// the switches inject the faults a test needs.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/dynamic_libraries.h"
#include "platform/posix/posix_dynamic_libraries.h"
#include "platform/posix/posix_temp_files.h"
#include "platform/temp_files.h"

namespace fakes {

class LibraryHost final : public platform::TempFiles, public platform::DynamicLibraries {
  public:
    // Makes a private folder under the system's temporary folder; removes it at the end.
    LibraryHost();
    ~LibraryHost() override;
    LibraryHost(const LibraryHost&) = delete;
    LibraryHost& operator=(const LibraryHost&) = delete;

    std::optional<CString> Folder() override;
    std::unique_ptr<platform::TempFileWriter> Create(const CString& path) override;
    std::unique_ptr<platform::TempFileGuard> Guard(const CString& path) override;
    void Remove(const CString& path) override;

    platform::LibraryHandle Load(const CString& path) override;
    void* Symbol(platform::LibraryHandle library, const char* name) override;
    void Free(platform::LibraryHandle library) override;

    // The folder as the ports see it (with its trailing separator).
    CString folder() const { return m_folder; }
    bool FileExists(const CString& path) const;
    // Libraries loaded and not yet freed.
    int LoadedCount() const { return static_cast<int>(m_loaded.size()); }

    // Faults.
    bool noFolder = false;
    // Runs when the writer of a file is closed, before anybody else opens it: a
    // second process replacing the file in that gap.
    std::function<void(const std::string& path)> afterWrite;
    // Somebody still holds the file open for writing: the guard fails.
    bool guardRefused = false;
    // This many deletions fail as with a virus scanner briefly holding the file.
    int failingRemovals = 0;

    // What happened.
    int creates = 0;
    int loads = 0;
    int frees = 0;
    int guardsOpen = 0;
    // For every load: whether a guard was open at that moment.
    std::vector<bool> guardedLoads;

  private:
    CString m_folder;
    platform::posix::PosixTempFiles m_files;
    platform::posix::PosixDynamicLibraries m_libraries;
    std::map<platform::LibraryHandle, CString> m_loaded;
};

}  // namespace fakes
