#include "platform/win32/win32_port_services.h"

namespace platform::win32 {

namespace {

[[noreturn]] void Raise(const CString& path) {
    const DWORD error = GetLastError();
    throw FileError(FileErrorCause(error), static_cast<long>(error), path);
}

// A file handle closed by its destructor.
class FileHandle {
  public:
    FileHandle(HANDLE handle, CString path) : m_handle(handle), m_path(std::move(path)) {}
    ~FileHandle() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    void Close() {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle)) {
            Raise(m_path);
        }
    }

  protected:
    HANDLE m_handle;
    CString m_path;
};

class Writer final : public TempFileWriter, private FileHandle {
  public:
    using FileHandle::FileHandle;

    void Write(std::span<const unsigned char> bytes) override {
        while (!bytes.empty()) {
            const DWORD piece =
                bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
            DWORD written = 0;
            if (!WriteFile(m_handle, bytes.data(), piece, &written, nullptr)) {
                Raise(m_path);
            }
            if (written == 0) {
                SetLastError(ERROR_HANDLE_DISK_FULL);
                Raise(m_path);
            }
            bytes = bytes.subspan(written);
        }
    }
    void Close() override { FileHandle::Close(); }
};

class ReadGuard final : public TempFileGuard, private FileHandle {
  public:
    using FileHandle::FileHandle;

    std::vector<unsigned char> ReadAll() override {
        if (SetFilePointer(m_handle, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
            Raise(m_path);
        }
        std::vector<unsigned char> bytes;
        unsigned char block[4096];
        for (;;) {
            DWORD n = 0;
            if (!ReadFile(m_handle, block, sizeof block, &n, nullptr)) {
                Raise(m_path);
            }
            if (n == 0) {
                return bytes;
            }
            bytes.insert(bytes.end(), block, block + n);
        }
    }
};

}  // namespace

std::optional<CString> Win32TempFiles::Folder() {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) {
        return std::nullopt;
    }
    return CString(folder, length);
}

std::unique_ptr<TempFileWriter> Win32TempFiles::Create(const CString& path) {
    // Others may read while we write, never write: nobody can slip other bytes in.
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        Raise(path);
    }
    return std::make_unique<Writer>(handle, path);
}

std::unique_ptr<TempFileGuard> Win32TempFiles::Guard(const CString& path) {
    // Sharing only reading: this fails while a writer is open, and once it is open
    // nobody can open the file for writing or delete it.
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        Raise(path);
    }
    return std::make_unique<ReadGuard>(handle, path);
}

void Win32TempFiles::Remove(const CString& path) {
    if (!DeleteFileW(path.c_str())) {
        Raise(path);
    }
}

FileError::Cause FileErrorCause(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return FileError::Cause::fileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_BAD_NETPATH:
            return FileError::Cause::badPath;
        case ERROR_TOO_MANY_OPEN_FILES:
            return FileError::Cause::tooManyOpenFiles;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return FileError::Cause::accessDenied;
        case ERROR_INVALID_HANDLE:
            return FileError::Cause::invalidFile;
        case ERROR_CURRENT_DIRECTORY:
            return FileError::Cause::removeCurrentDir;
        case ERROR_CANNOT_MAKE:
            return FileError::Cause::directoryFull;
        case ERROR_SEEK:
        case ERROR_NEGATIVE_SEEK:
            return FileError::Cause::badSeek;
        case ERROR_CRC:
        case ERROR_GEN_FAILURE:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_NOT_READY:
            return FileError::Cause::hardIO;
        case ERROR_SHARING_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return FileError::Cause::sharingViolation;
        case ERROR_LOCK_VIOLATION:
            return FileError::Cause::lockViolation;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileError::Cause::diskFull;
        case ERROR_HANDLE_EOF:
            return FileError::Cause::endOfFile;
        default:
            return FileError::Cause::generic;
    }
}

}  // namespace platform::win32
