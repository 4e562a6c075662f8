#include "MenuFixtures.h"

#include <string>

namespace tavel::bench {

// Built top by top, parents before children, as reading a script builds a
// menu: that is how a menu of this size comes into the program.
void BuildThreeLevelMenu(MenuTree& tree, size_t items) {
    const size_t tops = 10;
    const size_t perTop = (items + tops - 1) / tops;
    size_t made = 0;
    for (size_t t = 0; t < tops && made < items; ++t) {
        MenuItem* top = tree.AppendChild(nullptr, {'M', "Section " + std::to_string(t), "", ""});
        const size_t end = std::min(items, made + perTop);
        ++made;
        while (made < end) {
            MenuItem* second = tree.AppendChild(top, {'M', "Group " + std::to_string(made), "Group hint", "group.html"});
            ++made;
            for (int c = 0; c < 8 && made < end; ++c, ++made)
                tree.AppendChild(second, {'L', "Page " + std::to_string(made), "Page hint",
                                          "page" + std::to_string(made) + ".html"});
        }
    }
}

}  // namespace tavel::bench
