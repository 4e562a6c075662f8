// The files shipped in data/ are what a new user meets first: the templates
// must be what the program itself would write and read, and every colour
// scheme must fit the shipped runtime and name a button that ships.
#include "design/ButtonLine.h"
#include "design/ColourSchemeList.h"
#include "design/PageDesignSettings.h"
#include "design/StyleRules.h"
#include "menu/MenuTree.h"
#include "menu/ScriptReader.h"
#include "menu/ScriptWriter.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

#include <gtest/gtest.h>

#include <filesystem>

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

TEST(ShippedSchemes, EachHasTheFourRulesAButtonThatShipsAndTheRuntimesStyleLines) {
    const std::string data = std::string(TAVEL_SOURCE_DIR) + "/data/";
    ColourSchemeList schemes;
    schemes.Fill(data + "Styles/Color");
    ASSERT_GE(schemes.Entries().size(), 6u);
    const TextLines runtime(ReadTextFile(data + "system/sys.js"));
    for (const std::string& scheme : schemes.Entries()) {
        const std::string sheet = ReadTextFile(data + "Styles/Color/" + scheme + ".css");
        for (std::string_view selector : kRuleSelectors) {
            EXPECT_NE(sheet.find(selector), std::string::npos) << scheme << ": " << selector;
            EXPECT_NE(ReadStyleRule(sheet, selector).lineDraw, LineDraw::Unchanged) << scheme << ": " << selector;
        }
        const ButtonLineName button = ReadButtonLine(sheet);
        ASSERT_TRUE(button.name) << scheme;
        EXPECT_TRUE(std::filesystem::exists(data + "buttons/" + *button.name + ".jpg")) << scheme;
        // Replacing the style lines keeps every line's variable.
        const TextLines lines(ReadTextFile(data + "Styles/Color/" + scheme));
        ASSERT_EQ(lines.Count(), 13u) << scheme;
        for (size_t k = 1; k <= lines.Count(); ++k) {
            const std::string& own = runtime.Line(kSchemeFirstLine + k - 1);
            EXPECT_EQ(lines.Line(k).substr(0, lines.Line(k).find('=')), own.substr(0, own.find('='))) << scheme << " " << k;
        }
    }
}

}  // namespace
}  // namespace tavel
