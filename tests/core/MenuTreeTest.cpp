#include "menu/MenuTree.h"

#include "TestSupport.h"
#include "menu/MenuTreeObserver.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

using test::BuildTree;
using test::ExampleRows;

std::vector<std::string> Captions(const MenuTree& tree) {
    std::vector<std::string> out;
    for (size_t i = 0; i < tree.Count(); ++i) {
        const MenuItem* item = tree.ItemAt(i);
        out.push_back(std::string(static_cast<size_t>(MenuTree::ItemLevel(item)), '.') +
                      item->Data().caption);
    }
    return out;
}

MenuItem* Find(const MenuTree& tree, const std::string& caption) { return test::FindItem(tree, caption); }

TEST(MenuTree, AbsoluteIndexWalksParentsBeforeChildren) {
    MenuTree tree;
    BuildTree(tree, ExampleRows());
    ASSERT_EQ(tree.Count(), 11u);
    for (size_t i = 0; i < tree.Count(); ++i) EXPECT_EQ(tree.AbsoluteIndex(tree.ItemAt(i)), i);
    EXPECT_EQ(tree.ItemAt(3)->Data().caption, "Editor");
    EXPECT_EQ(MenuTree::ItemLevel(tree.ItemAt(3)), 2);
    EXPECT_EQ(tree.ItemAt(2)->FirstChild(), tree.ItemAt(3));
    EXPECT_EQ(tree.ItemAt(2)->LastChild(), tree.ItemAt(5));
    EXPECT_EQ(tree.ItemAt(3)->Parent(), tree.ItemAt(2));
    EXPECT_EQ(tree.ItemAt(1)->Parent(), nullptr);
    EXPECT_EQ(MenuTree::Height(tree.ItemAt(1)), 2);
    EXPECT_EQ(MenuTree::Height(tree.ItemAt(0)), 0);
    EXPECT_THROW(tree.ItemAt(11), std::out_of_range);
}

TEST(MenuTree, AppendSiblingGoesToTheEndOfTheItemsOwnList) {
    MenuTree tree;
    BuildTree(tree, ExampleRows());
    tree.AppendSibling(Find(tree, "Software"), {MenuItemKind::Plain, "New", "", ""});
    tree.AppendSibling(nullptr, {MenuItemKind::Plain, "Top", "", ""});
    tree.AppendSibling(Find(tree, "Contact"), {MenuItemKind::Plain, "Second", "", ""});
    EXPECT_EQ(Find(tree, "New")->Parent(), Find(tree, "Products"));
    EXPECT_EQ(Find(tree, "Products")->LastChild(), Find(tree, "New"));
    EXPECT_EQ(tree.Top(tree.TopCount() - 1)->Data().caption, "Top");
    EXPECT_EQ(Find(tree, "Second")->Row(), 1u);
    EXPECT_EQ(tree.AbsoluteIndex(Find(tree, "Top")), tree.Count() - 1);
}

TEST(MenuTree, MoveBeforeCarriesTheSubtreeToTheTargetsLevel) {
    MenuTree tree;
    BuildTree(tree, ExampleRows());
    tree.MoveBefore(Find(tree, "Software"), Find(tree, "Home"));
    EXPECT_EQ(Captions(tree),
              (std::vector<std::string>{"Software", ".Editor", ".----------", ".Viewer", "Home",
                                        "Products", ".----------", ".Hardware", "----------",
                                        "About", ".Contact"}));
    for (size_t i = 0; i < tree.TopCount(); ++i) EXPECT_EQ(tree.Top(i)->Row(), i);

    // Forward within one list: it lands right before the target.
    tree.MoveBefore(Find(tree, "Software"), Find(tree, "About"));
    EXPECT_EQ(tree.Top(3)->Data().caption, "Software");
    EXPECT_EQ(tree.Top(4)->Data().caption, "About");
    for (size_t i = 0; i < tree.TopCount(); ++i) EXPECT_EQ(tree.Top(i)->Row(), i);
}

TEST(MenuTree, MoveOntoItselfItsSuccessorOrADescendantChangesNothing) {
    MenuTree tree;
    BuildTree(tree, ExampleRows());
    const auto before = Captions(tree);
    tree.MoveBefore(Find(tree, "Products"), Find(tree, "Products"));
    tree.MoveBefore(Find(tree, "Home"), Find(tree, "Products"));
    tree.MoveBefore(Find(tree, "Products"), Find(tree, "Editor"));
    EXPECT_EQ(Captions(tree), before);
}

TEST(MenuTree, DeleteRemovesTheSubtreeAndMovesASelectionInsideIt) {
    MenuTree tree;
    BuildTree(tree, ExampleRows());
    tree.Select(Find(tree, "Editor"));
    tree.Delete(Find(tree, "Software"));
    EXPECT_EQ(tree.Count(), 7u);
    EXPECT_EQ(Find(tree, "Viewer"), nullptr);
    // The next sibling of the deleted item takes the selection.
    EXPECT_EQ(tree.Selected(), Find(tree, "Products")->FirstChild());

    tree.Select(Find(tree, "Contact"));
    tree.Delete(Find(tree, "Contact"));  // no sibling left: the parent
    EXPECT_EQ(tree.Selected(), Find(tree, "About"));
    tree.Delete(Find(tree, "About"));  // the last top-level item: the previous one
    EXPECT_EQ(tree.Selected(), tree.Top(tree.TopCount() - 1));

    MenuItem* keep = Find(tree, "Home");
    tree.Select(keep);
    tree.Delete(Find(tree, "Hardware"));  // elsewhere: the selection stays
    EXPECT_EQ(tree.Selected(), keep);
    tree.Clear();
    EXPECT_EQ(tree.Selected(), nullptr);
    EXPECT_EQ(tree.Count(), 0u);
}

// The window's item model relies on these calls to stay consistent.
class Journal : public MenuTreeObserver {
public:
    void BeforeInsert(const MenuItem* p, size_t row) override { Log("insert", p, row); }
    void BeforeRemove(const MenuItem* p, size_t row) override { Log("remove", p, row); }
    void BeforeMove(const MenuItem* from, size_t fromRow, const MenuItem* to, size_t toRow) override {
        Log("move", from, fromRow);
        Log(" to", to, toRow);
    }
    void BeforeReset() override { log += "reset;"; }
    void Log(const char* what, const MenuItem* parent, size_t row) {
        log += std::string(what) + " " + (parent ? parent->Data().caption : "top") + "@" +
               std::to_string(row) + ";";
    }
    std::string log;
};

TEST(MenuTree, ObserverHearsEveryStructuralChangeWithRowsBeforeTheChange) {
    MenuTree tree;
    Journal journal;
    tree.SetObserver(&journal);
    BuildTree(tree, ExampleRows());
    journal.log.clear();
    tree.AppendChild(Find(tree, "About"), {MenuItemKind::Plain, "X", "", ""});
    tree.MoveBefore(Find(tree, "About"), Find(tree, "Home"));
    tree.MoveBefore(Find(tree, "Hardware"), Find(tree, "Viewer"));
    tree.Delete(Find(tree, "Software"));
    tree.Clear();
    EXPECT_EQ(journal.log,
              "insert About@1;move top@3; to top@0;move Products@2; to Software@2;"
              "remove Products@0;reset;");
}

}  // namespace
}  // namespace tavel
