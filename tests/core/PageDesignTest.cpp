#include "design/PageDesignSettings.h"

#include "TestSupport.h"
#include "design/RuntimeComment.h"
#include "platform/FileError.h"
#include "platform/TextLines.h"
#include "project/PageDesign.h"
#include "project/Workspace.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavel {
namespace {

const std::string kBlue = "table{ background-image: url(\"../buttons/blue.jpg\");}/*blue*/";
const std::string kRules =
    "A.menuTitle {\r\n  color : #FFFFFF;\r\n  font-weight : bold;\r\n  TEXT-DECORATION: none;\r\n}\r\n"
    "A.menuTitle:hover {\r\n  TEXT-DECORATION: none;\r\n}\r\n"
    "A.menu {\r\n  TEXT-DECORATION: none;\r\n}\r\n"
    "A.menu:hover {\r\n  TEXT-DECORATION: underline;\r\n}\r\n";
const std::string kDecoration = "function tavelDecorate(caption) { return gaps1 + caption + gaps2; }";

// A runtime script of `count` lines "line N", with the given lines set.
std::string Runtime(size_t count, std::initializer_list<std::pair<size_t, std::string>> set = {}) {
    TextLines lines;
    for (size_t i = 1; i <= count; ++i) lines.Append("line " + std::to_string(i));
    for (const auto& [number, text] : set) lines.Replace(number, text);
    return lines.Text();
}

PageDesignSettings Shown(GapSetting left, GapSetting right = {false, "}"}) {
    PageDesignSettings settings;
    settings.leftGap = std::move(left);
    settings.rightGap = std::move(right);
    return settings;
}

// A program folder with the template, two buttons, gaps.ini, style.ini and
// one colour scheme.
class PageDesignTest : public ::testing::Test {
protected:
    PageDesignTest() : workspace(program.path()) {
        for (const char* dir : {"system", "buttons", "Styles", "Styles/Color"})
            std::filesystem::create_directory(program.File(dir));
        program.Write("buttons/blue.jpg", std::string("blue\r\n\0jpeg", 11));
        program.Write("buttons/red.jpg", std::string("red\n\r\0jpeg", 10));
        program.Write("system/gaps.ini", kDecoration + " // decorated\r\nsecond line\r\n");
        program.Write("system/style.ini", "BODY {\r\n  margin : 0;\r\n}\r\n");
        program.Write("Styles/Color/Dusk.csm", "var a = 1;\r\nvar b = \"#000\";\r\n");
        program.Write("Styles/Color/Dusk.csm.css", "A.menu {\r\n  color : #EEE;\r\n}\r\n");
        workspace.Texts().styleSheet = kRules + kBlue + "\r\n";
        workspace.Texts().runtime =
            Runtime(215, {{47, "var gaps1 = \"\";"}, {48, "var gaps2 =\"<b>}</b>\";"}, {211, kDecoration}});
    }

    PageDesignSettings Read(const PageDesignSettings& shown = {}) {
        return ReadPageDesign(workspace, {"[none]", "blue", "red"}, shown);
    }
    TextLines RuntimeLines() const { return TextLines(workspace.Texts().runtime); }

    test::TempFolder program;
    Workspace workspace;
    test::RecordingPreview preview;
};

TEST_F(PageDesignTest, TheWorkedExampleInTheTemplateAndInAProjectFolder) {
    PageDesignSettings settings = Read();
    EXPECT_EQ(settings.button, "blue");
    EXPECT_EQ(settings.leftGap, (GapSetting{false, "{"}));  // the empty form keeps the text shown
    EXPECT_EQ(settings.rightGap, (GapSetting{true, "}"}));
    EXPECT_EQ(settings.rules[0], (StyleRuleSettings{true, 0, LineDraw::None, ""}));
    EXPECT_EQ(settings.rules[3].lineDraw, LineDraw::Underline);

    settings.leftGap = {true, "["};
    settings.button = "red";
    ApplyPageDesign(workspace, preview, settings);
    const std::string runtime =
        Runtime(215, {{47, "var gaps1 =\"<b>[</b>\";"}, {48, "var gaps2 =\"<b>}</b>\";"}, {211, kDecoration + " // decorated"}});
    const std::string sheet = kRules + "table{ background-image: url(\"../buttons/red.jpg\");}/*red*/\r\n";
    EXPECT_EQ(workspace.Texts().runtime, runtime);
    EXPECT_EQ(workspace.Texts().styleSheet, sheet);
    EXPECT_EQ(program.Read("system/sys.js"), runtime);
    EXPECT_EQ(program.Read("system/stt.css"), sheet);
    EXPECT_FALSE(std::filesystem::exists(program.File("system/table_bgcolor.jpg")));
    EXPECT_EQ(preview.calls, std::vector<std::string>{"reload"});
    EXPECT_FALSE(workspace.Modified());

    test::TempFolder project;
    workspace.SetProject(project.path(), "Shop");
    workspace.Texts().styleSheet = kRules + kBlue + "\r\n";
    ApplyPageDesign(workspace, preview, settings);
    EXPECT_EQ(project.Read("stt.css"), kRules + "table{ background-image: url(\"table_bgcolor.jpg\");}/*red*/\r\n");
    EXPECT_EQ(project.Read("sys.js"), runtime);
    EXPECT_EQ(project.Read("table_bgcolor.jpg"), program.Read("buttons/red.jpg"));  // byte for byte
}

TEST_F(PageDesignTest, AFileThatCannotBeReadChangesNothing) {
    test::TempFolder project;
    workspace.SetProject(project.path(), "Shop");
    const ProjectTexts before = workspace.Texts();
    struct Case {
        const char* removed;
        std::optional<std::string> scheme;
        std::optional<std::string> button;
    } cases[] = {
        {"Styles/Color/Dusk.csm.css", "Dusk.csm", "red"},
        {"buttons/red.jpg", std::nullopt, "red"},
    };
    for (const Case& c : cases) {
        const std::string kept = program.Read(c.removed);
        std::filesystem::remove(program.File(c.removed));
        PageDesignSettings settings;
        settings.scheme = c.scheme;
        settings.button = c.button;
        settings.leftGap = {true, "("};
        EXPECT_TRUE(test::Mentions(test::ThrownMessage<FileError>([&] { ApplyPageDesign(workspace, preview, settings); }),
                                   program.File(c.removed)));
        EXPECT_EQ(workspace.Texts().styleSheet, before.styleSheet) << c.removed;
        EXPECT_EQ(workspace.Texts().runtime, before.runtime) << c.removed;
        EXPECT_TRUE(std::filesystem::is_empty(project.path())) << c.removed;
        EXPECT_TRUE(preview.calls.empty()) << c.removed;
        program.Write(c.removed, kept);
    }
}

TEST_F(PageDesignTest, ASchemeReplacesTheSheetAndTheStyleLinesButTheButtonLineStaysLast) {
    PageDesignSettings settings = Read();
    settings.rules[0].fontFamily = "Tahoma";  // written, then lost to the scheme's sheet
    settings.scheme = "Dusk.csm";
    ApplyPageDesign(workspace, preview, settings);
    const std::string styleLines = "BODY {\r\n  margin : 0;\r\n}\r\n";
    EXPECT_EQ(workspace.Texts().styleSheet, "A.menu {\r\n  color : #EEE;\r\n}\r\n" + styleLines + kBlue + "\r\n");
    EXPECT_EQ(workspace.Texts().runtime, Runtime(215, {{12, "var a = 1;"}, {13, "var b = \"#000\";"},
                                                      {47, "var gaps1 = \"\";"}, {48, "var gaps2 =\"<b>}</b>\";"},
                                                      {211, kDecoration + " // decorated"}}));

    // A scheme's own button line stays last, after style.ini's lines, when
    // no button is chosen; a chosen one replaces it.
    program.Write("Styles/Color/Dusk.csm.css", "A.menu {}\r\n" + kBlue + "\r\n");
    settings.button.reset();
    ApplyPageDesign(workspace, preview, settings);
    EXPECT_EQ(workspace.Texts().styleSheet, "A.menu {}\r\n" + styleLines + kBlue + "\r\n");
}

TEST_F(PageDesignTest, GapLinesAsReadAndWritten) {
    // Ticked with an empty text, and read back the same.
    PageDesignSettings settings = Read();
    settings.leftGap = {true, ""};
    ApplyPageDesign(workspace, preview, settings);
    EXPECT_EQ(RuntimeLines().Line(47), "var gaps1 =\"<b></b>\";");
    EXPECT_EQ(Read(Shown({false, "{"})).leftGap, (GapSetting{true, ""}));

    // Lines that are not gap lines, or a gap line with one quote, leave the
    // shown values alone; writing inserts the two lines before them.
    workspace.Texts().runtime = Runtime(215, {{47, "var gaps1 = \"<b>("}, {48, "var other;"}});
    const PageDesignSettings shown = Shown({true, "(-"}, {false, "-)"});
    settings = Read(shown);
    EXPECT_EQ(settings.leftGap, shown.leftGap);
    ApplyPageDesign(workspace, preview, settings);
    const TextLines lines = RuntimeLines();
    EXPECT_EQ(lines.Line(47), "var gaps1 =\"<b>(-</b>\";");  // the one-quote line declares gaps1: replaced
    EXPECT_EQ(lines.Line(49), "var other;");
}

TEST_F(PageDesignTest, WhatCouldStopTheRuntimeIsRefusedBeforeAnythingChanges) {
    const ProjectTexts before = workspace.Texts();
    PageDesignSettings gapWithBreak = Read();
    gapWithBreak.rightGap = {true, "}\r\n"};
    PageDesignSettings longScheme = Read();
    longScheme.scheme = "Dusk.csm";
    std::string lines;
    for (int k = 1; k <= 16; ++k) lines += "var a" + std::to_string(k) + " = 1;\r\n";
    program.Write("Styles/Color/Dusk.csm", lines);
    for (const PageDesignSettings& settings : {gapWithBreak, longScheme}) {
        const std::string message =
            test::ThrownMessage<RuntimeValueError>([&] { ApplyPageDesign(workspace, preview, settings); });
        EXPECT_TRUE(test::Mentions(message, settings.scheme ? "\"Dusk.csm\" has 16 lines" : "gap \"}  \"")) << message;
        EXPECT_EQ(workspace.Texts().runtime, before.runtime);
        EXPECT_TRUE(preview.calls.empty());
    }
    // Fifteen lines reach line 26, the last style line, and are written.
    program.Write("Styles/Color/Dusk.csm", lines.substr(0, lines.rfind("var a16")));
    ApplyPageDesign(workspace, preview, longScheme);
    EXPECT_EQ(RuntimeLines().Line(26), "var a15 = 1;");
    EXPECT_EQ(RuntimeLines().Line(27), "line 27");
}

// The right gap line is the runtime's last line here: it is read all the same.
TEST_F(PageDesignTest, AGapLineThatEndsTheRuntimeIsRead) {
    std::string runtime = Runtime(gapline::kRight, {{gapline::kRight, GapLine(GapSide::Right, {true, "|"})}});
    for (const bool lastHasBreak : {true, false}) {
        if (!lastHasBreak) runtime.erase(runtime.find_last_not_of("\r\n") + 1);
        workspace.Texts().runtime = runtime;
        ASSERT_EQ(TextLines(runtime).Count(), gapline::kRight);
        EXPECT_EQ(Read(Shown({false, "x"}, {false, "x"})).rightGap, (GapSetting{true, "|"}));
    }
}

TEST_F(PageDesignTest, AShortOrEmptyRuntimeScriptIsWrittenOnlyWhereItHasLines) {
    PageDesignSettings settings = Read(Shown({true, "|"}));
    settings.scheme = "Dusk.csm";
    for (const std::string& runtime : {Runtime(12), Runtime(47), std::string()}) {
        workspace.Texts().runtime = runtime;
        EXPECT_EQ(Read(settings).leftGap, settings.leftGap);  // missing lines read empty
        ApplyPageDesign(workspace, preview, settings);
        const TextLines lines = RuntimeLines();
        const size_t count = TextLines(runtime).Count();
        EXPECT_EQ(RuntimeLine(lines, 13), count >= 13 ? "var b = \"#000\";" : "");
        // Line 47 can be inserted only where it would be the next line.
        EXPECT_EQ(lines.Count(), count == 47 ? 49u : count) << count;
    }
}

TEST_F(PageDesignTest, TheDecorationLineIsReplacedOnlyWhenItHoldsTheKey) {
    const PageDesignSettings settings = Read();
    const std::string replaced = kDecoration + " // decorated";
    const struct {
        std::string gaps;
        std::string line211;
        std::string expected;
    } cases[] = {
        {replaced + "\r\n", "  " + kDecoration.substr(0, 15) + "x", replaced},
        {replaced + "\r\n", "function tavel", "function tavel"},  // 14 of the 15 characters
        {"\r\n" + replaced + "\r\n", kDecoration, kDecoration},  // an empty first line replaces nothing
    };
    for (const auto& c : cases) {
        program.Write("system/gaps.ini", c.gaps);
        workspace.Texts().runtime = Runtime(215, {{47, "var gaps1 = \"\";"}, {48, "var gaps2 = \"\";"}, {211, c.line211}});
        ApplyPageDesign(workspace, preview, settings);
        EXPECT_EQ(RuntimeLines().Line(211), c.expected) << c.gaps;
    }
}

TEST_F(PageDesignTest, TheButtonChoiceFollowsTheSheetAndNoChoiceLeavesItAlone) {
    PageDesignSettings shown;
    shown.button = "red";
    workspace.Texts().styleSheet = kRules;  // no button line: "[none]"
    EXPECT_EQ(Read(shown).button, "[none]");
    const std::string gone = kRules + "table{ background-image: url(\"x.jpg\");}/*gone*/\r\n";
    workspace.Texts().styleSheet = gone;
    EXPECT_EQ(Read(shown).button, "red");  // names no entry: the choice stays

    PageDesignSettings settings = Read();
    ASSERT_EQ(settings.button, std::nullopt);
    ApplyPageDesign(workspace, preview, settings);
    EXPECT_EQ(workspace.Texts().styleSheet, gone);
    settings.button = "[none]";
    ApplyPageDesign(workspace, preview, settings);
    EXPECT_EQ(program.Read("system/stt.css"), kRules);
}

// With no button chosen, the sheet OK leaves in a project folder still never
// reaches outside the folder: a line that does is rewritten to the folder's
// own copy of the picture it names, or dropped when that picture is not
// shipped; a line that stays in the folder is left alone.
TEST_F(PageDesignTest, AProjectFoldersSheetNeverPointsOutsideItWhateverTheChoice) {
    workspace.ButtonStyles().Fill(program.File("buttons"));
    program.Write("Styles/Color/Dusk.csm.css", "A.menu {}\r\n" + kBlue + "\r\n");
    const auto line = [](const std::string& address, const std::string& name) {
        return "table{ background-image: url(\"" + address + "\");}/*" + name + "*/";
    };
    enum Outcome { Copied, Dropped, Kept };
    const struct {
        std::optional<std::string> scheme;
        std::string line;  // the project sheet's last line
        Outcome outcome;
    } cases[] = {
        {"Dusk.csm", line("table_bgcolor.jpg", "mine"), Copied},  // the scheme's template line
        {std::nullopt, kBlue, Copied},
        {std::nullopt, line("..\\blue.jpg", "blue"), Copied},
        {std::nullopt, line("http:blue.jpg", "blue"), Copied},
        {std::nullopt, line("../buttons/gone.jpg", "gone"), Dropped},  // not shipped
        {std::nullopt, line("table_bgcolor.jpg", "mine"), Kept},
        {std::nullopt, line("blue.jpg", "blue"), Kept},  // a plain name lies beside the sheet
    };
    for (const auto& c : cases) {
        test::TempFolder project;
        project.Write("table_bgcolor.jpg", "own picture");
        workspace.SetProject(project.path(), "Shop");
        workspace.Texts().styleSheet = kRules + c.line + "\r\n";
        PageDesignSettings settings = Read();
        settings.button.reset();  // nothing selected at OK
        settings.scheme = c.scheme;
        ApplyPageDesign(workspace, preview, settings);
        const TextLines sheet(project.Read("stt.css"));
        const std::string expected = c.outcome == Copied ? line("table_bgcolor.jpg", "blue") : c.outcome == Kept ? c.line : "}";
        EXPECT_EQ(sheet.Line(sheet.Count()), expected) << c.line;
        EXPECT_EQ(project.Read("table_bgcolor.jpg"), c.outcome == Copied ? program.Read("buttons/blue.jpg") : "own picture")
            << c.line;
    }
}

}  // namespace
}  // namespace tavel
