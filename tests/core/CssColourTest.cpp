#include "design/CssColour.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

TEST(CssColour, TakesWhatBrowsersTakeAndRefusesTheRestByName) {
    const struct {
        const char* value;
        bool colour;
    } cases[] = {
        {"#0000c9", true},   {"#ABC", true},         {"#abcd", true},          {"#11223344", true},
        {"#12345", false},   {"#1234567", false},    {"#00g", false},          {"#", false},
        {"navy", true},      {"NavY", true},         {"yellowgreen", true},    {"aliceblue", true},
        {"transparent", true}, {"navyblue", false},  {"", false},              {" navy", false},
        {"rgb(1, 2, 3)", true}, {"rgba(1,2,3,0.5)", true}, {"hsl(120deg 50% 25% / 0.5)", true},
        {"rgb(1, 2)", false}, {"rgb(1, 2, 3, 4, 5)", false}, {"rgb(1, 2, x)", false}, {"rgb(1 2 3", false},
        {"url(#abc)", false}, {"red;}body{", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsCssColour(c.value), c.colour) << '"' << c.value << '"';
    EXPECT_FALSE(ColourRefusal("Title Normal", "#0000c9"));
    EXPECT_EQ(ColourRefusal("Title Normal", "blu").value_or(""),
              "\"blu\" is not a colour (Title Normal). Type a colour as #rrggbb, #rgb, rgb(r, g, b) or a colour name "
              "such as navy, or press Colour...");
}

}  // namespace
}  // namespace tavel
