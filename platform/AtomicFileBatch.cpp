#include "platform/AtomicFileBatch.h"

#include "platform/FileError.h"
#include "platform/FileSteps.h"
#include "platform/StagedFile.h"
#include "platform/TextFile.h"
#include "platform/WriteJournal.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavel {
namespace {

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

// Flushes a file or a folder by its path; 0 or the errno value.
int SyncFile(const std::string& path) {
    if (path.empty()) return 0;  // a removal stages nothing
    const int fd = filestep::Open(path.c_str(), O_RDONLY);
    if (fd < 0) return errno;
    const int error = filestep::Sync(fd, path.c_str()) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

bool LinksUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == EMLINK || error == ENOSYS;
}

// A file the user made read-only is one they asked to keep: the folder's
// rights alone would let a rename replace it, and the superuser's always
// would, so the file's own write bits decide too.
void RefuseReadOnly(const std::string& target, const std::string& path, const char* action) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    if ((st.st_mode & 0222) != 0 && ::access(target.c_str(), W_OK) == 0) return;
    throw FileError(std::string("Cannot ") + action + " file \"" + path + "\". The file is read-only.", path);
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

size_t AtomicFileBatch::FolderOf(const std::string& target, const std::string& path) {
    const std::string folder = FolderPart(target);
    for (size_t i = 0; i < folders_.size(); ++i)
        if (folders_[i].path == folder) return i;
    const int fd = filestep::Open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) ThrowCreateError(path, errno);
    folders_.push_back({folder, fd, path, {}, -1});
    Folder& known = folders_.back();
    // Every write holds a shared lock on the folder while it runs; only with
    // none running may a write's folder be taken for a dead write's, which
    // is finished or undone before anything else is written here.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        std::string repaired = RecoverFolderLocked(folder);
        if (!repaired.empty()) AddWriteNotice(std::move(repaired));
    }
    ::flock(fd, LOCK_SH);
    std::string work = (folder == "/" ? "" : folder) + "/" + std::string(kWorkFolderPrefix) + "XXXXXX";
    if (filestep::MakeTempFolder(work.data()) == nullptr) ThrowCreateError(path, errno);
    known.work = work;
    const std::string journal = work + "/" + kJournalName;
    known.journal = filestep::Open(journal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND, 0600);
    if (known.journal < 0) ThrowCreateError(path, errno);
    if (filestep::Write(known.journal, kJournalHeader.data(), kJournalHeader.size(), journal.c_str()) !=
        static_cast<ssize_t>(kJournalHeader.size()))
        ThrowCreateError(path, errno != 0 ? errno : EIO);
    return folders_.size() - 1;
}

void AtomicFileBatch::Add(const std::string& path, std::string_view bytes) {
    // The folder first: taking it may clear leftovers, which the new file
    // must not be taken for.
    const std::string target = ReplacedFile(path);
    struct stat st {};
    if (target == path && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        // A link into a folder that is not there: replacing the link by a
        // plain file would lose where it led.
        char named[PATH_MAX] = {};
        const ssize_t length = ::readlink(path.c_str(), named, sizeof named - 1);
        throw FileError("Cannot create file \"" + path + "\". It is a link to \"" +
                            std::string(named, length > 0 ? static_cast<size_t>(length) : 0) +
                            "\", whose folder does not exist.",
                        path);
    }
    if (!inside_.empty() && !InsideFolder(target, inside_))
        throw FileError("Cannot create file \"" + path + "\". It is a link to \"" + target + "\", outside \"" +
                            inside_ + "\"; nothing was written.",
                        path);
    RefuseReadOnly(target, path, "create");
    const size_t folder = FolderOf(target, path);
    const std::string temp = folders_[folder].work + "/" + WorkFileName(changes_.size(), false, target);
    StagedFile staged = StageFile(path, temp, bytes);
    changes_.push_back({path, std::move(staged.target), std::move(staged.temp), {}, folder, false});
}

void AtomicFileBatch::Remove(const std::string& path) {
    RefuseReadOnly(path, path, "delete");
    const size_t folder = FolderOf(path, path);
    // The name the file goes under until the batch has committed.
    std::string backup = folders_[folder].work + "/" + WorkFileName(changes_.size(), true, path);
    changes_.push_back({path, path, {}, std::move(backup), folder, false});
}

// The file a change replaces stays aside in the batch's folder, a hard link
// to it, until every file is in place.
int AtomicFileBatch::KeepOld(Change& change, size_t index) {
    struct stat st {};
    if (change.temp.empty() || ::lstat(change.target.c_str(), &st) != 0) return 0;
    const std::string backup = folders_[change.folder].work + "/" + WorkFileName(index, true, change.target);
    if (filestep::Link(change.target.c_str(), backup.c_str()) != 0) {
        if (!LinksUnsupported(errno)) return errno;
        if (const int error = CopyAside(change.target, backup)) return error;
    }
    change.backup = backup;
    return 0;
}

int AtomicFileBatch::AppendToJournals(bool undo, size_t& failedFolder) {
    for (size_t f = 0; f < folders_.size(); ++f) {
        Folder& folder = folders_[f];
        failedFolder = f;
        std::string text;
        if (undo) {
            text = kJournalUndo;
        } else {
            std::vector<JournalEntry> entries;
            for (size_t i = 0; i < changes_.size(); ++i) {
                const Change& change = changes_[i];
                if (change.folder != f) continue;
                const std::string& target = change.target;
                entries.push_back({i, change.temp.empty(), !change.backup.empty() && !change.temp.empty(),
                                   target.substr(target.find_last_of('/') + 1)});
            }
            text = JournalCommitText(entries);
        }
        const std::string journal = folder.work + "/" + kJournalName;
        std::string_view rest = text;
        while (!rest.empty()) {
            const ssize_t n = filestep::Write(folder.journal, rest.data(), rest.size(), journal.c_str());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return errno;
            rest.remove_prefix(static_cast<size_t>(n));
        }
        if (filestep::Sync(folder.journal, journal.c_str()) != 0) return errno;
        // The journal's own name in the batch's folder, too.
        if (const int error = SyncFile(folder.work)) return error;
    }
    return 0;
}

int AtomicFileBatch::Apply(Change& change) {
    if (change.temp.empty()) {
        if (filestep::Rename(change.target.c_str(), change.backup.c_str()) == 0) {
            change.placed = true;
            return 0;
        }
        return errno == ENOENT ? 0 : errno;
    }
    if (filestep::Rename(change.temp.c_str(), change.target.c_str()) != 0) return errno;
    change.placed = true;
    change.temp.clear();
    return 0;
}

void AtomicFileBatch::Commit() {
    // Every new file reaches the disk before any is renamed; only the files
    // of this batch are flushed, not the whole file system.
    for (size_t i = 0; i < changes_.size(); ++i)
        if (const int error = SyncFile(changes_[i].temp)) Fail(i, error, changes_[i].path);
    for (size_t i = 0; i < changes_.size(); ++i)
        if (const int error = KeepOld(changes_[i], i)) Fail(i, error, changes_[i].path);
    size_t failedFolder = 0;
    if (const int error = AppendToJournals(false, failedFolder)) Fail(0, error, folders_[failedFolder].firstFile);
    committing_ = true;
    for (size_t i = 0; i < changes_.size(); ++i)
        if (const int error = Apply(changes_[i])) Fail(i, error, changes_[i].path);
    // The renames themselves reach the disk before the batch counts as done.
    for (const Folder& folder : folders_)
        if (filestep::Sync(folder.fd, folder.path.c_str()) != 0) Fail(changes_.size(), errno, folder.firstFile);

    // Done. The old versions go before the journal: a journal found later
    // with nothing left to put in place is cleared without a word.
    committing_ = false;
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
    // A kill from here on is undone by the next start, not finished.
    size_t ignored = 0;
    if (committing_) AppendToJournals(true, ignored);
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
    // The renames back reach the disk before the command reports.
    for (const Folder& folder : folders_) filestep::Sync(folder.fd, folder.path.c_str());
    committing_ = false;
    // With an old version that could not be put back, the journal stays, so
    // that the next start tries again.
    for (const Change& change : changes_)
        if (change.placed)
            for (Folder& folder : folders_) folder.work.clear();
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
    for (const Folder& folder : folders_) {
        if (folder.journal >= 0) ::close(folder.journal);
        if (!folder.work.empty()) {
            filestep::Unlink((folder.work + "/" + kJournalName).c_str());
            filestep::RemoveFolder(folder.work.c_str());
        }
        ::close(folder.fd);
    }
    folders_.clear();
    for (auto it = createdFolders_.rbegin(); it != createdFolders_.rend(); ++it) filestep::RemoveFolder(it->c_str());
    createdFolders_.clear();
}

}  // namespace tavel
