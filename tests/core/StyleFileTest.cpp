// A style file's values written into the runtime's slot lines, and the
// checks that keep a short file or runtime from half-applying a style.
#include "project/StyleFile.h"

#include "TestSupport.h"
#include "platform/TextLines.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

// A runtime whose lines 12 to 26 are `slots` (filled up with comment lines);
// the other lines are code the styling must never touch.
std::string Runtime(std::vector<std::string> slots, size_t total = 30) {
    std::vector<std::string> lines;
    for (size_t i = 1; i < kFirstSlotLine; ++i) lines.push_back("// line " + std::to_string(i) + " = untouched");
    slots.resize(kLastSlotLine - kFirstSlotLine + 1, "// no slot here");
    lines.insert(lines.end(), slots.begin(), slots.end());
    while (lines.size() < total) lines.push_back("var later = 1;");
    lines.resize(total);
    return test::CrLf(lines);
}

std::vector<std::string> ThirteenSlots() {
    std::vector<std::string> slots;
    for (int i = 1; i <= 13; ++i) slots.push_back("var s" + std::to_string(i) + " = 0;");
    return slots;
}

std::string Slot(const std::string& runtime, size_t line) { return TextLines(runtime).Line(line); }

TEST(StyleFile, SlotLinesTakeTheValueAfterTheirOwnFirstEqualsSign) {
    struct Case {
        std::string runtimeLine;
        size_t slot;
        std::string styleLine;
        std::string expected;
    };
    const Case cases[] = {
        {"x=12;", 1, "Title Width = a=b ", "x= a=b ;"},  // the value runs to the end of its line
        {"y = 'a=b';", 5, "Title Normal=#ff0000", "y =\"#ff0000\";"},
        {"var b = 1;", 11, "a line without its sign", "var b =a line without its sign;"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> slots = ThirteenSlots();
        slots[c.slot - 1] = c.runtimeLine;
        std::vector<std::string> style(kStyleFileLines, "Other = 7");
        style[0] = "Caption = never written";
        style[c.slot] = c.styleLine;
        const std::string styled = RuntimeWithStyle(Runtime(slots), test::CrLf(style));
        EXPECT_EQ(Slot(styled, kFirstSlotLine + c.slot - 1), c.expected) << c.runtimeLine << " / " << c.styleLine;
        EXPECT_EQ(styled.find("never written"), std::string::npos);
    }
}

TEST(StyleFile, SlotsAreTheLinesWithAnEqualsSignAndStopAtThirteen) {
    // Fifteen candidate lines: a comment in between, and more slot lines than
    // a style has values for.
    std::vector<std::string> slots = {"a=1;", "// a comment", "b=1;"};
    for (int i = 0; i < 12; ++i) slots.push_back("c" + std::to_string(i) + "=1;");
    std::vector<std::string> style;
    for (size_t i = 0; i <= kStyleSlots; ++i) style.push_back("v" + std::to_string(i) + "=" + std::to_string(i));
    const std::string before = Runtime(slots);
    const std::string styled = RuntimeWithStyle(before, test::CrLf(style));
    EXPECT_EQ(Slot(styled, 12), "a=1;");
    EXPECT_EQ(Slot(styled, 13), "// a comment");
    EXPECT_EQ(Slot(styled, 14), "b=2;");
    EXPECT_EQ(Slot(styled, 25), "c10=\"13\";");  // slot 13 is the last one written
    EXPECT_EQ(Slot(styled, 26), "c11=1;");       // a fourteenth stays
    for (size_t line : {1u, 11u, 27u, 30u}) EXPECT_EQ(Slot(styled, line), Slot(before, line)) << line;
    EXPECT_EQ(RuntimeSlotCount(before), 13u);
}

TEST(StyleFile, FewerSlotsUseOnlyTheirLinesAndAnEmptyFileEmptiesEverySlot) {
    const std::string runtime = Runtime({"w=1;", "q=\"x\";"});
    EXPECT_EQ(RuntimeSlotCount(runtime), 2u);
    const std::string styled = RuntimeWithStyle(runtime, "Caption=c\r\nW=5\r\nQ=z\r\nignored=1\r\n");
    EXPECT_EQ(Slot(styled, 12), "w=5;");
    EXPECT_EQ(Slot(styled, 13), "q=z;");  // slot 2 is a number slot

    const std::string emptied = RuntimeWithStyle(Runtime(ThirteenSlots()), "");
    EXPECT_EQ(Slot(emptied, 12), "var s1 =;");
    EXPECT_EQ(Slot(emptied, 16), "var s5 =\"\";");
}

TEST(StyleFile, ApplyingChecksFirstAndNamesTheFileThatDoesNotFit) {
    StyleFiles style;
    style.styleFilePath = "/styles/Short.tvs";
    const std::string runtime = Runtime(ThirteenSlots());

    style.styleFile = "";  // an empty file empties the slots, it does not fail
    EXPECT_NO_THROW(CheckStyleFits(style, runtime, "/p/sys.js"));

    style.styleFile = test::CrLf(std::vector<std::string>(kStyleFileLines - 1, "x=1"));
    EXPECT_TRUE(test::Mentions(test::ThrownMessage<StyleError>([&] { CheckStyleFits(style, runtime, "/p/sys.js"); }),
                               "\"/styles/Short.tvs\" has 13 lines"));

    style.styleFile = test::CrLf(std::vector<std::string>(kStyleFileLines, "x=1"));
    EXPECT_TRUE(test::Mentions(
        test::ThrownMessage<StyleError>([&] { CheckStyleFits(style, Runtime(ThirteenSlots(), 25), "/p/sys.js"); }),
        "\"/p/sys.js\" has 25 lines"));
}

TEST(StyleFile, TheDefaultsSaveAsTheyAreListedAndFitTheirSlots) {
    std::vector<std::pair<std::string, std::string>> entries;
    std::string expected;
    for (size_t i = 0; i < kStyleFileLines; ++i) {
        const std::string_view line = DefaultStyleLines()[i];
        entries.emplace_back(StyleLineName(line), StyleLineValue(line));
        expected += std::string(line) + "\r\n";
        EXPECT_EQ(StyleValueProblem(i + 1, StyleLineValue(line)), "") << line;
    }
    EXPECT_EQ(StyleFileText(entries), expected);
}

TEST(StyleFile, TypedValuesThatWouldBreakTheRuntimeAreRefused) {
    struct Case {
        size_t line;
        std::string value;
        bool accepted;
    };
    const Case cases[] = {
        {2, " 12.5 ", true}, {2, "", false},          {2, "9px", false}, {12, "1;alert(1)", false},
        {6, "#ff0000", true}, {6, "red\"", false},      {14, "&raquo;", true}, {14, "a\\", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StyleValueProblem(c.line, c.value).empty(), c.accepted) << c.line << " " << c.value;
}

TEST(StyleFile, AStyleNameMustBeAFileNameAndNotAShippedOne) {
    EXPECT_EQ(StyleNameProblem("Été 2"), "");
    for (const char* bad : {"  ", "a/b", "..", "hot SUMMER", "Own style..."}) EXPECT_NE(StyleNameProblem(bad), "") << bad;
}

// The caption is checked before the values, and the values in file order up
// to the last line; the first problem found is the one reported.
TEST(StyleFile, TheStyleMasterEntriesReportTheCaptionsProblemThenTheFirstValues) {
    struct Case {
        std::vector<std::pair<size_t, std::string>> typed;  // line, value
        std::string reported;                               // a part of the problem, empty for none
    };
    const Case cases[] = {
        {{}, ""},
        {{{1, "a/b"}}, "\"a/b\""},
        {{{2, "9px"}}, "\"Title Width\""},
        {{{14, "a\""}}, "\"Margin String\""},
        {{{1, "a/b"}, {2, "9px"}}, "\"a/b\""},
        {{{13, "x"}, {14, "a\""}}, "\"Margin Size\""},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, std::string>> entries;
        for (std::string_view line : DefaultStyleLines()) entries.emplace_back(StyleLineName(line), StyleLineValue(line));
        for (const auto& [line, value] : c.typed) entries[line - 1].second = value;
        const std::string problem = StyleEntriesProblem(entries);
        if (c.reported.empty())
            EXPECT_EQ(problem, "");
        else
            EXPECT_TRUE(test::Mentions(problem, c.reported)) << problem;
    }
}

}  // namespace
}  // namespace tavel
