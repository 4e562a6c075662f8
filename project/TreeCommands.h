#pragma once

#include <cstddef>
#include <string>

namespace tavel {

class MenuItem;
class Workspace;

// What the Edit Item dialog holds: caption, hint and link.
struct ItemTexts {
    std::string caption;
    std::string hint;
    std::string link;
};

inline constexpr int kDeepestLevel = 2;  // menus have three levels: 0, 1, 2

// The tree commands' effect on the model. The window shows the dialog and
// the messages; the decisions about whether a message is due are made here.
class TreeCommands {
public:
    explicit TreeCommands(Workspace& workspace);

    struct AddItemOutcome {
        MenuItem* item = nullptr;
        // A new top-level item has no submenu yet: the window says so and
        // goes straight on to Add subitem for it (it is selected).
        bool needsSubmenu = false;
    };
    // Appends a plain item at the end of the selected item's sibling list
    // (the top level when nothing is selected). The selection only moves to a
    // new top-level item.
    AddItemOutcome AddItem(const ItemTexts& texts);

    enum class SubitemRefusal { None, NoSelection, TooDeep };
    SubitemRefusal CheckAddSubitem() const;
    // Appends a child of the selected item and makes the parent a submenu
    // item. Call only when CheckAddSubitem() gives None.
    MenuItem* AddSubitem(const ItemTexts& texts);

    // Whether the item the dialog is for stands on the menu bar (the top
    // level), whose titles are written with caption and link only: the new
    // item of Add item, and the selected item for Edit item.
    bool AddsMenuBarTitle() const;
    bool EditsMenuBarTitle() const;

    bool CanEdit() const;
    ItemTexts SelectedTexts() const;
    // `accepted` is null when the dialog was cancelled, which changes
    // nothing at all.
    void FinishEdit(const ItemTexts* accepted);

    // Appends a separator to the selected item's list; the new item.
    MenuItem* AddSeparator();
    void DeleteSelected();

    // Where a moved item ends up: at `row` among the children of `parent`
    // (the top level for null), counted once the item has left its place.
    struct MovePlace {
        MenuItem* parent = nullptr;
        size_t row = 0;
    };
    enum class MoveRefusal { None, NothingSelected, NoPlace, IntoItself, TooDeep };
    // The one check of a move of the selected item, which drag and drop and
    // the keyboard moves go through. Undo and redo do not: they replay the
    // moves the history recorded, each of which passed it when it was made.
    // Refused: a place inside the item's own subtree, and a place where the
    // subtree would reach below the third level (a move within the same list
    // never changes levels).
    MoveRefusal CheckMove(const MovePlace& place) const;
    // Moves the selected item (the selection stays on it) and opens its new
    // parent. A place the item already holds is still recorded as a move.
    void MoveSelected(const MovePlace& place, const char* name);

    // Drag and drop: the selected item lands immediately before `target`,
    // or, with `afterTarget`, last in the target's list (a drop below the
    // last item of a list); a null target with `afterTarget` is the end of
    // the top level.
    MoveRefusal CheckDrop(const MenuItem* target, bool afterTarget = false) const;
    void Drop(MenuItem* target, bool afterTarget = false);
    bool CanDropOn(const MenuItem* target) const { return CheckDrop(target) == MoveRefusal::None; }
    void DropOn(MenuItem* target) { Drop(target); }

    // The keyboard moves. Each answers None when it moved the item, or why
    // not; at the edge of a list (nothing above, nothing to indent under)
    // the answer is NoPlace and nothing happens. Moves of the same item in a
    // row, with no other edit, undo, redo or save between them, are one
    // undo step, named after the move when all were of one kind and "Move"
    // when not.
    MoveRefusal MoveUp();
    MoveRefusal MoveDown();
    // Makes the item the last child of the sibling before it.
    MoveRefusal Indent();
    // Puts the item right after its parent, in the parent's list.
    MoveRefusal Outdent();

    // Undo and redo of the tree edits above, the modified flag following.
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();

    void ExpandAll();
    void CollapseAll();

private:
    void SetAllExpanded(bool expanded);
    void Move(const MovePlace& place, const char* name, bool fromKeyboard);
    MoveRefusal KeyboardMove(const MovePlace& place, const char* name);
    void Committed();

    Workspace& workspace_;
};

}  // namespace tavel
