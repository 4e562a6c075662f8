#include "menu/ScriptWriter.h"

#include "TestSupport.h"
#include "platform/TextLines.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

using enum MenuItemKind;

using test::BuildTree;
using test::CrLf;
using test::Row;

std::string ScriptOf(const std::vector<Row>& rows) {
    MenuTree tree;
    BuildTree(tree, rows);
    return WriteMenuScript(tree);
}

TEST(ScriptWriter, WritesTheExampleMenuLineForLine) {
    const std::string script = ScriptOf(test::ExampleRows());
    EXPECT_EQ(script, test::ExampleScript());
    EXPECT_EQ(TextLines(script).Count(), 14u);
}

TEST(ScriptWriter, EmptyTreesAndTopLevelSeparatorsGiveTheHeaderAlone) {
    const std::string header = "var theMenu = new Array();\r\n";
    EXPECT_EQ(ScriptOf({}), header);
    EXPECT_EQ(ScriptOf({{0, Separator, "----------", "", ""}, {0, Separator, "----------", "", ""}}), header);
    // A separator's subtree goes with it, and it takes neither T nor K.
    EXPECT_EQ(ScriptOf({{0, Separator, "----------", "", ""},
                        {1, Plain, "Hidden", "", "h.html"},
                        {0, Submenu, "Shown", "", ""},
                        {1, Plain, "Child", "", "c.html"}}),
              CrLf({R"(var theMenu = new Array();)",
                    R"(theMenu[0] = new Array("Shown", "myMenu0");)",
                    R"(var myMenu0 = new Array();)",
                    R"(myMenu0[0] = new Array("L","Child","","c.html");)"}));
}

TEST(ScriptWriter, PresenceOfChildrenDecidesTheFormAndTheKindLetterIsWrittenAsHeld) {
    EXPECT_EQ(ScriptOf({{0, Submenu, "Top", "never written", "top.html"},
                        // "M" whose children were deleted: its own link.
                        {1, Submenu, "Emptied", "h", "own.html"},
                        // Children under an "L" (after a move): the array name.
                        {1, Plain, "Moved", "h2", "lost.html"},
                        {2, Separator, "----------", "", ""},
                        {2, Submenu, "Deep", "x", "deep.html"}}),
              CrLf({R"(var theMenu = new Array();)",
                    R"(theMenu[0] = new Array("Top", "myMenu0");)",
                    R"(var myMenu0 = new Array();)",
                    R"(myMenu0[0] = new Array("M","Emptied","h","own.html");)",
                    R"(myMenu0[1] = new Array("L","Moved","h2","myMenu02");)",
                    R"(var myMenu02 = new Array();)",
                    R"(myMenu02[0] = new Array("L","----------","","");)",
                    R"(myMenu02[1] = new Array("L","Deep","x","deep.html");)"}));
}

// A quote or backslash written raw would end the script's string early: the
// script would not run and the page would show no menu at all.
TEST(ScriptWriter, QuotesAndBackslashesAreEscapedAndNothingElse) {
    EXPECT_EQ(ScriptOf({{0, Plain, R"(Say "hi" \ <b>)", "", R"(a\b".html)"}}),
              CrLf({R"(var theMenu = new Array();)",
                    R"(theMenu[0] = new Array("Say \"hi\" \\ <b>", "a\\b\".html");)"}));
    EXPECT_EQ(ScriptOf({{0, Submenu, "C:\\new", "", ""},
                        {1, Plain, "\\", R"(")", R"(\\srv\"x\")"},
                        {1, Submenu, R"(""")", "", ""},
                        {2, Plain, "<a href='x'>&amp;</a> ' ` ${x} </script>", "\t", "\\\""}}),
              CrLf({R"(var theMenu = new Array();)",
                    R"(theMenu[0] = new Array("C:\\new", "myMenu0");)",
                    R"(var myMenu0 = new Array();)",
                    R"(myMenu0[0] = new Array("L","\\","\"","\\\\srv\\\"x\\\"");)",
                    R"(myMenu0[1] = new Array("M","\"\"\"","","myMenu02");)",
                    R"(var myMenu02 = new Array();)",
                    "myMenu02[0] = new Array(\"L\",\"<a href='x'>&amp;</a> ' ` ${x} </script>\",\"\t\",\"\\\\\\\"\");"}));
}

// The reader finds a submenu's entries as the later lines that contain the
// submenu's name followed by "[". Every such line must be an entry of that
// submenu, or the entry would land under the wrong parent.
void ExpectPrefixRuleFindsOwnEntriesOnly(const std::string& script) {
    TextLines lines(script);
    for (size_t i = 1; i <= lines.Count(); ++i) {
        const std::string& line = lines.Line(i);
        size_t close = line.rfind('"');
        if (close == std::string::npos || close == 0) continue;
        size_t open = line.rfind('"', close - 1);
        std::string name = line.substr(open + 1, close - open - 1);
        if (name.rfind("myMenu", 0) != 0) continue;
        const std::string prefix = name + "[";
        size_t entries = 0;
        for (size_t j = i + 1; j <= lines.Count(); ++j) {
            if (lines.Line(j).find(prefix) == std::string::npos) continue;
            EXPECT_EQ(lines.Line(j).rfind(prefix, 0), 0u)
                << "line " << j << " would be read under " << name << ": " << lines.Line(j);
            ++entries;
        }
        EXPECT_GT(entries, 0u) << name;
    }
}

TEST(ScriptWriter, AThirdLevelNameThatSpellsASecondLevelArrayGetsAnUnderscore) {
    std::vector<Row> rows = test::NameCollisionRows();
    const std::string script = ScriptOf(rows);
    EXPECT_NE(script.find(R"(myMenu0[0] = new Array("M","Sub","","myMenu1_2");)"), std::string::npos);
    EXPECT_NE(script.find("var myMenu1_2 = new Array();\r\nmyMenu1_2[0] = new Array(\"L\",\"Leaf\""),
              std::string::npos);
    EXPECT_NE(script.find(R"(myMenu12[0] = new Array("L","Item13","","i.html");)"), std::string::npos);
    ExpectPrefixRuleFindsOwnEntriesOnly(script);

    // One submenu fewer: myMenu12 is free and the plain name stays.
    rows.resize(rows.size() - 2);
    const std::string shorter = ScriptOf(rows);
    EXPECT_NE(shorter.find(R"("myMenu12");)"), std::string::npos);
    EXPECT_EQ(shorter.find("myMenu1_2"), std::string::npos);
    ExpectPrefixRuleFindsOwnEntriesOnly(shorter);
}

TEST(ScriptWriter, ThirdLevelRangeRunsFromFirstToLastChildByAbsoluteIndex) {
    // Only reachable by moving items in the model directly: an item below the
    // third level falls inside the range of its grandparent's children and is
    // written there; the last child's own children lie outside it.
    EXPECT_EQ(ScriptOf({{0, Submenu, "Top", "", ""},
                        {1, Submenu, "Second", "", ""},
                        {2, Submenu, "First", "", "f"},
                        {3, Plain, "Fourth", "", "4"},
                        {2, Submenu, "Last", "", "l"},
                        {3, Plain, "Beyond", "", "b"}}),
              CrLf({R"(var theMenu = new Array();)",
                    R"(theMenu[0] = new Array("Top", "myMenu0");)",
                    R"(var myMenu0 = new Array();)",
                    R"(myMenu0[0] = new Array("M","Second","","myMenu01");)",
                    R"(var myMenu01 = new Array();)",
                    R"(myMenu01[0] = new Array("L","First","","f");)",
                    R"(myMenu01[1] = new Array("L","Fourth","","4");)",
                    R"(myMenu01[2] = new Array("L","Last","","l");)"}));
}

}  // namespace
}  // namespace tavel
