#include "platform/FileSteps.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavel {
namespace {

FileStepWatcher* watcher = nullptr;

// True when the watcher fails the step; errno is then set.
bool Refused(FileStep step, const char* path) {
    if (watcher == nullptr) return false;
    const int error = watcher->BeforeStep(step, path);
    if (error == 0) return false;
    errno = error;
    return true;
}

}  // namespace

const char* FileStepName(FileStep step) {
    switch (step) {
        case FileStep::Open: return "open";
        case FileStep::Write: return "write";
        case FileStep::Sync: return "fsync";
        case FileStep::Link: return "link";
        case FileStep::Rename: return "rename";
        case FileStep::MakeFolder: return "mkdir";
        case FileStep::Unlink: return "unlink";
    }
    return "?";
}

FileStepWatcher* SetFileStepWatcher(FileStepWatcher* next) {
    FileStepWatcher* previous = watcher;
    watcher = next;
    return previous;
}

namespace filestep {

int Open(const char* path, int flags, mode_t mode) {
    return Refused(FileStep::Open, path) ? -1 : ::open(path, flags | O_CLOEXEC, mode);
}

int MakeTemp(char* pattern) { return Refused(FileStep::Open, pattern) ? -1 : ::mkostemp(pattern, O_CLOEXEC); }

ssize_t Write(int fd, const void* bytes, size_t size, const char* path) {
    return Refused(FileStep::Write, path) ? -1 : ::write(fd, bytes, size);
}

int Sync(int fd, const char* path) { return Refused(FileStep::Sync, path) ? -1 : ::fsync(fd); }

int Link(const char* from, const char* to) { return Refused(FileStep::Link, to) ? -1 : ::link(from, to); }

int Rename(const char* from, const char* to) { return Refused(FileStep::Rename, to) ? -1 : ::rename(from, to); }

int MakeFolder(const char* path, mode_t mode) { return Refused(FileStep::MakeFolder, path) ? -1 : ::mkdir(path, mode); }

char* MakeTempFolder(char* pattern) {
    return Refused(FileStep::MakeFolder, pattern) ? nullptr : ::mkdtemp(pattern);
}

int Unlink(const char* path) { return Refused(FileStep::Unlink, path) ? -1 : ::unlink(path); }

int RemoveFolder(const char* path) { return Refused(FileStep::Unlink, path) ? -1 : ::rmdir(path); }

}  // namespace filestep
}  // namespace tavel
