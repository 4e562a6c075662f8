#pragma once

#include <cstddef>
#include <sys/types.h>

namespace tavel {

// The calls by which the program changes the disk (and opens what it reads).
// Each goes through one wrapper below, so that a test can make any single
// one of them fail as a full disk or a failing drive would.
enum class FileStep { Open, Write, Sync, Link, Rename, MakeFolder, Unlink };

const char* FileStepName(FileStep step);

// Told of every step before it is taken. The program installs none, so a
// step costs it one test of a null pointer.
class FileStepWatcher {
public:
    virtual ~FileStepWatcher() = default;
    // The errno value the step is to fail with, or 0 to take it.
    virtual int BeforeStep(FileStep step, const char* path) = 0;
};

// Installs `watcher` (null for none) and returns the one it replaces.
FileStepWatcher* SetFileStepWatcher(FileStepWatcher* watcher);

// The system calls, each returning and setting errno as the call does.
namespace filestep {
int Open(const char* path, int flags, mode_t mode = 0);
int MakeTemp(char* pattern);  // mkstemp, an Open step
ssize_t Write(int fd, const void* bytes, size_t size, const char* path);
int Sync(int fd, const char* path);            // fsync
int Link(const char* from, const char* to);
int Rename(const char* from, const char* to);
int MakeFolder(const char* path, mode_t mode);
char* MakeTempFolder(char* pattern);  // mkdtemp, a MakeFolder step
int Unlink(const char* path);
int RemoveFolder(const char* path);  // rmdir, an Unlink step
}  // namespace filestep

}  // namespace tavel
