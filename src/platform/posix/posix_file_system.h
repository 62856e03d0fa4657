// The file system of a POSIX host, for the native tests: the Windows names the
// system forms are used with their backslashes turned into slashes.
#pragma once

#include "platform/file_system.h"

namespace platform::posix {

class PosixFileSystem final : public FileSystem {
  public:
    bool Exists(const CString& path) const override;
    std::optional<std::vector<unsigned char>> ReadWholeFile(const CString& path,
                                                            std::size_t maxBytes) const override;
};

}  // namespace platform::posix
