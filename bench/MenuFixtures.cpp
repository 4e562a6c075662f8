#include "MenuFixtures.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace tavel::bench {

// Built top by top, parents before children, as reading a script builds a
// menu: that is how a menu of this size comes into the program.
void BuildThreeLevelMenu(MenuTree& tree, size_t items, std::string_view captionEnd) {
    const size_t tops = 10;
    const size_t perTop = (items + tops - 1) / tops;
    auto caption = [captionEnd](std::string text) {
        text += captionEnd;
        return text;
    };
    size_t made = 0;
    for (size_t t = 0; t < tops && made < items; ++t) {
        MenuItem* top =
            tree.AppendChild(nullptr, {MenuItemKind::Submenu, caption("Section " + std::to_string(t)), "", ""});
        const size_t end = std::min(items, made + perTop);
        ++made;
        while (made < end) {
            MenuItem* second = tree.AppendChild(
                top, {MenuItemKind::Submenu, caption("Group " + std::to_string(made)), "Group hint", "group.html"});
            ++made;
            for (int c = 0; c < 8 && made < end; ++c, ++made)
                tree.AppendChild(second, {MenuItemKind::Plain, caption("Page " + std::to_string(made)), "Page hint",
                                          "page" + std::to_string(made) + ".html"});
        }
    }
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder for the benchmark");
    path = pattern;
    std::filesystem::create_directory(path + "/system");
}

ScratchFolder::~ScratchFolder() { std::filesystem::remove_all(path); }

}  // namespace tavel::bench
