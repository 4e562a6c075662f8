#include "platform/AtomicFileBatch.h"

#include "platform/FileError.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace tavel {
namespace {

[[noreturn]] void ThrowCreateError(const std::string& path, int error) {
    throw FileError("Cannot create file \"" + path + "\". " + std::strerror(error), path);
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
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

AtomicFileBatch::~AtomicFileBatch() { Discard(); }

void AtomicFileBatch::Discard() {
    for (const Replacement& r : pending_) ::unlink(r.temp.c_str());
    pending_.clear();
}

void AtomicFileBatch::Add(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveLink(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) ThrowCreateError(path, EISDIR);

    std::string temp = FolderPart(target) + "/.tavel-write-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) ThrowCreateError(path, errno);
    pending_.push_back({temp, target, path});

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
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes);
    const int error = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(temp.c_str());
        pending_.pop_back();
        ThrowCreateError(path, written ? errno : error);
    }
}

void AtomicFileBatch::Commit() {
    // One flush of each file system holding the new files makes them all
    // durable before any is renamed: a flush per file would cost a journal
    // commit each, which on a large site is minutes.
    std::set<std::string> folders;
    for (const Replacement& r : pending_) folders.insert(FolderPart(r.target));
    for (const std::string& folder : folders) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const int synced = fd < 0 ? -1 : ::syncfs(fd);
        const int error = errno;
        if (fd >= 0) ::close(fd);
        if (synced != 0) {
            const std::string path = pending_.front().path;
            Discard();
            ThrowCreateError(path, error);
        }
    }
    for (size_t i = 0; i < pending_.size(); ++i) {
        const Replacement& r = pending_[i];
        if (::rename(r.temp.c_str(), r.target.c_str()) != 0) {
            const int error = errno;
            const std::string path = r.path;
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(i));
            Discard();
            ThrowCreateError(path, error);
        }
    }
    pending_.clear();
}

}  // namespace tavel
