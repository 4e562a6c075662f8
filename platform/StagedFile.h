#pragma once

#include <string>
#include <string_view>

namespace tavel {

// The first half of an atomic replace: the new bytes written to a hidden
// file beside the target (a link is followed, so the file it points at is
// the one replaced), with the permissions of the file being replaced.
// Renaming `temp` over `target` completes the replace.
struct StagedFile {
    std::string temp;
    std::string target;
};

// The file a write to `path` replaces: the file a link points at, or `path`.
std::string ReplacedFile(const std::string& path);

// Throws FileError naming `path` when the bytes cannot be staged: the folder
// is missing, a folder stands where the file should, the disk is full. The
// bytes are not flushed to disk here.
StagedFile StageFile(const std::string& path, std::string_view bytes);

// The files a write keeps beside its target while it runs, hidden and named
// after it: ".index.htm.tavel-new-Ab12Cd" holds the new version until it is
// put in place, ".index.htm.tavel-old-Ab12Cd" the previous one until every
// file of the write is in place. Only a write cut short leaves them behind.
inline constexpr std::string_view kNewVersionTag = ".tavel-new-";
inline constexpr std::string_view kOldVersionTag = ".tavel-old-";
// The name of `target`'s side file with `tag`, ending in "XXXXXX" for
// mkstemp.
std::string SideFilePath(const std::string& target, std::string_view tag);
// The old-version name that goes with a staged file's temp name.
std::string OldVersionPath(std::string_view temp);
// Whether a file name is one that SideFilePath makes.
bool IsSideFileName(std::string_view name);

// Throws FileError for `path` ("Cannot create file ...") with the system's
// reason for `error`.
[[noreturn]] void ThrowCreateError(const std::string& path, int error);

// The folder part of a path with "/" separators; "." when it has none.
std::string FolderPart(const std::string& path);

}  // namespace tavel
