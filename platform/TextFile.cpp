#include "platform/TextFile.h"

#include "platform/FileError.h"
#include "platform/AtomicFileBatch.h"
#include "platform/FileSteps.h"

#include <cerrno>
#include <cstdio>
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

static std::string SizeText(unsigned long long bytes) {
    char text[64];
    if (bytes < 1024 * 1024)
        std::snprintf(text, sizeof text, "%llu bytes", bytes);
    else
        std::snprintf(text, sizeof text, "%.1f MB (%llu bytes)", static_cast<double>(bytes) / (1024.0 * 1024.0), bytes);
    return text;
}

std::string ReadFileBytes(const std::string& path) {
    // A pipe, a device or a socket is refused before it is opened: opening
    // a pipe waits for a writer, and a device like /dev/zero never ends.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) ThrowOpenError(path, errno);
    if (S_ISDIR(st.st_mode)) ThrowOpenError(path, EISDIR);
    if (!S_ISREG(st.st_mode)) throw FileError("Cannot open file \"" + path + "\". It is not a regular file.", path);
    const auto tooLarge = [&](unsigned long long size) {
        return FileError("Cannot open file \"" + path + "\". It is " + SizeText(size) +
                             "; files of up to " + SizeText(kReadLimit) + " are read.",
                         path);
    };
    if (static_cast<unsigned long long>(st.st_size) > kReadLimit) throw tooLarge(st.st_size);
    // Non-blocking, in case something else was put in its place meanwhile.
    int fd = filestep::Open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) ThrowOpenError(path, errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FileError("Cannot open file \"" + path + "\". It is not a regular file.", path);
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
        if (raw.size() > kReadLimit) {  // it grew while being read
            ::close(fd);
            throw tooLarge(raw.size());
        }
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
