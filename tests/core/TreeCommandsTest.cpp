#include "project/TreeCommands.h"

#include "TestSupport.h"
#include "project/Workspace.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

using enum MenuItemKind;

using Refusal = TreeCommands::SubitemRefusal;
using MoveRefusal = TreeCommands::MoveRefusal;

class TreeCommandsTest : public ::testing::Test {
protected:
    TreeCommandsTest() : workspace("/nowhere/"), commands(workspace), tree(workspace.Tree()) {
        // Just saved: clean, and the Save command disabled, so every edit
        // has to enable it again.
        workspace.MarkSaved();
        workspace.SetSaveEnabled(false);
    }

    void LoadExample() { test::BuildTree(tree, test::ExampleRows()); }
    MenuItem* Find(const std::string& caption) { return test::FindItem(tree, caption); }
    void ExpectEdited() {
        EXPECT_TRUE(workspace.Modified());
        EXPECT_TRUE(workspace.SaveEnabled());
    }
    void ExpectClean() {
        EXPECT_FALSE(workspace.Modified());
        EXPECT_FALSE(workspace.SaveEnabled());
    }

    Workspace workspace;
    TreeCommands commands;
    MenuTree& tree;
    const ItemTexts texts{"Caption", "Hint", "page.html"};
};

TEST_F(TreeCommandsTest, AddItemOnAnEmptyTreeAsksForItsFirstSubitem) {
    auto outcome = commands.AddItem(texts);
    ASSERT_NE(outcome.item, nullptr);
    EXPECT_TRUE(outcome.needsSubmenu);
    EXPECT_EQ(tree.Selected(), outcome.item);
    EXPECT_EQ(outcome.item->Data(), (MenuItemData{Plain, "Caption", "Hint", "page.html"}));
    ExpectEdited();

    // The window goes on with Add subitem for the new item, which is allowed.
    EXPECT_EQ(commands.CheckAddSubitem(), Refusal::None);
    MenuItem* child = commands.AddSubitem({"Sub", "", ""});
    EXPECT_EQ(child->Parent(), outcome.item);
    EXPECT_EQ(outcome.item->Data().kind, Submenu);
    EXPECT_EQ(tree.Selected(), outcome.item);
}

TEST_F(TreeCommandsTest, AddItemBelowTheTopGoesAfterTheLastSiblingAndKeepsTheSelection) {
    LoadExample();
    MenuItem* software = Find("Software");  // has later siblings
    tree.Select(software);
    auto outcome = commands.AddItem(texts);
    EXPECT_FALSE(outcome.needsSubmenu);
    EXPECT_EQ(Find("Products")->LastChild(), outcome.item);
    EXPECT_EQ(tree.Selected(), software);
    ExpectEdited();

    // Nothing selected: a new top-level item at the end.
    tree.Select(nullptr);
    outcome = commands.AddItem(texts);
    EXPECT_TRUE(outcome.needsSubmenu);
    EXPECT_EQ(outcome.item, tree.Top(tree.TopCount() - 1));
}

TEST_F(TreeCommandsTest, AddSubitemIsRefusedWithoutSelectionAndBelowTheThirdLevel) {
    LoadExample();
    EXPECT_EQ(commands.CheckAddSubitem(), Refusal::NoSelection);
    tree.Select(Find("Editor"));
    EXPECT_EQ(commands.CheckAddSubitem(), Refusal::TooDeep);
    EXPECT_EQ(commands.AddSubitem(texts), nullptr);
    EXPECT_EQ(tree.Count(), 11u);
    ExpectClean();

    // Top and second level work, and a separator becomes a submenu item.
    for (const char* caption : {"Home", "Hardware"}) {
        tree.Select(Find(caption));
        ASSERT_EQ(commands.CheckAddSubitem(), Refusal::None) << caption;
        commands.AddSubitem(texts);
        EXPECT_EQ(Find(caption)->Data().kind, Submenu) << caption;
    }
    MenuItem* separator = Find("Products")->Child(1);
    ASSERT_EQ(separator->Data().kind, Separator);
    tree.Select(separator);
    commands.AddSubitem(texts);
    EXPECT_EQ(separator->Data().kind, Submenu);
    EXPECT_EQ(separator->LastChild()->Data().kind, Plain);
    ExpectEdited();
}

TEST_F(TreeCommandsTest, EditStoresTextsOnOkAndCancelChangesNothing) {
    LoadExample();
    EXPECT_FALSE(commands.CanEdit());
    commands.FinishEdit(nullptr);  // no selection: nothing at all
    ExpectClean();

    MenuItem* viewer = Find("Viewer");
    tree.Select(viewer);
    ItemTexts loaded = commands.SelectedTexts();
    EXPECT_EQ(loaded.caption, "Viewer");
    EXPECT_EQ(loaded.link, "view.html");
    commands.FinishEdit(nullptr);  // Cancel on a clean project: still clean, no undo step
    EXPECT_EQ(viewer->Data().caption, "Viewer");
    EXPECT_FALSE(commands.CanUndo());
    ExpectClean();

    commands.FinishEdit(&texts);
    EXPECT_EQ(viewer->Data(), (MenuItemData{Plain, "Caption", "Hint", "page.html"}));
    ExpectEdited();
    // Cancel on a changed project leaves it changed, with the same one step
    // to undo back to the clean state.
    commands.FinishEdit(nullptr);
    ExpectEdited();
    commands.Undo();
    EXPECT_FALSE(workspace.Modified());
    EXPECT_FALSE(commands.CanUndo());
    commands.Redo();

    MenuItem* separator = Find("Products")->Child(1);
    tree.Select(separator);
    commands.FinishEdit(&texts);
    EXPECT_EQ(separator->Data().kind, Separator);
    EXPECT_EQ(separator->Data().caption, "Caption");
}

// Menu-bar titles are written without a hint: the dialog is told when its
// item is one, for Add item before the item exists.
TEST_F(TreeCommandsTest, TheDialogsItemIsAMenuBarTitleOnlyOnTheTopLevel) {
    LoadExample();
    EXPECT_TRUE(commands.AddsMenuBarTitle());  // nothing selected: a new title
    EXPECT_FALSE(commands.EditsMenuBarTitle());
    tree.Select(Find("Products"));
    EXPECT_TRUE(commands.AddsMenuBarTitle() && commands.EditsMenuBarTitle());
    tree.Select(Find("Software"));
    EXPECT_FALSE(commands.AddsMenuBarTitle() || commands.EditsMenuBarTitle());
}

TEST_F(TreeCommandsTest, SeparatorLandsAtTheEndOfTheSelectedItemsLevel) {
    commands.AddSeparator();
    ASSERT_EQ(tree.Count(), 1u);
    EXPECT_EQ(tree.Top(0)->Data(), (MenuItemData{Separator, "----------", "", ""}));
    ExpectEdited();

    tree.Clear();
    LoadExample();
    tree.Select(Find("Editor"));
    commands.AddSeparator();
    MenuItem* added = Find("Software")->LastChild();
    EXPECT_EQ(added->Data().kind, Separator);
    EXPECT_EQ(MenuTree::ItemLevel(added), 2);
}

TEST_F(TreeCommandsTest, DeleteTakesTheSubtreeAndLeavesTheParentsKind) {
    LoadExample();
    commands.DeleteSelected();  // nothing selected
    ExpectClean();
    EXPECT_EQ(tree.Count(), 11u);

    tree.Select(Find("Contact"));
    commands.DeleteSelected();
    EXPECT_FALSE(Find("About")->HasChildren());
    EXPECT_EQ(Find("About")->Data().kind, Submenu);
    ExpectEdited();

    tree.Select(Find("Products"));
    commands.DeleteSelected();
    EXPECT_EQ(tree.Count(), 3u);
}

TEST_F(TreeCommandsTest, DropMovesBeforeTheTargetAndExpandsTheNewParent) {
    LoadExample();
    tree.Select(Find("Contact"));
    MenuItem* target = Find("Hardware");
    ASSERT_TRUE(commands.CanDropOn(target));
    commands.DropOn(target);
    EXPECT_EQ(Find("Contact")->Parent(), Find("Products"));
    EXPECT_EQ(Find("Contact")->Row() + 1, target->Row());
    EXPECT_TRUE(Find("Products")->Expanded());
    ExpectEdited();
}

TEST_F(TreeCommandsTest, DropIsRefusedWhereTheMenuWouldGrowAFourthLevel) {
    LoadExample();
    MenuItem* disk = tree.AppendChild(Find("Hardware"), {Plain, "Disk", "", ""});
    tree.Select(Find("Software"));  // a second-level item with children
    EXPECT_FALSE(commands.CanDropOn(disk));
    commands.DropOn(disk);
    EXPECT_EQ(Find("Software")->Parent(), Find("Products"));
    ExpectClean();
    // The same subtree fits one level up, and on its own level.
    EXPECT_TRUE(commands.CanDropOn(Find("Home")));
    EXPECT_TRUE(commands.CanDropOn(Find("Hardware")));

    tree.Select(Find("Products"));  // three levels: only the top level takes it
    EXPECT_FALSE(commands.CanDropOn(Find("Contact")));
    EXPECT_TRUE(commands.CanDropOn(Find("About")));
    EXPECT_FALSE(commands.CanDropOn(nullptr));
    tree.Select(nullptr);
    EXPECT_FALSE(commands.CanDropOn(Find("Home")));
}

TEST_F(TreeCommandsTest, DropOnItselfOrIntoItsOwnSubtreeIsRefusedWithItsReason) {
    LoadExample();
    const auto before = test::RowsOf(tree);
    tree.Select(Find("Products"));
    EXPECT_EQ(commands.CheckDrop(Find("Editor")), TreeCommands::MoveRefusal::IntoItself);
    EXPECT_EQ(commands.CheckDrop(Find("Products")), TreeCommands::MoveRefusal::IntoItself);
    EXPECT_EQ(commands.CheckDrop(Find("Contact")), TreeCommands::MoveRefusal::TooDeep);
    commands.DropOn(Find("Editor"));
    commands.DropOn(Find("Products"));
    EXPECT_EQ(test::RowsOf(tree), before);
    ExpectClean();
}

TEST_F(TreeCommandsTest, DropBelowTheLastItemOfAListPutsTheItemLastThere) {
    LoadExample();
    tree.Select(Find("Home"));
    commands.Drop(Find("Hardware"), true);
    EXPECT_EQ(Find("Products")->LastChild(), Find("Home"));
    commands.Drop(nullptr, true);  // the empty space below the whole tree
    EXPECT_EQ(tree.Top(tree.TopCount() - 1), Find("Home"));
    // Already last at the top: taken, and still last.
    commands.Drop(nullptr, true);
    EXPECT_EQ(tree.Top(tree.TopCount() - 1), Find("Home"));
}

TEST_F(TreeCommandsTest, KeyboardMovesRefuseAFourthLevelAndTheEdgesOfAList) {
    LoadExample();
    tree.Select(Find("Hardware"));
    EXPECT_EQ(commands.Indent(), MoveRefusal::None);  // under the separator before it
    EXPECT_EQ(Find("Hardware")->Parent()->Data().kind, Separator);
    EXPECT_EQ(tree.Selected(), Find("Hardware"));

    const size_t undoable = workspace.History().UndoCount();
    tree.Select(Find("Viewer"));
    EXPECT_EQ(commands.Indent(), MoveRefusal::TooDeep);
    tree.Select(Find("Home"));
    EXPECT_EQ(commands.MoveUp(), MoveRefusal::NoPlace);
    tree.Select(nullptr);
    EXPECT_EQ(commands.MoveUp(), MoveRefusal::NothingSelected);
    EXPECT_EQ(workspace.History().UndoCount(), undoable);
}

TEST_F(TreeCommandsTest, AddSubitemOpensItsParentSoTheNewItemShows) {
    LoadExample();
    MenuItem* hardware = Find("Hardware");
    ASSERT_FALSE(hardware->Expanded());
    tree.Select(hardware);
    commands.AddSubitem(texts);
    EXPECT_TRUE(hardware->Expanded());
    EXPECT_EQ(tree.Selected(), hardware);
}

TEST_F(TreeCommandsTest, ExpandAndCollapseAllTouchEveryItemButNotTheFlag) {
    LoadExample();
    commands.ExpandAll();
    for (size_t i = 0; i < tree.Count(); ++i) EXPECT_TRUE(tree.ItemAt(i)->Expanded()) << i;
    commands.CollapseAll();
    for (size_t i = 0; i < tree.Count(); ++i) EXPECT_FALSE(tree.ItemAt(i)->Expanded()) << i;
    ExpectClean();
}

}  // namespace
}  // namespace tavel
