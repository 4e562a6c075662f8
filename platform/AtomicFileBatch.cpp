#include "platform/AtomicFileBatch.h"

#include "platform/FileError.h"
#include "platform/FileSteps.h"
#include "platform/StagedFile.h"
#include "platform/TextFile.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavel {
namespace {

// Hidden files of earlier writes that were cut short (a crash, a power cut).
void RemoveLeftovers(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsSideFileName(entry->d_name)) continue;
        const std::string path = folder + "/" + entry->d_name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) filestep::Unlink(path.c_str());
    }
    ::closedir(dir);
}

// A file system without hard links (FAT, some network shares) gets a copy
// of the old file instead. Returns 0 or the errno value.
int CopyAside(const std::string& target, const std::string& backup) {
    std::string bytes;
    try {
        bytes = ReadFileBytes(target);
    } catch (const FileError&) {
        return errno != 0 ? errno : EIO;
    }
    struct stat st {};
    const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0600;
    const int fd = filestep::Open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return errno;
    ::fchmod(fd, mode);  // exactly the old file's, whatever the umask
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const ssize_t n = filestep::Write(fd, rest.data(), rest.size(), backup.c_str());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            filestep::Unlink(backup.c_str());
            return error;
        }
        rest.remove_prefix(static_cast<size_t>(n));
    }
    ::close(fd);
    return 0;
}

bool LinksUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == EMLINK || error == ENOSYS;
}

}  // namespace

AtomicFileBatch::~AtomicFileBatch() { Discard(); }

void AtomicFileBatch::AddFolder(const std::string& path) {
    if (FolderExists(path)) return;
    if (filestep::MakeFolder(path.c_str(), 0777) != 0) {
        const int error = errno;
        throw FileError("Cannot create folder \"" + path + "\". " + std::strerror(error), path);
    }
    createdFolders_.push_back(path);
}

AtomicFileBatch::Folder& AtomicFileBatch::FolderOf(const std::string& target, const std::string& path) {
    const std::string folder = FolderPart(target);
    for (Folder& known : folders_)
        if (known.path == folder) return known;
    const int fd = filestep::Open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) ThrowCreateError(path, errno);
    folders_.push_back({folder, fd, path});
    // Every write holds a shared lock on the folder while it runs; only with
    // none running may leftovers be taken for a crashed write's.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) RemoveLeftovers(folder);
    ::flock(fd, LOCK_SH);
    return folders_.back();
}

void AtomicFileBatch::Add(const std::string& path, std::string_view bytes) {
    // The folder first: taking it may clear leftovers, which the new file
    // must not be taken for.
    FolderOf(ReplacedFile(path), path);
    StagedFile staged = StageFile(path, bytes);
    changes_.push_back({path, std::move(staged.target), std::move(staged.temp), {}, false});
}

void AtomicFileBatch::Remove(const std::string& path) {
    FolderOf(path, path);
    // The name the file goes under until the batch has committed, taken now
    // so that it is free then.
    std::string backup = SideFilePath(path, kOldVersionTag);
    const int fd = filestep::MakeTemp(backup.data());
    if (fd < 0) {
        const int error = errno;
        throw FileError("Cannot delete file \"" + path + "\". " + std::strerror(error), path);
    }
    ::close(fd);
    changes_.push_back({path, path, {}, std::move(backup), false});
}

int AtomicFileBatch::Apply(Change& change) {
    if (change.temp.empty()) {
        if (filestep::Rename(change.target.c_str(), change.backup.c_str()) == 0) {
            change.placed = true;
            return 0;
        }
        return errno == ENOENT ? 0 : errno;
    }
    struct stat st {};
    if (::lstat(change.target.c_str(), &st) == 0) {
        const std::string backup = OldVersionPath(change.temp);
        if (filestep::Link(change.target.c_str(), backup.c_str()) != 0) {
            if (!LinksUnsupported(errno)) return errno;
            if (const int error = CopyAside(change.target, backup)) return error;
        }
        change.backup = backup;
    }
    if (filestep::Rename(change.temp.c_str(), change.target.c_str()) != 0) return errno;
    change.placed = true;
    change.temp.clear();
    return 0;
}

void AtomicFileBatch::Commit() {
    // One flush of each file system makes every new file durable before any
    // is renamed: a flush per file would cost a journal commit each, which
    // on a large site is minutes.
    for (const Folder& folder : folders_)
        if (filestep::SyncFileSystem(folder.fd, folder.path.c_str()) != 0) Fail(0, errno, folder.firstFile);
    for (size_t i = 0; i < changes_.size(); ++i)
        if (const int error = Apply(changes_[i])) Fail(i, error, changes_[i].path);
    // The renames themselves reach the disk before the batch counts as done.
    for (const Folder& folder : folders_)
        if (filestep::Sync(folder.fd, folder.path.c_str()) != 0) Fail(changes_.size(), errno, folder.firstFile);

    for (const Change& change : changes_)
        if (!change.backup.empty()) filestep::Unlink(change.backup.c_str());
    changes_.clear();
    createdFolders_.clear();
    Discard();
}

void AtomicFileBatch::Fail(size_t failed, int error, std::string path) {
    const bool removal = failed < changes_.size() && changes_[failed].temp.empty() && !changes_[failed].placed;
    std::string message = std::string(removal ? "Cannot delete file \"" : "Cannot create file \"") + path + "\". " +
                          std::strerror(error);
    // Back to the old versions, the last change first, so that a file named
    // twice ends as it was before the first.
    for (size_t i = std::min(failed + 1, changes_.size()); i-- > 0;) {
        Change& change = changes_[i];
        if (!change.placed) continue;
        const bool restored = change.backup.empty()
                                  ? filestep::Unlink(change.target.c_str()) == 0
                                  : filestep::Rename(change.backup.c_str(), change.target.c_str()) == 0;
        if (restored) {
            change.backup.clear();
            change.placed = false;
            continue;
        }
        const int reason = errno;
        message += "\n\n\"" + change.target + "\" could not be put back as it was (" + std::strerror(reason) + ")";
        message += change.backup.empty() ? "." : "; its previous version is \"" + change.backup + "\".";
        change.backup.clear();  // kept for the user
    }
    Discard();
    throw FileError(message, path);
}

void AtomicFileBatch::Discard() {
    for (const Change& change : changes_) {
        if (!change.temp.empty()) filestep::Unlink(change.temp.c_str());
        // A backup still here belongs to a file that was never replaced.
        if (!change.backup.empty() && !change.placed) filestep::Unlink(change.backup.c_str());
    }
    changes_.clear();
    for (const Folder& folder : folders_) ::close(folder.fd);
    folders_.clear();
    for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it) filestep::RemoveFolder(it->c_str());
    createdFolders_.clear();
}

}  // namespace tavel
