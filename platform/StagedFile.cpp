#include "platform/StagedFile.h"

#include "platform/FileError.h"
#include "platform/FileSteps.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavel {
namespace {

bool WriteAll(int fd, std::string_view bytes, const char* path) {
    while (!bytes.empty()) {
        const ssize_t n = filestep::Write(fd, bytes.data(), bytes.size(), path);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

void ThrowCreateError(const std::string& path, int error) {
    throw FileError("Cannot create file \"" + path + "\". " + std::strerror(error), path);
}

std::string FolderPart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string ReplacedFile(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
    }
    return path;
}

StagedFile StageFile(const std::string& path, const std::string& temp, std::string_view bytes) {
    StagedFile staged{temp, ReplacedFile(path)};
    struct stat existing {};
    const bool exists = ::stat(staged.target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) ThrowCreateError(path, EISDIR);

    const int fd = filestep::Open(staged.temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) ThrowCreateError(path, errno);

    // Keep the permissions of the file being replaced; a new file gets the
    // usual 0666 less the umask, as an ordinary create would.
    mode_t mode;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes, staged.temp.c_str());
    const int error = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        const int reason = written ? errno : error;
        filestep::Unlink(staged.temp.c_str());
        ThrowCreateError(path, reason);
    }
    return staged;
}

}  // namespace tavel
