#include "menu/ScriptReader.h"

#include "TestSupport.h"
#include "menu/BracketIndex.h"
#include "menu/ScriptWriter.h"

#include <gtest/gtest.h>

#include <bit>

namespace tavel {
namespace {

using enum MenuItemKind;

using test::CrLf;
using test::Row;
using test::RowsOf;

TEST(NextQuotedField, CutsAtQuotesThatNoBackslashEscapes) {
    const std::string_view line = R"(x("a\", "b",c"))";
    QuotedField f = NextQuotedField(line, 1);
    EXPECT_EQ(f.text, R"(a\", )");
    EXPECT_EQ(f.next, 10u);
    f = NextQuotedField(line, f.next);  // what lies between two fields is skipped
    EXPECT_EQ(f.text, ",c");
    EXPECT_EQ(f.next, 15u);
    f = NextQuotedField(line, f.next);
    EXPECT_EQ(f.text, "");
    EXPECT_GT(f.next, line.size());
    EXPECT_EQ(NextQuotedField("", 1).text, "");
    EXPECT_EQ(NextQuotedField("no quotes", 1).next, 10u);
    EXPECT_EQ(NextQuotedField("\"\"", 1).text, "");
    EXPECT_EQ(NextQuotedField("\"\"", 1).next, 3u);
    // A backslash at the end is itself.
    EXPECT_EQ(NextQuotedField(R"("a\)", 1).text, R"(a\)");
}

std::vector<Row> Read(std::string_view script, MenuTree& tree) {
    LoadTreeFromScript(script, tree);
    return RowsOf(tree);
}

// Two texts of 2,048 letters, the Thue-Morse word over "a" and "b" and its
// mirror, share every polynomial hash modulo 2^64 with an odd base: the index
// must then compare the line itself and answer each pattern exactly.
TEST(BracketIndex, TextsThatShareAHashAreToldApart) {
    std::string word(2048, 'a');
    for (size_t i = 0; i < word.size(); ++i)
        if (std::popcount(i) % 2 == 1) word[i] = 'b';
    std::string mirror = word;
    for (char& c : mirror) c = c == 'a' ? 'b' : 'a';
    const std::string lines[] = {"x = " + word + "[0];", "y = " + mirror + "[0];", "z = " + word + "[1];"};
    const std::vector<std::string_view> views(std::begin(lines), std::end(lines));
    BracketIndex index(views, 1000);
    const std::vector<uint32_t>* words = index.LinesContaining(word + "[");
    const std::vector<uint32_t>* mirrors = index.LinesContaining(mirror + "[");
    ASSERT_TRUE(words != nullptr && mirrors != nullptr);
    EXPECT_EQ(*words, (std::vector<uint32_t>{0, 2}));
    EXPECT_EQ(*mirrors, (std::vector<uint32_t>{1}));
}

// Every line that holds text but gives no item is counted, and the first
// is kept to be shown; what the writer writes is never counted.
TEST(ScriptReader, CountsTheLinesThatGiveNoItem) {
    MenuTree written;
    test::BuildTree(written, test::ExampleRows());
    const std::string example = test::ExampleScript();
    const struct {
        std::string script;
        size_t dropped;
        size_t first;
        std::string firstText;
    } cases[] = {
        {WriteMenuScript(written), 0, 0, ""},
        {example + "\r\n  \r\n", 0, 0, ""},
        {example + "theMnu[3] = new Array(\"Typo\", \"t.htm\");\r\n// note\r\n", 2, 15,
         "theMnu[3] = new Array(\"Typo\", \"t.htm\");"},
        {"theMenu[0] = new Array(\"First\", \"f.htm\");\r\n" + example.substr(example.find('\n') + 1), 1, 1,
         "theMenu[0] = new Array(\"First\", \"f.htm\");"},
        {"x\r\nmyMenu0[0] = new Array(\"L\",\"Orphan\",\"\",\"o.htm\");", 2, 1, "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        MenuTree tree;
        const ScriptReadResult read = LoadTreeFromScript(c.script, tree);
        EXPECT_EQ(read.droppedLines, c.dropped);
        EXPECT_EQ(read.firstDroppedLine, c.first);
        EXPECT_EQ(read.firstDropped, c.firstText);
    }
}

TEST(ScriptReader, ReadsTheExampleBackWithTheKnownLosses) {
    MenuTree tree;
    const std::string hint = kTopLevelHint;
    EXPECT_EQ(Read(test::ExampleScript(), tree),
              (std::vector<Row>{
                  {0, Submenu, "Home", hint, "index.html"},
                  {0, Submenu, "Products", hint, "myMenu0"},
                  {1, Submenu, "Software", "Programs", "myMenu12"},
                  {2, Plain, "Editor", "Text editor", "editor.html"},
                  {2, Plain, "----------", "", ""},
                  {2, Plain, "Viewer", "", "view.html"},
                  {1, Separator, "----------", "", ""},
                  {1, Plain, "Hardware", "Devices", "hard.html"},
                  {0, Submenu, "About", hint, "myMenu1"},
                  {1, Plain, "Contact", "Write to us", "contact.html"},
              }));
    EXPECT_EQ(tree.Selected(), tree.Top(2));
    EXPECT_EQ(WriteMenuScript(tree), test::ExampleScript());
}

TEST(ScriptReader, ShortTextsGiveAnEmptyTree) {
    MenuTree tree;
    test::BuildTree(tree, test::ExampleRows());
    tree.Select(tree.Top(0));
    for (const char* text : {"", "var theMenu = new Array();\r\n", R"(theMenu[0] = new Array("A", "a");)"}) {
        LoadTreeFromScript(text, tree);
        EXPECT_EQ(tree.Count(), 0u) << text;
        EXPECT_EQ(tree.Selected(), nullptr);
    }
}

TEST(ScriptReader, OnlyLaterLinesAreSearchedAndAttachedInLineOrder) {
    MenuTree tree;
    EXPECT_EQ(Read(CrLf({"var theMenu = new Array();",
                         R"(myMenu0[0] = new Array("L","Early","",""))",
                         R"(theMenu[0] = new Array("Top", "myMenu0");)",
                         R"(myMenu0[5] = new Array("L","Five","",""))",
                         R"(myMenu0[1] = new Array("L","One","",""))",
                         R"(myMenu0[1] = new Array("L","Again","",""))",
                         R"(myMenu0[2] = new Array("L","Three fields",""))"}),
                   tree),
              (std::vector<Row>{{0, Submenu, "Top", kTopLevelHint, "myMenu0"},
                                {1, Plain, "Five", "", ""},
                                {1, Plain, "One", "", ""},
                                {1, Plain, "Again", "", ""},
                                {1, Plain, "Three fields", "", ""}}));
}

TEST(ScriptReader, ACaptionHoldingTheMenuIsReadTwice) {
    MenuTree tree;
    EXPECT_EQ(Read(CrLf({"var theMenu = new Array();",
                         R"(theMenu[0] = new Array("Top", "myMenu0");)",
                         R"(myMenu0[0] = new Array("L","theMenu fan","hint","fan.html");)"}),
                   tree),
              (std::vector<Row>{{0, Submenu, "Top", kTopLevelHint, "myMenu0"},
                                {1, Plain, "theMenu fan", "hint", "fan.html"},
                                // As a top-level entry its first two fields are "L" and the caption.
                                {0, Submenu, "L", kTopLevelHint, "theMenu fan"}}));
}

TEST(ScriptReader, ThirdLevelIsReadOnlyBelowSubmenuItems) {
    MenuTree tree;
    auto rows = Read(CrLf({"var theMenu = new Array();",
                           R"(theMenu[0] = new Array("Top", "myMenu0");)",
                           R"(myMenu0[0] = new Array("L","Plain","","myMenu01");)",
                           R"(myMenu01[0] = new Array("L","Lost","","");)",
                           R"(myMenu0[1] = new Array("M","Sub","","myMenu02");)",
                           R"(myMenu02[0] = new Array("M","Deep","","myMenu0");)"}),
                     tree);
    // "Deep" names myMenu0 but nothing below the third level is searched.
    EXPECT_EQ(rows, (std::vector<Row>{{0, Submenu, "Top", kTopLevelHint, "myMenu0"},
                                      {1, Plain, "Plain", "", "myMenu01"},
                                      {1, Submenu, "Sub", "", "myMenu02"},
                                      {2, Submenu, "Deep", "", "myMenu0"}}));
}

TEST(ScriptReader, AnEmptyNameHasNoSubmenuAndAnEmptyKindIsPlain) {
    MenuTree tree;
    // Both empty names would be "[" alone, which every entry line holds.
    auto rows = Read(CrLf({"var theMenu = new Array();",
                           R"(theMenu[0] = new Array("NoLink", "");)",
                           R"(theMenu[1] = new Array("Top", "myMenu0");)",
                           R"(myMenu0[0] = new Array("M","Emptied","",""))",
                           R"(myMenu0[1] = new Array("","NoKind","","myMenu01"))",
                           R"(myMenu01[0] = new Array("L","Orphan","",""))"}),
                     tree);
    EXPECT_EQ(rows, (std::vector<Row>{{0, Submenu, "NoLink", kTopLevelHint, ""},
                                      {0, Submenu, "Top", kTopLevelHint, "myMenu0"},
                                      {1, Submenu, "Emptied", "", ""},
                                      {1, Plain, "NoKind", "", "myMenu01"}}));
}

// "M" and "S" are the only letters with a kind of their own: any other is a
// plain item, which opens no submenu and is written back as "L".
TEST(ScriptReader, OnlyMAndSNameAKindAndAnyOtherLetterIsPlain) {
    MenuTree tree;
    auto rows = Read(CrLf({"var theMenu = new Array();",
                           R"(theMenu[0] = new Array("Top", "myMenu0");)",
                           R"(myMenu0[0] = new Array("Sep","a","",""))",
                           R"(myMenu0[1] = new Array("m","b","","myMenu01"))",
                           R"(myMenu01[0] = new Array("L","Hidden","",""))",
                           R"(myMenu0[2] = new Array("X","c","",""))"}),
                     tree);
    EXPECT_EQ(rows, (std::vector<Row>{{0, Submenu, "Top", kTopLevelHint, "myMenu0"},
                                      {1, Separator, "a", "", ""},
                                      {1, Plain, "b", "", "myMenu01"},
                                      {1, Plain, "c", "", ""}}));
    EXPECT_EQ(WriteMenuScript(tree), CrLf({"var theMenu = new Array();",
                                           R"(theMenu[0] = new Array("Top", "myMenu0");)",
                                           "var myMenu0 = new Array();",
                                           R"(myMenu0[0] = new Array("S","a","","");)",
                                           R"(myMenu0[1] = new Array("L","b","","myMenu01");)",
                                           R"(myMenu0[2] = new Array("L","c","","");)"}));
}

TEST(ScriptReader, AHeaderBelowLineZeroIsATopLevelEntryWithoutChildren) {
    MenuTree tree;
    auto rows = Read(CrLf({"// made by hand", "var theMenu = new Array();",
                           R"(theMenu[0] = new Array("A", "a.html");)"}),
                     tree);
    EXPECT_EQ(rows, (std::vector<Row>{{0, Submenu, "", kTopLevelHint, ""},
                                      {0, Submenu, "A", kTopLevelHint, "a.html"}}));
}

TEST(ScriptReader, LoneLineBreaksSplitLinesToo) {
    MenuTree tree;
    auto rows = Read("var theMenu = new Array();\ntheMenu[0] = new Array(\"A\", \"m\");\r"
                     "m[0] = new Array(\"L\",\"B\",\"\",\"\");",
                     tree);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].caption, "B");
}

TEST(ScriptReader, StopsAtItsLimitsAndSaysSo) {
    // Every top-level entry names the same submenu, so every one of them
    // attaches all later entry lines again: the tree grows with the square.
    std::string script = "var theMenu = new Array();\r\n";
    for (int i = 0; i < 400; ++i) script += "theMenu[0] = new Array(\"x\", \"a\"); a[0]\r\n";
    MenuTree tree;
    ScriptReadResult result = LoadTreeFromScript(script, tree, {.maxItems = 5000});
    EXPECT_TRUE(result.truncated);
    EXPECT_EQ(result.items, 5000u);
    EXPECT_EQ(tree.Count(), 5000u);
    EXPECT_NE(tree.Selected(), nullptr);

    result = LoadTreeFromScript(script, tree, {.maxItems = 1'000'000, .maxBytes = 1000});
    EXPECT_TRUE(result.truncated);
    EXPECT_LE(tree.Count(), 1000u);

    result = LoadTreeFromScript(test::ExampleScript(), tree);
    EXPECT_FALSE(result.truncated);
    EXPECT_EQ(result.items, 10u);
}

TEST(ScriptReader, QuotesAndBackslashesComeBackAsTyped) {
    MenuTree tree;
    const std::vector<Row> rows{{0, Submenu, R"(Say "hi")", "", ""},
                                {1, Submenu, R"(C:\new\)", R"(a "b" \ c)", ""},
                                {2, Plain, R"(\")", R"(\\)", R"(dir\x.htm)"},
                                {1, Plain, R"(")", "", R"(\)"},
                                {0, Submenu, R"(\)", "", R"(end\")"}};
    test::BuildTree(tree, rows);
    const std::string script = WriteMenuScript(tree);
    const std::string hint = kTopLevelHint;
    EXPECT_EQ(Read(script, tree), (std::vector<Row>{{0, Submenu, R"(Say "hi")", hint, "myMenu0"},
                                                    {1, Submenu, R"(C:\new\)", R"(a "b" \ c)", "myMenu01"},
                                                    {2, Plain, R"(\")", R"(\\)", R"(dir\x.htm)"},
                                                    {1, Plain, R"(")", "", R"(\)"},
                                                    {0, Submenu, R"(\)", hint, R"(end\")"}}));
    EXPECT_EQ(WriteMenuScript(tree), script);
}

TEST(ScriptReader, UnescapedBackslashesOfOlderScriptsReadAsTyped) {
    MenuTree tree;
    EXPECT_EQ(Read(CrLf({"var theMenu = new Array();", R"(theMenu[0] = new Array("C:\new", "a\b.htm");)"}), tree),
              (std::vector<Row>{{0, Submenu, R"(C:\new)", kTopLevelHint, R"(a\b.htm)"}}));
    EXPECT_EQ(WriteMenuScript(tree),
              CrLf({"var theMenu = new Array();", R"(theMenu[0] = new Array("C:\\new", "a\\b.htm");)"}));
}

TEST(ScriptReader, ReadsTheRenamedThirdLevelArrayUnderItsOwnParent) {
    const std::vector<Row> rows = test::NameCollisionRows();
    MenuTree written;
    test::BuildTree(written, rows);
    const std::string script = WriteMenuScript(written);
    MenuTree read;
    LoadTreeFromScript(script, read);
    ASSERT_EQ(read.Count(), written.Count());
    const MenuItem* sub = read.Top(1)->Child(0);
    EXPECT_EQ(sub->Data().link, "myMenu1_2");
    ASSERT_EQ(sub->ChildCount(), 1u);
    EXPECT_EQ(sub->Child(0)->Data().caption, "Leaf");
    const MenuItem* thirteenth = read.Top(13);
    ASSERT_EQ(thirteenth->ChildCount(), 1u);
    EXPECT_EQ(thirteenth->Child(0)->Data().caption, "Item13");
    EXPECT_EQ(WriteMenuScript(read), script);
}

}  // namespace
}  // namespace tavel
