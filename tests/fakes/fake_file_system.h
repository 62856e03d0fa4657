// Files held in memory by their Windows names.
#pragma once

#include <map>
#include <string>

#include "platform/file_system.h"

namespace fakes {

class FakeFileSystem final : public platform::FileSystem {
  public:
    bool Exists(const CString& path) const override { return m_files.count(path) != 0; }
    std::optional<std::vector<unsigned char>> ReadWholeFile(const CString& path,
                                                            std::size_t maxBytes) const override {
        const auto found = m_files.find(path);
        if (found == m_files.end() || found->second.size() > maxBytes) {
            return std::nullopt;
        }
        return found->second;
    }

    void Add(const CString& path, const std::string& bytes) {
        m_files[path] = std::vector<unsigned char>(bytes.begin(), bytes.end());
    }

  private:
    std::map<CString, std::vector<unsigned char>> m_files;
};

}  // namespace fakes
