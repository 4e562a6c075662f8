#include "project/TreeCommands.h"

#include "menu/MenuTree.h"
#include "project/Workspace.h"

namespace tavel {
namespace {

tNodeData RecordOf(char kind, const ItemTexts& texts) {
    return tNodeData{kind, texts.caption, texts.hint, texts.link};
}

}  // namespace

TreeCommands::TreeCommands(Workspace& workspace) : workspace_(workspace) {}

TreeCommands::AddItemOutcome TreeCommands::AddItem(const ItemTexts& texts) {
    MenuTree& tree = workspace_.Tree();
    AddItemOutcome outcome;
    outcome.item = tree.AppendSibling(tree.Selected(), RecordOf(kPlainItem, texts));
    if (MenuTree::ItemLevel(outcome.item) == 0) {
        tree.Select(outcome.item);
        outcome.needsSubmenu = true;
    }
    workspace_.MarkModified();
    return outcome;
}

TreeCommands::SubitemRefusal TreeCommands::CheckAddSubitem() const {
    const MenuItem* selected = workspace_.Tree().Selected();
    if (selected == nullptr) return SubitemRefusal::NoSelection;
    if (MenuTree::ItemLevel(selected) >= kDeepestLevel) return SubitemRefusal::TooDeep;
    return SubitemRefusal::None;
}

MenuItem* TreeCommands::AddSubitem(const ItemTexts& texts) {
    if (CheckAddSubitem() != SubitemRefusal::None) return nullptr;
    MenuTree& tree = workspace_.Tree();
    MenuItem* parent = tree.Selected();
    MenuItem* child = tree.AppendChild(parent, RecordOf(kPlainItem, texts));
    tree.SetKind(parent, kSubmenuItem);
    workspace_.MarkModified();
    return child;
}

bool TreeCommands::CanEdit() const { return workspace_.Tree().Selected() != nullptr; }

ItemTexts TreeCommands::SelectedTexts() const {
    const MenuItem* selected = workspace_.Tree().Selected();
    if (selected == nullptr) return {};
    const tNodeData& data = selected->Data();
    return {data.Caption, data.Hint, data.Link};
}

void TreeCommands::FinishEdit(const ItemTexts* accepted) {
    MenuTree& tree = workspace_.Tree();
    MenuItem* selected = tree.Selected();
    if (selected == nullptr) return;
    if (accepted != nullptr) {
        // The kind stays: a separator keeps "S" whatever caption it gets.
        tree.SetData(selected, RecordOf(selected->Data().Kind, *accepted));
    }
    workspace_.MarkModified();
}

void TreeCommands::AddSeparator() {
    MenuTree& tree = workspace_.Tree();
    tree.AppendSibling(tree.Selected(), tNodeData{kSeparatorItem, kSeparatorCaption, "", ""});
    workspace_.MarkModified();
}

void TreeCommands::DeleteSelected() {
    MenuTree& tree = workspace_.Tree();
    if (tree.Selected() == nullptr) return;
    tree.Delete(tree.Selected());
    workspace_.MarkModified();
}

bool TreeCommands::CanDropOn(const MenuItem* target) const {
    const MenuItem* moving = workspace_.Tree().Selected();
    if (target == nullptr || moving == nullptr) return false;
    if (target == moving || MenuTree::IsDescendant(target, moving)) return true;
    return MenuTree::ItemLevel(target) + MenuTree::Height(moving) <= kDeepestLevel;
}

void TreeCommands::DropOn(MenuItem* target) {
    if (!CanDropOn(target)) return;
    MenuTree& tree = workspace_.Tree();
    MenuItem* moving = tree.Selected();
    if (!MenuTree::IsDescendant(target, moving)) {
        tree.MoveBefore(moving, target);
        if (MenuItem* parent = moving->Parent()) tree.SetExpanded(parent, true);
    }
    workspace_.MarkModified();
}

void TreeCommands::SetAllExpanded(bool expanded) {
    MenuTree& tree = workspace_.Tree();
    const size_t count = tree.Count();
    for (size_t index = 0; index < count; ++index) tree.SetExpanded(tree.ItemAt(index), expanded);
}

void TreeCommands::ExpandAll() { SetAllExpanded(true); }
void TreeCommands::CollapseAll() { SetAllExpanded(false); }

}  // namespace tavel
