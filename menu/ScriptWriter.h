#pragma once

#include <string>
#include <string_view>

namespace tavel {

class MenuTree;

// Turns the menu tree into the menu data script: `theMenu` for the top level
// and one array per submenu, one CR LF terminated line per entry. Field texts
// are written exactly as stored; the page's runtime treats them as HTML.
class ScriptWriter {
public:
    explicit ScriptWriter(const MenuTree& tree);

    std::string Write();

private:
    void WriteTopLevel();
    void WriteSecondLevel(size_t t, size_t k, size_t absolute);
    // Declares the array `name` of the second-level item at absolute index
    // `a` and writes one entry per item from its first child to its last.
    void WriteThirdLevel(size_t a, std::string_view name);
    std::string ThirdLevelName(size_t t, size_t a) const;

    void Number(size_t value);
    void Quoted(std::string_view field);

    const MenuTree& tree_;
    size_t submenuCount_ = 0;
    std::string out_;
};

// The script for `tree`; the header line alone for an empty tree.
std::string WriteMenuScript(const MenuTree& tree);

}  // namespace tavel
