#include "platform/TextLines.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

TEST(TextLines, SplitsAtCrLfAndGivesBackTheSameBytes) {
    for (const char* text : {"", "a\r\n", "a\r\nb", "a\r\n\r\nb\r\n", "\r\n", "x\ry\r\n"}) {
        EXPECT_EQ(TextLines(text).Text(), text) << text;
    }
    TextLines lines("one\r\ntwo\r\n");
    ASSERT_EQ(lines.Count(), 2u);
    EXPECT_EQ(lines.Line(1), "one");
    EXPECT_EQ(lines.Line(2), "two");
    EXPECT_THROW(lines.Line(0), std::out_of_range);
    EXPECT_THROW(lines.Line(3), std::out_of_range);
}

TEST(TextLines, AppendFollowsTheTextsOwnLineBreakAtTheEnd) {
    TextLines empty("");
    empty.Append("x");
    EXPECT_EQ(empty.Text(), "x\r\n");

    TextLines broken("a\r\n");
    broken.Append("x");
    EXPECT_EQ(broken.Text(), "a\r\nx\r\n");

    TextLines unbroken("a\r\nb");
    unbroken.Append("x");
    EXPECT_EQ(unbroken.Text(), "a\r\nb\r\nx");

    std::string text = "a";
    AppendLine(text, "x");
    EXPECT_EQ(text, "a\r\nx");
    AppendLine(text = "a\r\n", "x");
    EXPECT_EQ(text, "a\r\nx\r\n");
    AppendLine(text = "", "x");
    EXPECT_EQ(text, "x\r\n");
}

TEST(TextLines, ReplaceAndInsertAddressLinesFromOne) {
    TextLines lines("1\r\n2\r\n3");
    lines.Replace(2, "two");
    lines.Insert(1, "zero");
    lines.Insert(lines.Count() + 1, "end");
    EXPECT_EQ(lines.Text(), "zero\r\n1\r\ntwo\r\n3\r\nend");
    EXPECT_THROW(lines.Replace(6, "x"), std::out_of_range);
    EXPECT_THROW(lines.Insert(7, "x"), std::out_of_range);
}

}  // namespace
}  // namespace tavel
