#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>

namespace platform::win32 {

namespace {

class ScopedFile {
  public:
    explicit ScopedFile(HANDLE handle) : m_handle(handle) {}
    ~ScopedFile() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    HANDLE get() const { return m_handle; }

  private:
    HANDLE m_handle;
};

}  // namespace

bool Win32FileSystem::Exists(const CString& path) const {
    return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::vector<unsigned char>> Win32FileSystem::ReadWholeFile(
    const CString& path, std::size_t maxBytes) const {
    if (path.empty()) {
        return std::nullopt;
    }
    // Shared for writing too: the program that owns the file may hold it open.
    const ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (file.get() == INVALID_HANDLE_VALUE || GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        return std::nullopt;
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            break;  // the file shrank while it was read: keep what is there
        }
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace platform::win32
