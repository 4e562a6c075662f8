#include "design/StyleRules.h"

#include "TestSupport.h"
#include "platform/ConversionError.h"
#include "platform/FileError.h"
#include "project/PageDesign.h"
#include "project/Workspace.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavel {
namespace {

using namespace selector;

const std::string kBefore =
    "A.menuTitle {\r\n  color : #FFFFFF;\r\n  font-size : 110%;\r\n  font-weight : bold;\r\n}\r\n"
    "A.menuTitle:hover {\r\n  color : #FFFF00;\r\n  TEXT-DECORATION: underline;\r\n}\r\n"
    "A.menu {}\r\n"
    "A.menu:hover {\r\n  font-family :\"MS Sans Serif\";\r\n  font-size : 100%;\r\n}\r\n";

const std::string kAfter =
    "A.menuTitle {\r\n  color : #FFFFFF;\r\n  font-size : 130%;\r\n  \r\nTEXT-DECORATION: overline;\r"
    "font-family :\"Tahoma\";\r}\r\n"
    "A.menuTitle:hover {\r\n  color : #FFFF00;\r\n  TEXT-DECORATION: underline;\r\n}\r\n"
    "A.menu {font-weight : bold;font-size : 120%;TEXT-DECORATION: none;\rfont-family :\"MS Sans Serif\";\r}\r\n"
    "A.menu:hover {\r\n  font-family :\"MS Sans Serif\";\r\n  \r\nTEXT-DECORATION: none;\r}\r\n";

TEST(StyleRules, TheFourRulesReadAndWriteBackAsTheExampleShows) {
    const StyleRuleSettings titleNormal = ReadStyleRule(kBefore, kTitleNormal);
    const StyleRuleSettings titleHover = ReadStyleRule(kBefore, kTitleHover);
    const StyleRuleSettings itemNormal = ReadStyleRule(kBefore, kItemNormal);
    const StyleRuleSettings itemHover = ReadStyleRule(kBefore, kItemHover);
    EXPECT_EQ(titleNormal, (StyleRuleSettings{true, 10, LineDraw::None, ""}));
    EXPECT_EQ(titleHover, (StyleRuleSettings{false, 0, LineDraw::Underline, ""}));
    EXPECT_EQ(itemNormal, (StyleRuleSettings{false, 0, LineDraw::None, ""}));
    EXPECT_EQ(itemHover, (StyleRuleSettings{false, 0, LineDraw::None, "MS Sans Serif"}));

    const StyleRuleSettings newTitle{false, 30, LineDraw::Overline, "Tahoma"};
    const StyleRuleSettings newItem{true, 20, LineDraw::None, "MS Sans Serif"};
    std::string text = StyleRuleText(kBefore, kTitleNormal, newTitle);
    text = StyleRuleText(text, kTitleHover, titleHover);
    text = StyleRuleText(text, kItemNormal, newItem);
    text = StyleRuleText(text, kItemHover, itemHover);
    EXPECT_EQ(text, kAfter);

    EXPECT_EQ(ReadStyleRule(text, kTitleNormal), newTitle);
    EXPECT_EQ(ReadStyleRule(text, kTitleHover), titleHover);
    EXPECT_EQ(ReadStyleRule(text, kItemNormal), newItem);
    EXPECT_EQ(ReadStyleRule(text, kItemHover), itemHover);
}

TEST(StyleRules, AMissingRuleReadsAsDefaultsAndIsAddedNotMisplaced) {
    // The first rule of the sheet is someone else's: it is neither read nor rewritten.
    const std::string text = "BODY {font-size : 150%;}\r\nA.menu {}\r\n";
    EXPECT_EQ(ReadStyleRule(text, kItemHover), StyleRuleSettings{});
    const StyleRuleSettings bold{true, 20, LineDraw::None, "Tahoma"};
    EXPECT_EQ(StyleRuleText(text, kItemHover, bold),
              text + "A.menu:hover {font-weight : bold;font-size : 120%;TEXT-DECORATION: none;\rfont-family :\"Tahoma\";\r}\r\n");
    EXPECT_EQ(ReadStyleRule(StyleRuleText(text, kItemHover, bold), kItemHover), bold);
    // The normal-state selector carries its brace already.
    EXPECT_EQ(StyleRuleText("", kTitleNormal, {}), "A.menuTitle {TEXT-DECORATION: none;\r}\r\n");
    // The button background line stays last, wherever it starts.
    const std::string button = "table{ background-image: url(\"x.jpg\");}/*x*/\r\n";
    EXPECT_EQ(StyleRuleText("P {}" + button, kItemNormal, {}), "P {}\r\nA.menu {TEXT-DECORATION: none;\r}\r\n" + button);
    // Without a final line break the new rule starts a line of its own.
    EXPECT_EQ(StyleRuleText("P {}", kItemNormal, {false, 0, LineDraw::Unchanged, ""}), "P {}\r\nA.menu {}");
}

TEST(StyleRules, SizesKeepTheirUnitsAndAreClamped) {
    auto sizeRead = [](const std::string& body) { return ReadStyleRule("A.menu {" + body + "}", kItemNormal).sizeIncrease; };
    auto sizeWritten = [](const std::string& body, int32_t increase) {
        return StyleRuleText("A.menu {" + body + "}", kItemNormal, {false, increase, LineDraw::Unchanged, ""});
    };
    EXPECT_EQ(sizeRead("font-size : 100%;"), 0);
    EXPECT_EQ(sizeWritten("font-size : 100%;", 0), "A.menu {}");
    EXPECT_EQ(sizeRead("font-size: 12px;"), -88);
    EXPECT_EQ(sizeWritten("font-size: 12px;", -88), "A.menu {font-size: 12px;}");
    EXPECT_EQ(sizeRead("font-size : 350%;"), 200);
    EXPECT_EQ(sizeWritten("font-size : 350%;", 200), "A.menu {font-size : 300%;}");
    EXPECT_EQ(sizeWritten("", -150), "A.menu {font-size : -50%;}");
    EXPECT_EQ(sizeRead("font-size : -50%;"), -50);  // the minus sign is skipped
    EXPECT_EQ(sizeRead("font-size : 00000000000000000120%;"), 20);
    // No digit before the end of the rule: no size read, and nothing to replace.
    EXPECT_EQ(sizeRead("font-size : large;"), 0);
    EXPECT_EQ(sizeWritten("font-size : large;", 30), "A.menu {font-size : large;}");
    EXPECT_EQ(ReadStyleRule("A.menu {font-size : large;} P {font-size : 90%}", kItemNormal).sizeIncrease, 0);
}

TEST(StyleRules, ASizeTooLongForAnIntegerIsAConversionError) {
    try {
        ReadStyleRule("A.menu {font-size : 99999999999%;}", kItemNormal);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
    }
    EXPECT_EQ(ReadStyleRule("A.menu {font-size : 2147483647%;}", kItemNormal).sizeIncrease, 200);
}

TEST(StyleRules, OnlyTheProgramsOwnFormsAreRecognised) {
    auto lineDraw = [](const std::string& body) { return ReadStyleRule("A.menu {" + body + "}", kItemNormal).lineDraw; };
    EXPECT_EQ(lineDraw("text-decoration: underline;"), LineDraw::None);
    EXPECT_EQ(StyleRuleText("A.menu {text-decoration: underline;}", kItemNormal, {false, 0, LineDraw::None, ""}),
              "A.menu {text-decoration: underline;TEXT-DECORATION: none;\r}");
    EXPECT_EQ(lineDraw("TEXT-DECORATION:none;"), LineDraw::Overline);  // read from the second letter
    EXPECT_EQ(lineDraw("TEXT-DECORATION: blink;"), LineDraw::Unchanged);
    EXPECT_EQ(lineDraw("TEXT-DECORATION:;"), LineDraw::Unchanged);
    EXPECT_EQ(lineDraw("TEXT-DECORATION: ;"), LineDraw::Unchanged);
    EXPECT_EQ(lineDraw("TEXT-DECORATION: underline"), LineDraw::Unchanged);  // no semicolon in the rule

    EXPECT_FALSE(ReadStyleRule("A.menu {font-weight : normal;}", kItemNormal).bold);
    EXPECT_EQ(StyleRuleText("A.menu {font-weight : normal;}", kItemNormal, {true, 0, LineDraw::Unchanged, ""}),
              "A.menu {font-weight : normal;}");
    EXPECT_EQ(StyleRuleText("A.menu {font-weight : bold;font-size : 110%;}", kItemNormal,
                            {false, 30, LineDraw::None, ""}),
              "A.menu {font-size : 130%;TEXT-DECORATION: none;\r}");
    EXPECT_EQ(ReadStyleRule("A.menu {font-family : Arial;}", kItemNormal).fontFamily, "");
}

TEST(StyleRules, UnboundedScansStopAtTheRuleOrTheText) {
    const StyleRuleSettings settings{true, 20, LineDraw::Underline, "Tahoma"};
    // No opening or closing brace: the text is left as it is.
    EXPECT_EQ(StyleRuleText("A.menu:hover font-size : 90%;", kItemHover, settings), "A.menu:hover font-size : 90%;");
    EXPECT_EQ(StyleRuleText("A.menu {font-size : 90%;", kItemNormal, settings), "A.menu {font-size : 90%;");
    // Reading a rule without "}" reads to the end of the text.
    EXPECT_EQ(ReadStyleRule("A.menu {font-weight : bold;", kItemNormal).bold, true);
    // A font family with one quote reads as none and is not rewritten.
    EXPECT_EQ(ReadStyleRule("A.menu {font-family :\"Arial;} X{\"}", kItemNormal).fontFamily, "");
    // A declaration without its semicolon stays as it is.
    EXPECT_EQ(StyleRuleText("A.menu {TEXT-DECORATION: none font-family :\"A\"}", kItemNormal,
                            {false, 0, LineDraw::Underline, ""}),
              "A.menu {TEXT-DECORATION: none font-family :\"A\"}");
    // Text outside the rule's braces never changes, the button line included.
    const std::string before = "BODY { color : red; }\r\n/* menu */\r\nA.menu {";
    const std::string after = "}\r\ntable{ background-image: url(\"x.jpg\");}/*x*/\r\n";
    const std::string written = StyleRuleText(before + "color : #fff;" + after, kItemNormal, settings);
    EXPECT_EQ(written.substr(0, before.size()), before);
    EXPECT_EQ(written.substr(written.size() - after.size()), after);
}

TEST(StyleRules, WriteStoresSavesAndReloads) {
    test::TempFolder program;
    std::filesystem::create_directory(program.File("system"));
    Workspace workspace(program.path());
    workspace.Texts().styleSheet = "A.menu {}\r\n";
    test::RecordingPreview preview;
    WriteStyleRule(workspace, preview, kItemNormal, {true, 0, LineDraw::None, ""});
    const std::string expected = "A.menu {font-weight : bold;TEXT-DECORATION: none;\r}\r\n";
    EXPECT_EQ(workspace.Texts().styleSheet, expected);
    EXPECT_EQ(program.Read("system/stt.css"), expected);
    EXPECT_EQ(preview.calls, std::vector<std::string>{"reload"});

    test::TempFolder project;
    workspace.SetProject(project.path(), "Shop");
    WriteStyleRule(workspace, preview, kItemNormal, {false, 0, LineDraw::Underline, ""});
    EXPECT_EQ(project.Read("stt.css"), "A.menu {TEXT-DECORATION: underline;\r}\r\n");
    EXPECT_FALSE(workspace.Modified());

    workspace.SetProject(project.File("gone"), "Gone");
    preview.calls.clear();
    EXPECT_THROW(WriteStyleRule(workspace, preview, kItemNormal, {}), FileError);
    EXPECT_TRUE(preview.calls.empty());
}

}  // namespace
}  // namespace tavel
