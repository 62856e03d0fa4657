#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/text_codec.h"

namespace platform::posix {

namespace {

std::string HostPath(const CString& path) {
    std::string host = WideToAnsi(path);
    std::replace(host.begin(), host.end(), '\\', '/');
    return host;
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

  private:
    int m_fd;
};

}  // namespace

bool PosixFileSystem::Exists(const CString& path) const {
    struct stat info {};
    return !path.empty() && stat(HostPath(path).c_str(), &info) == 0;
}

std::optional<std::vector<unsigned char>> PosixFileSystem::ReadWholeFile(
    const CString& path, std::size_t maxBytes) const {
    if (path.empty()) {
        return std::nullopt;
    }
    const FileDescriptor file(open(HostPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<unsigned long long>(info.st_size) > maxBytes) {
        return std::nullopt;
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = read(file.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;  // the file shrank while it was read: keep what is there
        }
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace platform::posix
