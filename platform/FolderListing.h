#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// The names of the files in `folder` whose names end with `extension` (".jpg",
// matched without regard to case and longer than it), in alphabetical order
// without regard to case. Throws FileError naming the folder when it cannot
// be listed.
std::vector<std::string> FilesWithExtension(const std::string& folder, std::string_view extension);

}  // namespace tavel
