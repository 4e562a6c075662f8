#include "MenuFixtures.h"

#include <string>

namespace tavel::bench {

void BuildThreeLevelMenu(MenuTree& tree, size_t items) {
    const size_t tops = 10;
    size_t made = 0;
    std::vector<MenuItem*> topItems;
    for (size_t t = 0; t < tops && made < items; ++t, ++made)
        topItems.push_back(tree.AppendChild(nullptr, {'M', "Section " + std::to_string(t), "", ""}));
    size_t t = 0;
    while (made < items) {
        MenuItem* second = tree.AppendChild(topItems[t++ % topItems.size()],
                                            {'M', "Group " + std::to_string(made), "Group hint", "group.html"});
        ++made;
        for (int c = 0; c < 8 && made < items; ++c, ++made)
            tree.AppendChild(second, {'L', "Page " + std::to_string(made), "Page hint",
                                      "page" + std::to_string(made) + ".html"});
    }
}

}  // namespace tavel::bench
