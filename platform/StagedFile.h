#pragma once

#include <string>
#include <string_view>

namespace tavel {

// The first half of an atomic replace: the new bytes written to a new file
// `temp` in the writing batch's own folder (a link is followed, so the file
// it points at is the one replaced), with the permissions of the file being
// replaced. Renaming `temp` over `target` completes the replace.
struct StagedFile {
    std::string temp;
    std::string target;
};

// The file a write to `path` replaces: the file a link points at (or would
// point at, for a link to a file not there yet in an existing folder), or
// `path`.
std::string ReplacedFile(const std::string& path);

// Whether `file` lies in `folder` or below it, links resolved.
bool InsideFolder(const std::string& file, const std::string& folder);

// Throws FileError naming `path` when the bytes cannot be staged at `temp`:
// the folder is missing, a folder stands where the file should, the disk is
// full. The bytes are not flushed to disk here.
StagedFile StageFile(const std::string& path, const std::string& temp, std::string_view bytes);

// Throws FileError for `path` ("Cannot create file ...") with the system's
// reason for `error`.
[[noreturn]] void ThrowCreateError(const std::string& path, int error);

// The folder part of a path with "/" separators; "." when it has none.
std::string FolderPart(const std::string& path);

}  // namespace tavel
