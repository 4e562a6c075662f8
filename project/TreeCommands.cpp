#include "project/TreeCommands.h"

#include "menu/MenuTree.h"
#include "project/Workspace.h"

namespace tavel {
namespace {

MenuItemData RecordOf(MenuItemKind kind, const ItemTexts& texts) {
    return MenuItemData{kind, texts.caption, texts.hint, texts.link};
}

// The names the history gives the edits, as Undo and Redo show them.
constexpr const char* kAddItemName = "Add item";
constexpr const char* kAddSubitemName = "Add subitem";
constexpr const char* kEditItemName = "Edit item";
constexpr const char* kSeparatorName = "Separator";
constexpr const char* kDeleteName = "Delete";
// A drag, and keyboard moves of more than one kind joined in one step.
constexpr const char* kMoveName = "Move";
constexpr const char* kMoveUpName = "Move up";
constexpr const char* kMoveDownName = "Move down";
constexpr const char* kIndentName = "Indent";
constexpr const char* kOutdentName = "Outdent";

}  // namespace

TreeCommands::TreeCommands(Workspace& workspace) : workspace_(workspace) {}

TreeCommands::AddItemOutcome TreeCommands::AddItem(const ItemTexts& texts) {
    MenuTree& tree = workspace_.Tree();
    EditHistory& history = workspace_.History();
    AddItemOutcome outcome;
    MenuItem* parent = tree.Selected() != nullptr ? tree.Selected()->Parent() : nullptr;
    history.Begin(kAddItemName);
    outcome.item = history.Insert(parent, tree.ChildCount(parent), RecordOf(MenuItemKind::Plain, texts));
    if (MenuTree::ItemLevel(outcome.item) == 0) {
        tree.Select(outcome.item);
        outcome.needsSubmenu = true;
    }
    Committed();
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
    EditHistory& history = workspace_.History();
    MenuItem* parent = tree.Selected();
    history.Begin(kAddSubitemName);
    MenuItem* child = history.Insert(parent, parent->ChildCount(), RecordOf(MenuItemKind::Plain, texts));
    MenuItemData record = parent->Data();
    record.kind = MenuItemKind::Submenu;
    history.SetData(parent, std::move(record));
    Committed();
    // A new child of a closed item would not be seen.
    tree.SetExpanded(parent, true);
    return child;
}

bool TreeCommands::AddsMenuBarTitle() const {
    const MenuItem* selected = workspace_.Tree().Selected();
    return selected == nullptr || selected->Parent() == nullptr;
}

bool TreeCommands::EditsMenuBarTitle() const {
    const MenuItem* selected = workspace_.Tree().Selected();
    return selected != nullptr && selected->Parent() == nullptr;
}

bool TreeCommands::CanEdit() const { return workspace_.Tree().Selected() != nullptr; }

ItemTexts TreeCommands::SelectedTexts() const {
    const MenuItem* selected = workspace_.Tree().Selected();
    if (selected == nullptr) return {};
    const MenuItemData& data = selected->Data();
    return {data.caption, data.hint, data.link};
}

void TreeCommands::FinishEdit(const ItemTexts* accepted) {
    MenuItem* selected = workspace_.Tree().Selected();
    // A cancelled dialog changed nothing: no undo step, and the project is
    // as clean or as changed as it was.
    if (selected == nullptr || accepted == nullptr) return;
    EditHistory& history = workspace_.History();
    history.Begin(kEditItemName);
    // The kind stays: a separator keeps "S" whatever caption it gets.
    history.SetData(selected, RecordOf(selected->Data().kind, *accepted));
    Committed();
}

MenuItem* TreeCommands::AddSeparator() {
    MenuTree& tree = workspace_.Tree();
    EditHistory& history = workspace_.History();
    MenuItem* parent = tree.Selected() != nullptr ? tree.Selected()->Parent() : nullptr;
    history.Begin(kSeparatorName);
    MenuItem* separator =
        history.Insert(parent, tree.ChildCount(parent), MenuItemData{MenuItemKind::Separator, kSeparatorCaption, "", ""});
    Committed();
    return separator;
}

void TreeCommands::DeleteSelected() {
    MenuTree& tree = workspace_.Tree();
    if (tree.Selected() == nullptr) return;
    EditHistory& history = workspace_.History();
    history.Begin(kDeleteName);
    history.Remove(tree.Selected());
    Committed();
}

void TreeCommands::Committed() {
    workspace_.History().Commit();
    workspace_.FollowHistory();
}

TreeCommands::MoveRefusal TreeCommands::CheckMove(const MovePlace& place) const {
    const MenuItem* moving = workspace_.Tree().Selected();
    if (moving == nullptr) return MoveRefusal::NothingSelected;
    if (place.parent == moving || (place.parent != nullptr && MenuTree::IsDescendant(place.parent, moving)))
        return MoveRefusal::IntoItself;
    if (place.parent == moving->Parent()) return MoveRefusal::None;
    const int level = place.parent != nullptr ? MenuTree::ItemLevel(place.parent) + 1 : 0;
    if (level + MenuTree::Height(moving) > kDeepestLevel) return MoveRefusal::TooDeep;
    return MoveRefusal::None;
}

void TreeCommands::MoveSelected(const MovePlace& place, const char* name) { Move(place, name, false); }

void TreeCommands::Move(const MovePlace& place, const char* name, bool fromKeyboard) {
    if (CheckMove(place) != MoveRefusal::None) return;
    MenuTree& tree = workspace_.Tree();
    EditHistory& history = workspace_.History();
    MenuItem* moving = tree.Selected();
    // Keyboard moves of one item in a row are one step: a user steering an
    // item to its place takes the whole way back with one Undo.
    if (fromKeyboard)
        history.BeginJoining(name, moving, kMoveName);
    else
        history.Begin(name);
    history.Move(moving, place.parent, place.row);
    Committed();
    if (MenuItem* parent = moving->Parent()) tree.SetExpanded(parent, true);
}

TreeCommands::MoveRefusal TreeCommands::KeyboardMove(const MovePlace& place, const char* name) {
    const MoveRefusal refusal = CheckMove(place);
    if (refusal == MoveRefusal::None) Move(place, name, true);
    return refusal;
}

TreeCommands::MoveRefusal TreeCommands::CheckDrop(const MenuItem* target, bool afterTarget) const {
    const MenuItem* moving = workspace_.Tree().Selected();
    if (moving == nullptr) return MoveRefusal::NothingSelected;
    if (target == nullptr) return afterTarget ? CheckMove({nullptr, 0}) : MoveRefusal::NoPlace;
    // Onto itself or into its own subtree: nothing could move there.
    if (target == moving || MenuTree::IsDescendant(target, moving)) return MoveRefusal::IntoItself;
    return CheckMove({target->Parent(), 0});
}

void TreeCommands::Drop(MenuItem* target, bool afterTarget) {
    if (CheckDrop(target, afterTarget) != MoveRefusal::None) return;
    MenuTree& tree = workspace_.Tree();
    const MenuItem* moving = tree.Selected();
    MovePlace place;
    if (afterTarget) {
        place.parent = target != nullptr ? target->Parent() : nullptr;
        place.row = tree.ChildCount(place.parent) - (moving->Parent() == place.parent ? 1 : 0);
    } else {
        place.parent = target->Parent();
        place.row = target->Row();
        // Leaving a place before the target in the same list shifts it up.
        if (moving->Parent() == place.parent && moving->Row() < place.row) --place.row;
    }
    MoveSelected(place, kMoveName);
}

TreeCommands::MoveRefusal TreeCommands::MoveUp() {
    const MenuItem* moving = workspace_.Tree().Selected();
    if (moving == nullptr) return MoveRefusal::NothingSelected;
    if (moving->Row() == 0) return MoveRefusal::NoPlace;
    return KeyboardMove({moving->Parent(), moving->Row() - 1}, kMoveUpName);
}

TreeCommands::MoveRefusal TreeCommands::MoveDown() {
    const MenuTree& tree = workspace_.Tree();
    const MenuItem* moving = tree.Selected();
    if (moving == nullptr) return MoveRefusal::NothingSelected;
    if (moving->Row() + 1 >= tree.ChildCount(moving->Parent())) return MoveRefusal::NoPlace;
    return KeyboardMove({moving->Parent(), moving->Row() + 1}, kMoveDownName);
}

TreeCommands::MoveRefusal TreeCommands::Indent() {
    const MenuTree& tree = workspace_.Tree();
    const MenuItem* moving = tree.Selected();
    if (moving == nullptr) return MoveRefusal::NothingSelected;
    if (moving->Row() == 0) return MoveRefusal::NoPlace;
    MenuItem* previous = tree.Child(moving->Parent(), moving->Row() - 1);
    return KeyboardMove({previous, previous->ChildCount()}, kIndentName);
}

TreeCommands::MoveRefusal TreeCommands::Outdent() {
    const MenuItem* moving = workspace_.Tree().Selected();
    if (moving == nullptr) return MoveRefusal::NothingSelected;
    MenuItem* parent = moving->Parent();
    if (parent == nullptr) return MoveRefusal::NoPlace;
    return KeyboardMove({parent->Parent(), parent->Row() + 1}, kOutdentName);
}

bool TreeCommands::CanUndo() const { return workspace_.History().CanUndo(); }
bool TreeCommands::CanRedo() const { return workspace_.History().CanRedo(); }

void TreeCommands::Undo() {
    if (!CanUndo()) return;
    workspace_.History().Undo();
    workspace_.FollowHistory();
}

void TreeCommands::Redo() {
    if (!CanRedo()) return;
    workspace_.History().Redo();
    workspace_.FollowHistory();
}

void TreeCommands::SetAllExpanded(bool expanded) {
    MenuTree& tree = workspace_.Tree();
    const size_t count = tree.Count();
    for (size_t index = 0; index < count; ++index) tree.SetExpanded(tree.ItemAt(index), expanded);
}

void TreeCommands::ExpandAll() { SetAllExpanded(true); }
void TreeCommands::CollapseAll() { SetAllExpanded(false); }

}  // namespace tavel
