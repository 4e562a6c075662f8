// The template files shipped in data/system are what a new user meets
// first: they must be what the program itself would write and read.
#include "menu/MenuTree.h"
#include "menu/ScriptReader.h"
#include "menu/ScriptWriter.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

std::string Shipped(const char* name) { return ReadTextFile(std::string(TAVEL_SOURCE_DIR "/data/system/") + name); }

TEST(ShippedData, TheSampleMenuIsWhatTheWriterWrites) {
    const std::string script = Shipped("temp.js");
    MenuTree tree;
    ScriptReadResult read = LoadTreeFromScript(script, tree);
    EXPECT_FALSE(read.truncated);
    EXPECT_EQ(WriteMenuScript(tree), script);
    // Three levels deep, as a menu a new user should see.
    size_t deepest = 0;
    for (size_t i = 0; i < tree.Count(); ++i)
        deepest = std::max(deepest, static_cast<size_t>(MenuTree::ItemLevel(tree.ItemAt(i))));
    EXPECT_EQ(deepest, 2u);
}

TEST(ShippedData, TheRuntimeKeepsTheLinesTheProgramRewrites) {
    const TextLines runtime(Shipped("sys.js"));
    ASSERT_GE(runtime.Count(), 211u);
    size_t slots = 0;
    for (size_t line = 12; line <= 26; ++line)
        if (runtime.Line(line).find('=') != std::string::npos) ++slots;
    EXPECT_EQ(slots, 13u);
    EXPECT_EQ(runtime.Line(47), "var gaps1 = \"\";");
    EXPECT_EQ(runtime.Line(48), "var gaps2 = \"\";");
    const std::string gaps = TextLines(Shipped("gaps.ini")).Line(1);
    EXPECT_NE(runtime.Line(211).find(gaps.substr(0, 15)), std::string::npos);
}

TEST(ShippedData, TheStyleSheetHoldsTheFourMenuRules) {
    const std::string css = Shipped("stt.css");
    for (const char* selector : {"A.menuTitle {", "A.menuTitle:hover", "A.menu {", "A.menu:hover"})
        EXPECT_NE(css.find(selector), std::string::npos) << selector;
    const std::string page = Shipped("index.htm");
    EXPECT_LT(page.find("\"sys.js\""), page.find("\"temp.js\""));
    EXPECT_NE(page.find("onLoad=\"buildMenu('theMenu')\""), std::string::npos);
    EXPECT_NE(page.find("<div id=\"menuHolder\"></div>"), std::string::npos);
}

}  // namespace
}  // namespace tavel
