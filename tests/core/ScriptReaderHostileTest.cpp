// Scripts no writer makes: the reader must stay within its limits and
// finish, whatever the bytes.
#include "menu/ScriptReader.h"

#include "menu/MenuTree.h"

#include <gtest/gtest.h>

#include <random>

namespace tavel {
namespace {

void ExpectWellFormed(const MenuTree& tree, const ScriptReadResult& result) {
    EXPECT_EQ(tree.Count(), result.items);
    for (size_t i = 0; i < tree.Count(); ++i) ASSERT_LE(MenuTree::ItemLevel(tree.ItemAt(i)), 2);
    if (tree.Selected() != nullptr) {
        EXPECT_EQ(tree.Selected()->Parent(), nullptr);
    }
}

TEST(ScriptReaderHostile, RandomBytesWithNulsAndLoneQuotes) {
    std::mt19937 rng(7);
    const std::string alphabet = std::string("\"[]\r\n\0 theMnuy0123", 19);
    for (int round = 0; round < 200; ++round) {
        std::string script(1 + rng() % 4000, ' ');
        for (char& c : script) c = alphabet[rng() % alphabet.size()];
        MenuTree tree;
        ExpectWellFormed(tree, LoadTreeFromScript(script, tree, {.maxItems = 20000}));
    }
}

TEST(ScriptReaderHostile, MegabyteLinesOfBrackets) {
    // A link of 100,000 "["s is looked for in a line of four million of them.
    std::string script = "var theMenu = new Array();\r\n";
    script += "theMenu[0] = new Array(\"x\", \"" + std::string(100000, '[') + "\");\r\n";
    script += std::string(4 << 20, '[') + "\r\n";
    MenuTree tree;
    ScriptReadResult result = LoadTreeFromScript(script, tree);
    ExpectWellFormed(tree, result);
    ASSERT_EQ(tree.TopCount(), 1u);
    EXPECT_EQ(tree.Top(0)->ChildCount(), 1u);
}

TEST(ScriptReaderHostile, AMillionLinesThatAllNameOneSubmenu) {
    // Every line is a top-level entry whose submenu is every later line: a
    // tree that would grow with the square of the line count.
    std::string script = "var theMenu = new Array();\r\n";
    for (int i = 0; i < 1'000'000; ++i) script += "theMenu[0] = new Array(\"x\", \"a\"); a[0]\r\n";
    MenuTree tree;
    ScriptReadResult result = LoadTreeFromScript(script, tree, {.maxItems = 100'000});
    EXPECT_TRUE(result.truncated);
    EXPECT_EQ(result.items, 100'000u);
    ExpectWellFormed(tree, result);
}

TEST(ScriptReaderHostile, IndexLimitEndsReadingInsteadOfGrowing) {
    std::string script = "var theMenu = new Array();\r\n";
    script += "theMenu[0] = new Array(\"x\", \"a\");\r\n";
    for (int i = 0; i < 1000; ++i) script += "a[0] [ [ [\r\n";
    MenuTree tree;
    ScriptReadResult result = LoadTreeFromScript(script, tree, {.maxIndexEntries = 100});
    EXPECT_TRUE(result.truncated);
    ASSERT_EQ(tree.TopCount(), 1u);
    EXPECT_EQ(tree.Top(0)->ChildCount(), 0u);
}

}  // namespace
}  // namespace tavel
