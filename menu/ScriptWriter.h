#pragma once

#include "menu/MenuItemData.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavel {

class MenuItem;
class MenuTree;

// Turns the menu tree into the menu data script: `theMenu` for the top level
// and one array per submenu, one CR LF terminated line per entry. Field texts
// are written as stored, with a backslash before each double quote and each
// backslash; the page's runtime treats them as HTML.
class ScriptWriter {
public:
    explicit ScriptWriter(const MenuTree& tree);

    std::string Write();

private:
    // The walk visits every item once, parents before children, and keeps
    // the absolute index in `absolute_` as it goes, so no index is looked up.
    void WriteTopLevel();
    void WriteSecondLevel(const MenuItem* top, size_t t, std::string_view array);
    // Declares the array `name` of a second-level item and writes one entry
    // per item from its first child to its last by absolute index.
    void WriteThirdLevel(const MenuItem* item, std::string_view name);
    // Counts an item's descendants without writing them.
    void Skip(const MenuItem* item);
    std::string ThirdLevelName(size_t t, size_t a) const;

    // «var NAME = new Array();»
    void Declare(std::string_view array);
    // «NAME[i] = new Array("kind","caption","hint","last");»
    void Entry(std::string_view array, size_t index, MenuItemKind kind, const MenuItemData& data,
               std::string_view last);
    void Number(size_t value);
    // The field's text between its quotes.
    void Escaped(std::string_view field);

    const MenuTree& tree_;
    size_t submenuCount_ = 0;
    size_t absolute_ = 0;
    std::vector<std::pair<const MenuItem*, size_t>> walk_;
    std::string out_;
};

// The script for `tree`; the header line alone for an empty tree.
std::string WriteMenuScript(const MenuTree& tree);

}  // namespace tavel
