// The temporary files on Linux, for the native tests. Linux has no share modes:
// the guard only reads, and the tests model Windows' sharing rules in a fake.
#pragma once

#include "platform/temp_files.h"

namespace platform::posix {

class PosixTempFiles final : public TempFiles {
  public:
    // `folder` empty: TMPDIR, else /tmp.
    explicit PosixTempFiles(CString folder = {}) : m_folder(std::move(folder)) {}

    std::optional<CString> Folder() override;
    std::unique_ptr<TempFileWriter> Create(const CString& path) override;
    std::unique_ptr<TempFileGuard> Guard(const CString& path) override;
    void Remove(const CString& path) override;

  private:
    CString m_folder;
};

}  // namespace platform::posix
