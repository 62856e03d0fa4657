#include "fakes/library_host.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "platform/text_codec.h"

namespace fakes {

namespace {

// Win32's codes, so that the boxes show the causes Windows would give.
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorSharingViolation = 32;

std::string MakeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnel-lib.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern + "/";
}

class ObservedWriter final : public platform::TempFileWriter {
  public:
    ObservedWriter(std::unique_ptr<platform::TempFileWriter> inner,
                   std::function<void()> afterClose)
        : m_inner(std::move(inner)), m_afterClose(std::move(afterClose)) {}
    void Write(std::span<const unsigned char> bytes) override { m_inner->Write(bytes); }
    void Close() override {
        m_inner->Close();
        m_afterClose();
    }

  private:
    std::unique_ptr<platform::TempFileWriter> m_inner;
    std::function<void()> m_afterClose;
};

class CountedGuard final : public platform::TempFileGuard {
  public:
    CountedGuard(std::unique_ptr<platform::TempFileGuard> inner, int& open)
        : m_inner(std::move(inner)), m_open(open) {
        ++m_open;
    }
    ~CountedGuard() override { --m_open; }
    CountedGuard(const CountedGuard&) = delete;
    CountedGuard& operator=(const CountedGuard&) = delete;
    std::vector<unsigned char> ReadAll() override { return m_inner->ReadAll(); }

  private:
    std::unique_ptr<platform::TempFileGuard> m_inner;
    int& m_open;
};

}  // namespace

LibraryHost::LibraryHost() : m_folder(platform::AnsiToWide(MakeFolder())), m_files(m_folder) {}

LibraryHost::~LibraryHost() {
    for (const auto& [handle, path] : m_loaded) {
        m_libraries.Free(handle);
    }
    std::error_code ignored;
    std::filesystem::remove_all(platform::WideToAnsi(m_folder), ignored);
}

std::optional<CString> LibraryHost::Folder() {
    if (noFolder) {
        return std::nullopt;
    }
    return m_files.Folder();
}

std::unique_ptr<platform::TempFileWriter> LibraryHost::Create(const CString& path) {
    for (const auto& [handle, loadedPath] : m_loaded) {
        if (loadedPath == path) {
            throw platform::FileError(platform::FileError::Cause::sharingViolation,
                                      kErrorSharingViolation, path);
        }
    }
    ++creates;
    return std::make_unique<ObservedWriter>(m_files.Create(path), [this, path] {
        if (afterWrite) {
            afterWrite(platform::WideToAnsi(path));
        }
    });
}

std::unique_ptr<platform::TempFileGuard> LibraryHost::Guard(const CString& path) {
    if (guardRefused) {
        throw platform::FileError(platform::FileError::Cause::sharingViolation,
                                  kErrorSharingViolation, path);
    }
    return std::make_unique<CountedGuard>(m_files.Guard(path), guardsOpen);
}

void LibraryHost::Remove(const CString& path) {
    bool inUse = false;
    for (const auto& [handle, loadedPath] : m_loaded) {
        inUse = inUse || loadedPath == path;
    }
    if (inUse || failingRemovals > 0) {
        if (failingRemovals > 0) {
            --failingRemovals;
        }
        throw platform::FileError(platform::FileError::Cause::accessDenied, kErrorAccessDenied,
                                  path);
    }
    m_files.Remove(path);
}

platform::LibraryHandle LibraryHost::Load(const CString& path) {
    ++loads;
    guardedLoads.push_back(guardsOpen > 0);
    const platform::LibraryHandle handle = m_libraries.Load(path);
    if (handle != nullptr) {
        m_loaded[handle] = path;
    }
    return handle;
}

void* LibraryHost::Symbol(platform::LibraryHandle library, const char* name) {
    return m_libraries.Symbol(library, name);
}

void LibraryHost::Free(platform::LibraryHandle library) {
    ++frees;
    m_loaded.erase(library);
    m_libraries.Free(library);
}

bool LibraryHost::FileExists(const CString& path) const {
    return ::access(platform::WideToAnsi(path).c_str(), F_OK) == 0;
}

}  // namespace fakes
