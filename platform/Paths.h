#pragma once

#include <string>
#include <string_view>

namespace tavel {

inline constexpr char kPathSeparator = '/';

inline bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

// The path up to and including its last "\" or "/"; empty when it has none.
std::string FolderOfPath(std::string_view path);

// The name of the folder that directly holds the file: the text between the
// last and the second-to-last separator; with one separator everything before
// it; with none an empty string.
std::string ParentFolderName(std::string_view path);

// A file of a folder: the two joined by exactly one separator, whether or not
// the folder already ends with one.
std::string JoinPath(std::string_view folder, std::string_view name);

// The folder's path ending with exactly the separator it has, or "/" added.
std::string WithFinalSeparator(std::string folder);

// A file below the program folder, given by a fixed relative path such as
// "system\temp.js" or "System\style.ini". "\" is a separator, and each
// component matches an existing entry without regard to letter case, so
// "System" and "system" name the one folder. A component with no existing
// match is kept as written (for files about to be created).
std::string ResolveProgramPath(std::string_view programFolder, std::string_view relative);

// Preview locations are kept as the program writes them: "file:" followed by
// three backslashes and a path, or "file:///" and a path. This gives the
// local path such a location names, or an empty string for any other location.
std::string LocalPathOfLocation(std::string_view location);

std::string FileLocation(std::string_view path);

}  // namespace tavel
