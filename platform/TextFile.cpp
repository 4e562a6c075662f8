#include "platform/TextFile.h"

#include "platform/FileError.h"
#include "platform/AtomicFileBatch.h"
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

std::string SystemReason(int error) { return std::strerror(error); }

[[noreturn]] void ThrowOpenError(const std::string& path, int error) {
    throw FileError("Cannot open file \"" + path + "\". " + SystemReason(error), path);
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

std::string ReadFileBytes(const std::string& path) {
    int fd = filestep::Open(path.c_str(), O_RDONLY);
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
    return raw;
}

std::string ReadTextFile(const std::string& path) { return NormalizeLineBreaks(ReadFileBytes(path)); }

void WriteTextFile(const std::string& path, std::string_view bytes) {
    AtomicFileBatch batch;
    batch.Add(path, bytes);
    batch.Commit();
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
    if (filestep::MakeFolder(path.c_str(), 0777) == 0) return;
    const int error = errno;
    throw FileError("Cannot create folder \"" + path + "\". " + SystemReason(error), path);
}

}  // namespace tavel
