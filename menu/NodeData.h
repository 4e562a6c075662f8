#pragma once

#include <string>

namespace tavel {

inline constexpr char kPlainItem = 'L';
inline constexpr char kSubmenuItem = 'M';
inline constexpr char kSeparatorItem = 'S';

inline constexpr const char* kSeparatorCaption = "----------";

// The record every menu item carries. The field order is the one the program
// has always used; Link holds a submenu's array name once read back from a
// script.
struct tNodeData {
    char Kind = kPlainItem;
    std::string Caption;
    std::string Hint;
    std::string Link;

    bool operator==(const tNodeData&) const = default;
};

}  // namespace tavel
