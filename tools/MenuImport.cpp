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
    // level deeper. Only the menu bar's items are recorded: undoing the
    // insertion of one takes it out with its whole submenu, so the history
    // holds a step per menu-bar item, not per item.
    std::array<MenuItem*, 3> last{};
    for (size_t i = 0; i < menu.Size(); ++i) {
        const size_t level = static_cast<size_t>(std::clamp(menu.Level(i), 0, 2));
        MenuItem* parent = level == 0 ? nullptr : last[level - 1];
        last[level] = parent == nullptr ? history.Insert(nullptr, tree.TopCount(), menu.Data(i))
                                        : tree.AppendChild(parent, menu.Data(i));
    }
    history.Commit();
    workspace.FollowHistory();
}

}  // namespace tavel
