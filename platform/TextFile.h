#pragma once

#include <string>
#include <string_view>

namespace tavel {

// Project texts are byte strings whose lines end with CR LF. Reading turns
// every lone CR and lone LF into CR LF; writing stores the bytes as held.

std::string NormalizeLineBreaks(std::string_view bytes);

// The largest file read: far beyond any project's, small enough that a
// file given by mistake cannot exhaust the memory.
inline constexpr unsigned long long kReadLimit = 64ull * 1024 * 1024;

// A whole file's bytes as they are on disk (a picture, say); throws FileError
// naming the file when it cannot be read: when it is missing, is not a
// regular file (a pipe, a device; a link is followed) or holds more than
// kReadLimit bytes (the message gives its size).
std::string ReadFileBytes(const std::string& path);

// Reads a whole file; throws FileError naming the file when it cannot.
std::string ReadTextFile(const std::string& path);

// Replaces the file atomically: the bytes go to a temporary file in the same
// folder, which is flushed and renamed over the target. A failure leaves the
// previous file untouched and throws FileError naming the target.
void WriteTextFile(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Whether both paths name one existing folder, however spelled (a final
// separator, "..", a link).
bool SameFolder(const std::string& a, const std::string& b);

// Creates one folder level when it is missing; its parent must exist. Throws
// FileError naming the folder when it cannot be made.
void CreateFolderIfMissing(const std::string& path);

}  // namespace tavel
