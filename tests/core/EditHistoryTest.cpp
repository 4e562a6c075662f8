// Undo and redo of every tree edit: the tree, its records and the selection
// come back exactly, and the modified flag follows the history.
#include "project/TreeCommands.h"

#include "TestSupport.h"
#include "menu/ScriptWriter.h"
#include "project/Workspace.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace tavel {
namespace {

class EditHistoryTest : public ::testing::Test {
protected:
    EditHistoryTest() : workspace("/nowhere/"), commands(workspace), tree(workspace.Tree()) {
        test::BuildTree(tree, test::ExampleRows());
        workspace.ClearHistory();
        workspace.MarkSaved();
    }
    MenuItem* Find(const std::string& caption) { return test::FindItem(tree, caption); }

    Workspace workspace;
    TreeCommands commands;
    MenuTree& tree;
};

struct EditCase {
    const char* name;
    const char* select;  // the item selected before the edit
    std::function<void(TreeCommands&)> edit;
};

TEST_F(EditHistoryTest, EveryEditUndoesToTheSameScriptAndRedoesToTheEditedOne) {
    const ItemTexts texts{"New", "A hint", "new.html"};
    const EditCase cases[] = {
        {"Add item", "Editor", [&](TreeCommands& c) { c.AddItem(texts); }},
        {"Add subitem", "Hardware", [&](TreeCommands& c) { c.AddSubitem(texts); }},
        {"Edit item", "Software", [&](TreeCommands& c) { c.FinishEdit(&texts); }},
        {"Separator", "Contact", [&](TreeCommands& c) { c.AddSeparator(); }},
        {"Delete", "Software", [&](TreeCommands& c) { c.DeleteSelected(); }},
        {"Move", "Contact", [&](TreeCommands& c) { c.DropOn(Find("Hardware")); }},
        {"Move up", "Hardware", [&](TreeCommands& c) { c.MoveUp(); }},
        {"Move down", "Home", [&](TreeCommands& c) { c.MoveDown(); }},
        {"Indent", "Hardware", [&](TreeCommands& c) { c.Indent(); }},
        {"Outdent", "Viewer", [&](TreeCommands& c) { c.Outdent(); }},
    };
    for (const EditCase& edit : cases) {
        SCOPED_TRACE(edit.name);
        MenuItem* selected = Find(edit.select);
        tree.Select(selected);
        const std::string before = WriteMenuScript(tree);
        edit.edit(commands);
        const std::string after = WriteMenuScript(tree);
        MenuItem* selectedAfter = tree.Selected();
        EXPECT_EQ(workspace.History().UndoName(), edit.name);

        commands.Undo();
        EXPECT_EQ(WriteMenuScript(tree), before);
        EXPECT_EQ(tree.Selected(), selected);

        commands.Redo();
        EXPECT_EQ(WriteMenuScript(tree), after);
        EXPECT_EQ(tree.Selected(), selectedAfter);
        commands.Undo();
        workspace.ClearHistory();
    }
}

// Moves joined into one step end where the last of them left the selection,
// on Redo as when they were made.
TEST_F(EditHistoryTest, RedoOfJoinedMovesSelectsWhatTheLastMoveLeftSelected) {
    EditHistory& history = workspace.History();
    static const int kKey = 0;
    MenuItem* home = Find("Home");
    MenuItem* about = Find("About");
    for (MenuItem* item : {home, about}) {
        tree.Select(item);
        history.BeginJoining("Move", &kKey, "Moves");
        history.Move(item, nullptr, 0);
        history.Commit();
    }
    ASSERT_EQ(history.UndoCount(), 1u);
    tree.Select(Find("Products"));
    history.Undo();
    EXPECT_EQ(tree.Selected(), home);
    history.Redo();
    EXPECT_EQ(tree.Selected(), about);
}

TEST_F(EditHistoryTest, AThousandRandomEditsUndoneGiveTheOriginalScript) {
    std::mt19937 random(12);
    const std::string original = WriteMenuScript(tree);
    std::vector<std::string> scripts{original};
    for (int i = 0; i < 1000; ++i) {
        if (tree.Count() > 0) tree.Select(tree.ItemAt(random() % tree.Count()));
        const size_t undoable = workspace.History().UndoCount();
        const ItemTexts texts{"Item " + std::to_string(i), "hint " + std::to_string(i), std::to_string(i) + ".html"};
        switch (random() % 10) {
            case 0: commands.AddItem(texts); break;
            case 1: if (commands.CheckAddSubitem() == TreeCommands::SubitemRefusal::None) commands.AddSubitem(texts); break;
            case 2: commands.FinishEdit(random() % 2 ? &texts : nullptr); break;
            case 3: commands.AddSeparator(); break;
            case 4: if (tree.Count() > 20) commands.DeleteSelected(); break;
            case 5: commands.DropOn(tree.Count() > 0 ? tree.ItemAt(random() % tree.Count()) : nullptr); break;
            case 6: commands.MoveUp(); break;
            case 7: commands.MoveDown(); break;
            case 8: commands.Indent(); break;
            case 9: commands.Outdent(); break;
        }
        // A keyboard move joined to the one before changes that step's end.
        if (workspace.History().UndoCount() != undoable)
            scripts.push_back(WriteMenuScript(tree));
        else
            scripts.back() = WriteMenuScript(tree);
    }
    ASSERT_GT(scripts.size(), 700u);  // most edits took
    const std::string last = scripts.back();
    for (size_t i = scripts.size() - 1; i > 0; --i) {
        commands.Undo();
        ASSERT_EQ(WriteMenuScript(tree), scripts[i - 1]) << "after undoing edit " << i;
    }
    EXPECT_EQ(WriteMenuScript(tree), original);
    while (commands.CanRedo()) commands.Redo();
    EXPECT_EQ(WriteMenuScript(tree), last);
}

TEST_F(EditHistoryTest, TheModifiedFlagFollowsTheHistoryFromTheLastSave) {
    tree.Select(Find("Home"));
    commands.AddSeparator();
    commands.MoveUp();
    workspace.MarkSaved();  // a save after two edits
    commands.Undo();
    EXPECT_TRUE(workspace.Modified());
    commands.Redo();
    EXPECT_FALSE(workspace.Modified());

    // A new edit after an undo makes the saved state unreachable.
    commands.Undo();
    commands.AddSeparator();
    commands.Undo();
    EXPECT_TRUE(workspace.Modified());

    // A change the history does not know about is undone only by a save.
    workspace.MarkSaved();
    commands.AddSeparator();
    workspace.MarkModified();
    commands.Undo();
    EXPECT_TRUE(workspace.Modified());
}

// Keyboard moves of one item in a row are one undo step; anything the
// history does in between, or a move of another item, starts the next.
TEST_F(EditHistoryTest, KeyboardMovesOfOneItemInARowAreOneStep) {
    const struct {
        const char* name;
        std::function<void()> between;
        size_t steps;
        const char* lastName;
    } cases[] = {
        {"in a row", [] {}, 1, "Move up"},
        {"mixed kinds", [&] { commands.MoveDown(); commands.MoveUp(); }, 1, "Move"},
        {"edit between", [&] { commands.AddSeparator(); }, 3, "Move up"},
        {"undo between", [&] { workspace.MarkSaved(); commands.MoveUp(); commands.Undo(); }, 2, "Move up"},
        {"redo between", [&] { commands.Undo(); commands.Redo(); }, 2, "Move up"},
        {"save between", [&] { workspace.MarkSaved(); }, 2, "Move up"},
        {"other item between", [&] { tree.Select(Find("Home")); commands.MoveDown(); tree.Select(Find("About")); }, 3, "Move up"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        workspace.ClearHistory();
        const std::string start = WriteMenuScript(tree);
        tree.Select(Find("About"));
        commands.MoveUp();
        c.between();
        commands.MoveUp();
        EXPECT_EQ(workspace.History().UndoCount(), c.steps);
        EXPECT_EQ(workspace.History().UndoName(), c.lastName);
        while (commands.CanUndo()) commands.Undo();
        EXPECT_EQ(WriteMenuScript(tree), start);
        EXPECT_EQ(tree.Selected(), Find("About"));
    }
}

// A move joined after a save would hide the saved state inside one step:
// the save starts a new step, and undoing it comes back clean.
TEST_F(EditHistoryTest, UndoAfterSavingBetweenMovesComesBackToTheSavedTree) {
    tree.Select(Find("About"));
    commands.MoveUp();
    workspace.MarkSaved();
    commands.MoveUp();
    EXPECT_TRUE(workspace.Modified());
    commands.Undo();
    EXPECT_FALSE(workspace.Modified());
}

TEST_F(EditHistoryTest, TheWindowIsToldOfEveryChangeToWhatUndoOffers) {
    std::vector<std::string> told;
    workspace.SetEditStateListener([&] {
        told.push_back(workspace.History().UndoName() + (workspace.Modified() ? " *" : ""));
    });
    tree.Select(Find("Home"));
    commands.AddSeparator();
    commands.Undo();
    commands.Redo();
    workspace.MarkSaved();
    workspace.ClearHistory();
    EXPECT_EQ(told, (std::vector<std::string>{"Separator *", "", "Separator *", "Separator", ""}));
}

TEST_F(EditHistoryTest, ATreeEmptiedOrReloadedStartsANewHistory) {
    tree.Select(Find("Home"));
    commands.DeleteSelected();
    ASSERT_TRUE(commands.CanUndo());
    tree.Clear();  // what opening a project does to the tree
    EXPECT_FALSE(commands.CanUndo());
}

}  // namespace
}  // namespace tavel
