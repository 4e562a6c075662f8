#pragma once

#include <string>
#include <string_view>

namespace tavel {

// The first half of an atomic replace: the new bytes written to a temporary
// file beside the target (a link is followed, so the file it points at is the
// one replaced), with the permissions of the file being replaced. Renaming
// `temp` over `target` completes the replace.
struct StagedFile {
    std::string temp;
    std::string target;
};

// Throws FileError naming `path` when the bytes cannot be staged: the folder
// is missing, a folder stands where the file should, the disk is full. With
// `flush` the temporary file is on disk before this returns.
StagedFile StageFile(const std::string& path, std::string_view bytes, bool flush);

// Throws FileError for `path` ("Cannot create file ...") with the system's
// reason for `error`.
[[noreturn]] void ThrowCreateError(const std::string& path, int error);

// The folder part of a path with "/" separators; "." when it has none.
std::string FolderPart(const std::string& path);

}  // namespace tavel
