#include "platform/AtomicFileBatch.h"

#include "platform/FileError.h"
#include "platform/StagedFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace tavel {
AtomicFileBatch::~AtomicFileBatch() { Discard(); }

void AtomicFileBatch::Discard() {
    for (const Replacement& r : pending_) ::unlink(r.temp.c_str());
    pending_.clear();
}

void AtomicFileBatch::Add(const std::string& path, std::string_view bytes) {
    StagedFile staged = StageFile(path, bytes, false);
    pending_.push_back({std::move(staged.temp), std::move(staged.target), path});
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
