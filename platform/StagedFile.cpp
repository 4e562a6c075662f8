#include "platform/StagedFile.h"

#include "platform/FileError.h"
#include "platform/FileSteps.h"
#include "platform/WriteJournal.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <vector>
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

// The owner, the group and the extended attributes (ACLs among them) of the
// file being replaced go to its new version where the system lets them;
// what cannot be kept is told, never changed in silence.
void KeepOwnerAndAttributes(int fd, const std::string& target, const struct stat& existing, const std::string& path) {
    if ((existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
        ::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
        const bool groupKept = ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid) == 0;
        AddWriteNotice("The " + std::string(groupKept ? "owner" : "owner and group") + " of \"" + path +
                       "\" could not be kept: " + std::strerror(errno) + ". The file now belongs to you.");
    }
    const ssize_t size = ::listxattr(target.c_str(), nullptr, 0);
    if (size <= 0) return;
    std::vector<char> names(static_cast<size_t>(size));
    const ssize_t got = ::listxattr(target.c_str(), names.data(), names.size());
    for (size_t at = 0; got > 0 && at < static_cast<size_t>(got);) {
        const std::string name(names.data() + at);
        at += name.size() + 1;
        const ssize_t length = ::getxattr(target.c_str(), name.c_str(), nullptr, 0);
        std::vector<char> value(length > 0 ? static_cast<size_t>(length) : 0);
        const bool kept = length >= 0 &&
                          ::getxattr(target.c_str(), name.c_str(), value.data(), value.size()) == length &&
                          ::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) == 0;
        if (!kept)
            AddWriteNotice("The extended attribute \"" + name + "\" of \"" + path + "\" could not be kept: " +
                           std::strerror(errno) + ".");
    }
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
        // A link to a file not there yet: the write makes that file, and
        // the link leads to it again.
        char link[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), link, sizeof link - 1);
        if (length > 0) {
            const std::string named(link, static_cast<size_t>(length));
            const std::string target = named.front() == '/' ? named : FolderPart(path) + "/" + named;
            if (::realpath(FolderPart(target).c_str(), resolved) != nullptr)
                return std::string(resolved) + "/" + target.substr(target.find_last_of('/') + 1);
        }
    }
    return path;
}

bool InsideFolder(const std::string& file, const std::string& folder) {
    char place[PATH_MAX];
    char root[PATH_MAX];
    if (::realpath(FolderPart(file).c_str(), place) == nullptr || ::realpath(folder.c_str(), root) == nullptr)
        return false;
    const std::string inner(place);
    const std::string outer(root);
    return inner == outer || inner.rfind(outer == "/" ? outer : outer + "/", 0) == 0;
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
    if (exists) KeepOwnerAndAttributes(fd, staged.target, existing, path);
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
