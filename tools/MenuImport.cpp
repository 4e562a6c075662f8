#include "tools/MenuImport.h"

#include "project/Workspace.h"

#include <algorithm>
#include <array>

namespace tavel {

void ReplaceMenuTree(Workspace& workspace, const ImportedMenu& menu) {
    MenuTree& tree = workspace.Tree();
    EditHistory& history = workspace.History();
    history.Begin(kImportMenuName);
    while (!tree.Empty()) history.Remove(tree.Top(tree.TopCount() - 1));
    // The last item put in on each level: the parent of what follows it one
    // level deeper.
    std::array<MenuItem*, 3> last{};
    for (const ImportedItem& item : menu.items) {
        const size_t level = static_cast<size_t>(std::clamp(item.level, 0, 2));
        MenuItem* parent = level == 0 ? nullptr : last[level - 1];
        last[level] = history.Insert(parent, tree.ChildCount(parent), item.data);
    }
    history.Commit();
    workspace.FollowHistory();
}

}  // namespace tavel
