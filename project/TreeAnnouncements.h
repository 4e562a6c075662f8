#pragma once

#include "project/TreeCommands.h"

#include <string>

namespace tavel {

class MenuItem;
class MenuTree;

// What a screen reader says of the menu tree beyond what a row shows: where
// an item stands, and what a command just did. A sighted user sees both in
// the tree; these texts carry them to a user who hears the program.

// What an item is called: its caption, "separator" for a separator line,
// "(no caption)" for a blank one.
std::string SpokenCaption(const MenuItem& item);

// "level 2, 1 of 3": the item's level counted from 1 (the menu bar), its
// place among its siblings and how many they are.
std::string ItemPlaceText(const MenuTree& tree, const MenuItem& item);

enum class KeyboardMove { Up, Down, Indent, Outdent };

// What a keyboard move did ("Moved up"), or why it did nothing.
std::string MoveOutcomeText(KeyboardMove move, TreeCommands::MoveRefusal refusal);

// The news of an item just added, told on the item the keyboard is on:
// "Added" when that is the new item itself, else where the new one stands
// (the selection stays put while items are added to its list).
std::string AddedItemText(const MenuTree& tree, const MenuItem& added, const MenuItem* current);

// What opening or closing an item did: "expanded, 3 items", "collapsed".
std::string ExpansionText(const MenuItem& item, bool expanded);

// What the Edit Item dialog is open for, which its caption alone does not
// say: 'Adds a subitem to "Products"'. `selected` is the tree's selection.
enum class ItemDialogUse { AddItem, AddSubitem, EditItem };
std::string ItemDialogUseText(ItemDialogUse use, const MenuItem* selected);

// The description the item the keyboard is on gives: its place, after the
// latest news about it when there is any.
std::string SpokenDescription(const std::string& news, const std::string& place);

}  // namespace tavel
