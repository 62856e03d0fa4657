// The temporary folder and the files the maker-library ports write there. Every
// failure of an opened file is raised as a FileError; handles close in their
// destructors, so no error path leaves one open.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/file_error.h"
#include "platform/tarnel_types.h"

namespace platform {

// A file opened for reading and writing that others may only read while it is open.
class TempFileWriter {
  public:
    virtual ~TempFileWriter() = default;
    // Writes all the bytes or raises.
    virtual void Write(std::span<const unsigned char> bytes) = 0;
    // Closes the file; raises when the last bytes cannot be stored.
    virtual void Close() = 0;
};

// A read-only handle that lets others only read: while it is open nobody can open
// the file for writing, replace or delete it.
class TempFileGuard {
  public:
    virtual ~TempFileGuard() = default;
    // The whole file from its start; raises on a read failure.
    [[nodiscard]] virtual std::vector<unsigned char> ReadAll() = 0;
};

class TempFiles {
  public:
    virtual ~TempFiles() = default;
    // The user's temporary folder, ending with a path separator, or nothing when it
    // cannot be found or does not fit into 260 characters.
    [[nodiscard]] virtual std::optional<CString> Folder() = 0;
    // Creates the file anew or truncates it. Raises when it cannot be opened.
    [[nodiscard]] virtual std::unique_ptr<TempFileWriter> Create(const CString& path) = 0;
    // Opens the guard; raises when the file is missing or somebody holds it open for
    // writing.
    [[nodiscard]] virtual std::unique_ptr<TempFileGuard> Guard(const CString& path) = 0;
    // Deletes the file; raises when that fails.
    virtual void Remove(const CString& path) = 0;
};

}  // namespace platform
