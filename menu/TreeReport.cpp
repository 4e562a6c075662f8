#include "menu/TreeReport.h"

#include "menu/MenuTree.h"

namespace tavel {

std::vector<std::string> TreeReportLines(const MenuTree& tree) {
    std::vector<std::string> lines;
    const size_t count = tree.Count();
    lines.reserve(count);
    for (size_t i = 0; i < count; ++i) lines.push_back(tree.ItemAt(i)->Data().caption);
    return lines;
}

}  // namespace tavel
