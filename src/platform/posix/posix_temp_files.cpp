#include "platform/posix/posix_temp_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/text_codec.h"

namespace platform::posix {

namespace {

constexpr std::size_t kPathCapacity = 260;  // as Windows' buffer, with its NUL

FileError::Cause CauseOf(int error) {
    switch (error) {
        case ENOENT:
            return FileError::Cause::fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return FileError::Cause::badPath;
        case EMFILE:
        case ENFILE:
            return FileError::Cause::tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return FileError::Cause::accessDenied;
        case EBADF:
            return FileError::Cause::invalidFile;
        case ESPIPE:
            return FileError::Cause::badSeek;
        case EIO:
            return FileError::Cause::hardIO;
        case ETXTBSY:
        case EBUSY:
            return FileError::Cause::sharingViolation;
        case ENOSPC:
        case EDQUOT:
            return FileError::Cause::diskFull;
        default:
            return FileError::Cause::generic;
    }
}

[[noreturn]] void Raise(const CString& path) {
    const int error = errno;
    throw FileError(CauseOf(error), error, path);
}

// A descriptor closed by its destructor.
class Descriptor {
  public:
    Descriptor(int fd, CString path) : m_fd(fd), m_path(std::move(path)) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    void Close() {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0) {
            Raise(m_path);
        }
    }

  protected:
    int m_fd;
    CString m_path;
};

class Writer final : public TempFileWriter, private Descriptor {
  public:
    using Descriptor::Descriptor;

    void Write(std::span<const unsigned char> bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                Raise(m_path);
            }
            bytes = bytes.subspan(static_cast<std::size_t>(n));
        }
    }
    void Close() override { Descriptor::Close(); }
};

class ReadGuard final : public TempFileGuard, private Descriptor {
  public:
    using Descriptor::Descriptor;

    std::vector<unsigned char> ReadAll() override {
        if (::lseek(m_fd, 0, SEEK_SET) != 0) {
            Raise(m_path);
        }
        std::vector<unsigned char> bytes;
        unsigned char block[4096];
        for (;;) {
            const ssize_t n = ::read(m_fd, block, sizeof block);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
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

std::optional<CString> PosixTempFiles::Folder() {
    CString folder = m_folder;
    if (folder.empty()) {
        const char* tmpdir = std::getenv("TMPDIR");
        folder = AnsiToWide(tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp");
    }
    if (folder.back() != L'/') {
        folder += L'/';
    }
    if (folder.size() >= kPathCapacity) {
        return std::nullopt;
    }
    return folder;
}

std::unique_ptr<TempFileWriter> PosixTempFiles::Create(const CString& path) {
    const int fd = ::open(WideToAnsi(path).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        Raise(path);
    }
    return std::make_unique<Writer>(fd, path);
}

std::unique_ptr<TempFileGuard> PosixTempFiles::Guard(const CString& path) {
    const int fd = ::open(WideToAnsi(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Raise(path);
    }
    return std::make_unique<ReadGuard>(fd, path);
}

void PosixTempFiles::Remove(const CString& path) {
    if (::unlink(WideToAnsi(path).c_str()) != 0) {
        Raise(path);
    }
}

}  // namespace platform::posix
