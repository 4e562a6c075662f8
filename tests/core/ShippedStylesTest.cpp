// The styles shipped with the program: each applies to the shipped runtime,
// carries a style sheet the page design dialog reads and writes back as it
// stands, and a preview picture of the size the dialog shows.
#include "design/JpegImage.h"
#include "design/StyleRules.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"
#include "project/StyleFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

std::string Provided(std::string_view name, const char* extension) {
    return TAVEL_SOURCE_DIR "/data/Styles/Provided/" + std::string(name) + extension;
}

TEST(ShippedStyles, EveryListedStyleHasItsThreeFilesAndTheyFit) {
    const std::string runtime = ReadTextFile(TAVEL_SOURCE_DIR "/data/system/sys.js");
    for (std::string_view name : kStyleListHead) {
        if (name == kStyleListHead.front()) continue;  // "Own style..." opens the Style Master
        SCOPED_TRACE(std::string(name));

        StyleFiles files{ReadTextFile(Provided(name, ".css")), ReadTextFile(Provided(name, ".tvs")),
                         Provided(name, ".tvs")};
        const TextLines lines(*files.styleFile);
        ASSERT_EQ(lines.Count(), kStyleFileLines);
        EXPECT_EQ(StyleLineValue(lines.Line(1)), " " + std::string(name));
        for (size_t i = 1; i <= kStyleFileLines; ++i) {
            EXPECT_EQ(StyleLineName(lines.Line(i)), StyleLineName(DefaultStyleLines()[i - 1]));
            EXPECT_EQ(StyleValueProblem(i, StyleLineValue(lines.Line(i))), "") << lines.Line(i);
        }
        EXPECT_NO_THROW(CheckStyleFits(files, runtime, "sys.js"));

        // The four rules read back and write back to exactly the same text.
        std::string sheet = *files.styleSheet;
        for (std::string_view selector :
             {selector::kTitleNormal, selector::kTitleHover, selector::kItemNormal, selector::kItemHover}) {
            ASSERT_NE(sheet.find(selector), std::string::npos) << selector;
            sheet = StyleRuleText(sheet, selector, ReadStyleRule(sheet, selector));
        }
        EXPECT_EQ(sheet, *files.styleSheet);

        const RgbImage picture = DecodeJpeg(test::ReadBinary(Provided(name, ".jpg")), Provided(name, ".jpg"));
        EXPECT_EQ(picture.width, 100);
        EXPECT_EQ(picture.height, 60);
    }
}

}  // namespace
}  // namespace tavel
