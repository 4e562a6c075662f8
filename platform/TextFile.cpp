#include "platform/TextFile.h"

#include "platform/FileError.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavel {
namespace {

std::string SystemReason(int error) { return std::strerror(error); }

[[noreturn]] void ThrowOpenError(const std::string& path, int error) {
    throw FileError("Cannot open file \"" + path + "\". " + SystemReason(error), path);
}

[[noreturn]] void ThrowCreateError(const std::string& path, int error) {
    throw FileError("Cannot create file \"" + path + "\". " + SystemReason(error), path);
}

// Closes the descriptor and removes the temporary file unless released.
class TempFile {
public:
    TempFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    int Close() {
        int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }
    void Release() { path_.clear(); }

private:
    int fd_;
    std::string path_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// A link is followed so that the file it points at is replaced, not the link.
std::string ResolveLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
    }
    return path;
}

std::string FolderPart(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::string NormalizeLineBreaks(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 32);
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string ReadTextFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) ThrowOpenError(path, errno);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        ThrowOpenError(path, EISDIR);
    }
    std::string raw;
    if (st.st_size > 0) raw.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            int error = errno;
            ::close(fd);
            throw FileError("Read error on file \"" + path + "\". " + SystemReason(error), path);
        }
        if (n == 0) break;
        raw.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return NormalizeLineBreaks(raw);
}

void WriteTextFile(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveLink(path);

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) ThrowCreateError(path, EISDIR);

    std::string pattern = FolderPart(target) + "/.tavel-write-XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) ThrowCreateError(path, errno);
    TempFile temp(fd, pattern);

    // Keep the permissions of the file being replaced; a new file gets the
    // usual 0666 less the umask, as an ordinary create would.
    mode_t mode;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(temp.fd(), mode) != 0 || !WriteAll(temp.fd(), bytes) ||
        ::fsync(temp.fd()) != 0) {
        ThrowCreateError(path, errno);
    }
    if (temp.Close() != 0) ThrowCreateError(path, errno);
    if (::rename(temp.path().c_str(), target.c_str()) != 0) ThrowCreateError(path, errno);
    temp.Release();
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool SameFolder(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && S_ISDIR(first.st_mode) &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

void CreateFolderIfMissing(const std::string& path) {
    if (FolderExists(path)) return;
    if (::mkdir(path.c_str(), 0777) == 0) return;
    const int error = errno;
    throw FileError("Cannot create folder \"" + path + "\". " + SystemReason(error), path);
}

}  // namespace tavel
