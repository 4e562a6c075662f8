#include "project/TreeAnnouncements.h"

#include "menu/MenuTree.h"
#include "project/TreeMessages.h"

namespace tavel {

std::string SpokenCaption(const MenuItem& item) {
    const MenuItemData& data = item.Data();
    if (data.kind == MenuItemKind::Separator || data.caption == kSeparatorCaption) return "separator";
    if (data.caption.find_first_not_of(" \t") == std::string::npos) return "(no caption)";
    return data.caption;
}

std::string ItemPlaceText(const MenuTree& tree, const MenuItem& item) {
    return "level " + std::to_string(MenuTree::ItemLevel(&item) + 1) + ", " + std::to_string(item.Row() + 1) +
           " of " + std::to_string(tree.ChildCount(item.Parent()));
}

std::string MoveOutcomeText(KeyboardMove move, TreeCommands::MoveRefusal refusal) {
    using Refusal = TreeCommands::MoveRefusal;
    switch (refusal) {
        case Refusal::None:
            switch (move) {
                case KeyboardMove::Up: return "Moved up";
                case KeyboardMove::Down: return "Moved down";
                case KeyboardMove::Indent: return "Indented";
                case KeyboardMove::Outdent: return "Outdented";
            }
            break;
        case Refusal::NoPlace:
            switch (move) {
                case KeyboardMove::Up: return "Not moved: already the first of its list";
                case KeyboardMove::Down: return "Not moved: already the last of its list";
                case KeyboardMove::Indent: return "Not indented: no item above it to go under";
                case KeyboardMove::Outdent: return "Not outdented: already on the menu bar";
            }
            break;
        case Refusal::NothingSelected: return "No item is selected";
        case Refusal::TooDeep: return treemessage::kMoveTooDeep;
        case Refusal::IntoItself: return treemessage::kMoveIntoItself;
    }
    return {};
}

std::string AddedItemText(const MenuTree& tree, const MenuItem& added, const MenuItem* current) {
    if (&added == current) return "Added";
    return "Added \"" + SpokenCaption(added) + "\" at " + ItemPlaceText(tree, added);
}

std::string ExpansionText(const MenuItem& item, bool expanded) {
    if (!expanded) return "collapsed";
    const size_t children = item.ChildCount();
    return "expanded, " + std::to_string(children) + (children == 1 ? " item" : " items");
}

std::string ItemDialogUseText(ItemDialogUse use, const MenuItem* selected) {
    const auto quoted = [](const MenuItem& item) { return "\"" + SpokenCaption(item) + "\""; };
    switch (use) {
        case ItemDialogUse::AddItem:
            if (selected == nullptr || selected->Parent() == nullptr) return "Adds an item to the menu bar";
            return "Adds an item to the submenu of " + quoted(*selected->Parent());
        case ItemDialogUse::AddSubitem: return "Adds a subitem to " + quoted(*selected);
        case ItemDialogUse::EditItem: return "Edits " + quoted(*selected);
    }
    return {};
}

std::string SpokenDescription(const std::string& news, const std::string& place) {
    return news.empty() ? place : news + "; " + place;
}

}  // namespace tavel
