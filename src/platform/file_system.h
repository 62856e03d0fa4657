// Files looked up and read by name. Names are Windows paths (backslash separators);
// a relative name is taken from the process's current directory.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/tarnel_types.h"

namespace platform {

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // True when a file or a directory of this name exists.
    [[nodiscard]] virtual bool Exists(const CString& path) const = 0;
    // The whole content of the file, or nothing when it cannot be opened or read, is
    // not a regular file, or is longer than `maxBytes`.
    [[nodiscard]] virtual std::optional<std::vector<unsigned char>> ReadWholeFile(
        const CString& path, std::size_t maxBytes) const = 0;
};

}  // namespace platform
