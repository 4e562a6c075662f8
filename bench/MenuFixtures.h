#pragma once

#include "menu/MenuTree.h"
#include "project/Preview.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tavel::bench {

// A three-level menu of about `items` items: ten top-level entries, each
// with second-level items that carry up to eight third-level children. Every
// caption ends in `captionEnd`.
void BuildThreeLevelMenu(MenuTree& tree, size_t items, std::string_view captionEnd = {});

// A caption end that the script must escape: two double quotes and a backslash.
inline constexpr std::string_view kEscapedCaptionEnd = R"( "quoted" C:\dir)";

// A folder of its own below the temporary folder, with an empty "system"
// template folder in it, removed afterwards.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string path;
};

}  // namespace tavel::bench
