#pragma once

#include <string>

namespace tavel {

// What an item is: a plain entry with a link, one that opens a submenu, or a
// separator line. Set when the item is made and by Add subitem; nothing else
// changes it, so an item may have children without being a submenu and the
// other way round. The script spells these as one letter.
enum class MenuItemKind { Plain, Submenu, Separator };

inline constexpr const char* kSeparatorCaption = "----------";

// The record every menu item carries. `link` is the item's page; an item read
// back with a submenu holds the submenu's array name there instead, which the
// writer never uses: it names the arrays itself.
struct MenuItemData {
    MenuItemKind kind = MenuItemKind::Plain;
    std::string caption;
    std::string hint;
    std::string link;

    bool operator==(const MenuItemData&) const = default;
};

}  // namespace tavel
