#pragma once

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

    bool CanEdit() const;
    ItemTexts SelectedTexts() const;
    // `accepted` is null when the dialog was cancelled; the project counts as
    // changed either way, since the dialog was opened on it.
    void FinishEdit(const ItemTexts* accepted);

    void AddSeparator();
    void DeleteSelected();

    // Whether the selected item may be dropped on `target`: never onto
    // nothing, and never where the moved subtree would reach below the
    // third level. A drop on the item's own descendant is accepted and
    // moves nothing.
    bool CanDropOn(const MenuItem* target) const;
    void DropOn(MenuItem* target);

    void ExpandAll();
    void CollapseAll();

private:
    void SetAllExpanded(bool expanded);

    Workspace& workspace_;
};

}  // namespace tavel
