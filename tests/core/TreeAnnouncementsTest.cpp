// What a screen reader hears of the tree beyond the captions: each item's
// place, and what a command just did.
#include "project/TreeAnnouncements.h"

#include "TestSupport.h"
#include "menu/MenuTree.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

using enum MenuItemKind;
using Refusal = TreeCommands::MoveRefusal;

class TreeAnnouncementsTest : public ::testing::Test {
protected:
    TreeAnnouncementsTest() {
        test::BuildTree(tree, {
                                  {0, Plain, "Home", "", "index.htm"},
                                  {0, Submenu, "Products", "", ""},
                                  {1, Plain, "Editor", "", "editor.htm"},
                                  {1, Separator, kSeparatorCaption, "", ""},
                                  {1, Submenu, "Tools", "", ""},
                                  {2, Plain, " ", "", "blank.htm"},
                              });
    }
    const MenuItem& Find(const std::string& caption) { return *test::FindItem(tree, caption); }

    MenuTree tree;
};

TEST_F(TreeAnnouncementsTest, EachItemSaysWhatItIsAndWhereItStands) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"Home", "Home", "level 1, 1 of 2"},
        {"Products", "Products", "level 1, 2 of 2"},
        {"Editor", "Editor", "level 2, 1 of 3"},
        {kSeparatorCaption, "separator", "level 2, 2 of 3"},
        {"Tools", "Tools", "level 2, 3 of 3"},
        {" ", "(no caption)", "level 3, 1 of 1"},
    };
    for (const auto& [caption, spoken, place] : cases) {
        SCOPED_TRACE(caption);
        EXPECT_EQ(SpokenCaption(Find(caption)), spoken);
        EXPECT_EQ(ItemPlaceText(tree, Find(caption)), place);
    }
    EXPECT_EQ(SpokenDescription("", "level 1, 1 of 2"), "level 1, 1 of 2");
    EXPECT_EQ(SpokenDescription("Moved up", "level 1, 1 of 2"), "Moved up; level 1, 1 of 2");
}

TEST_F(TreeAnnouncementsTest, EveryMoveSaysWhatItDidOrWhyNot) {
    const std::tuple<KeyboardMove, Refusal, std::string> cases[] = {
        {KeyboardMove::Up, Refusal::None, "Moved up"},
        {KeyboardMove::Down, Refusal::None, "Moved down"},
        {KeyboardMove::Indent, Refusal::None, "Indented"},
        {KeyboardMove::Outdent, Refusal::None, "Outdented"},
        {KeyboardMove::Up, Refusal::NoPlace, "Not moved: already the first of its list"},
        {KeyboardMove::Down, Refusal::NoPlace, "Not moved: already the last of its list"},
        {KeyboardMove::Indent, Refusal::NoPlace, "Not indented: no item above it to go under"},
        {KeyboardMove::Outdent, Refusal::NoPlace, "Not outdented: already on the menu bar"},
        {KeyboardMove::Indent, Refusal::TooDeep, "A menu has at most three levels"},
        {KeyboardMove::Down, Refusal::IntoItself, "An item cannot move into itself"},
        {KeyboardMove::Up, Refusal::NothingSelected, "No item is selected"},
    };
    for (const auto& [move, refusal, text] : cases) EXPECT_EQ(MoveOutcomeText(move, refusal), text);
}

TEST_F(TreeAnnouncementsTest, AnAddedItemAndTheItemDialogSayWhere) {
    EXPECT_EQ(AddedItemText(tree, Find("Tools"), &Find("Editor")), "Added \"Tools\" at level 2, 3 of 3");
    EXPECT_EQ(AddedItemText(tree, Find(kSeparatorCaption), &Find("Editor")), "Added \"separator\" at level 2, 2 of 3");
    EXPECT_EQ(AddedItemText(tree, Find("Home"), &Find("Home")), "Added");

    EXPECT_EQ(ItemDialogUseText(ItemDialogUse::AddItem, nullptr), "Adds an item to the menu bar");
    EXPECT_EQ(ItemDialogUseText(ItemDialogUse::AddItem, &Find("Home")), "Adds an item to the menu bar");
    EXPECT_EQ(ItemDialogUseText(ItemDialogUse::AddItem, &Find("Tools")), "Adds an item to the submenu of \"Products\"");
    EXPECT_EQ(ItemDialogUseText(ItemDialogUse::AddSubitem, &Find("Tools")), "Adds a subitem to \"Tools\"");
    EXPECT_EQ(ItemDialogUseText(ItemDialogUse::EditItem, &Find(" ")), "Edits \"(no caption)\"");

    EXPECT_EQ(ExpansionText(Find("Tools"), true), "expanded, 1 item");
    EXPECT_EQ(ExpansionText(Find("Products"), true), "expanded, 3 items");
    EXPECT_EQ(ExpansionText(Find("Products"), false), "collapsed");
}

}  // namespace
}  // namespace tavel
