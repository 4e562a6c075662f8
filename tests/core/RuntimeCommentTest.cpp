#include "design/RuntimeComment.h"

#include "design/GapLines.h"
#include "project/StyleFile.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

TEST(RuntimeComment, OnlyRunsThatWouldCloseTheCommentChangeAndEveryValueReadsBack) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"#ff0000 &nbsp;", "#ff0000 &nbsp;"},
        {"*/", "*\\/"},
        {"/* x */", "/* x *\\/"},
        {"**/", "**\\/"},
        {"*\\/", "*\\\\/"},   // the stored form typed: one backslash more again
        {"*\\\\/", "*\\\\\\/"},
        {"*\\*/", "*\\*\\/"},
        {"*\\", "*\\"},       // no "/" after the backslashes: as it is
        {"\\/ *", "\\/ *"},
    };
    for (const auto& [typed, stored] : cases) {
        EXPECT_EQ(CommentSafe(typed), stored) << typed;
        EXPECT_EQ(FromCommentSafe(stored), typed) << stored;
        EXPECT_EQ(stored.find("*/"), std::string::npos) << stored;
    }
}

TEST(RuntimeComment, StyleValuesAndGapsAreStoredSafeAndGapsReadBackAsTyped) {
    std::string runtime;
    for (int i = 1; i <= 26; ++i) runtime += "var s" + std::to_string(i) + " = 0;\r\n";
    std::string file = "Caption = S\r\nWidth = 9*/\r\nx=\r\nx=\r\nx=\r\nColour = #fff*/\r\n";
    for (int i = 0; i < 8; ++i) file += "x=\r\n";
    const std::string applied = RuntimeWithStyle(runtime, file);
    // Slot 1 (line 12) is bare, slot 5 (line 16) quoted.
    EXPECT_NE(applied.find("var s12 = 9*\\/;\r\n"), std::string::npos) << applied;
    EXPECT_NE(applied.find("var s16 =\" #fff*\\/\";\r\n"), std::string::npos) << applied;

    const GapSetting gap{true, "/* {*/"};
    const std::string line = GapLine(GapSide::Left, gap);
    EXPECT_EQ(line, "var gaps1 =\"<b>/* {*\\/</b>\";");
    EXPECT_EQ(ReadGapLine(line, GapSide::Left, {}), gap);
    // Quotes of the gap's own, even two together, read back too.
    for (const GapSetting quoted : {GapSetting{true, "q\"q"}, GapSetting{true, "\"\""}, GapSetting{true, ""}})
        EXPECT_EQ(ReadGapLine(GapLine(GapSide::Right, quoted), GapSide::Right, {}), quoted) << quoted.text;
    EXPECT_EQ(ReadGapLine("var gaps2 = \"\";", GapSide::Right, {true, "kept"}), (GapSetting{false, "kept"}));
    EXPECT_EQ(GapTextProblem(GapSide::Left, "/* {*/"), "");
    EXPECT_EQ(GapTextProblem(GapSide::Right, "a\nb"),
              "The right gap \"a b\" holds a line break, but a gap is one line of text. Nothing was changed.");
}

}  // namespace
}  // namespace tavel
