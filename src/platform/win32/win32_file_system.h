// The Win32 implementation of the file lookups and reads.
#pragma once

#include "platform/file_system.h"

namespace platform::win32 {

class Win32FileSystem final : public FileSystem {
  public:
    bool Exists(const CString& path) const override;
    std::optional<std::vector<unsigned char>> ReadWholeFile(const CString& path,
                                                            std::size_t maxBytes) const override;
};

}  // namespace platform::win32
