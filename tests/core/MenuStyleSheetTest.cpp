#include "tools/MenuStyleSheet.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

// Of the project's sheet, the menu's rules alone, made to hold against the
// page's own rules and to match in a page read as XML.
TEST(MenuStyleSheet, KeepsTheRulesThatReachTheMenuAlone) {
    const struct {
        const char* what;
        std::string sheet, menu;
    } cases[] = {
        {"the program's rules; the page's BODY and .page rules and the button line go",
         "A.menuTitle {\r\n  color : #FFF;\r\n  font-weight : bold;\r\n}\r\nBODY {\r\n  margin : 0;\r\n}\r\n"
         "#menuHolder {\r\n  font-size : 13px;\r\n}\r\n.page h1 {\r\n  color : red;\r\n}\r\n"
         "table{ background-image: url(\"../buttons/blue.jpg\");}/*blue*/\r\n",
         "a.menuTitle {\r\n  color : #FFF !important;\r\n  font-weight : bold !important;\r\n}\r\n"
         "#menuHolder {\r\n  font-size : 13px !important;\r\n}\r\n"},
        {"of a group, the menu's selectors", "P, A.menu:hover, DIV > UL.tvm-bar LI {color:red}",
         "a.menu:hover, div > ul.tvm-bar li {color:red !important}\r\n"},
        {"a name inside :not() or a sibling after it leads out of the menu; a group browsers cannot read goes whole",
         "a:not(.menu) {color:red} .menu + p {color:red} .menuX, .xmenu, #tvmx, a[class=menu] {color:blue} P%, A.menu {color:red}",
         "#tvmx {color:blue !important}\r\n"},
        {"values keep their semicolons, braces and quotes; important stays once",
         ".tvm a::after { content : \"a;b}\" ; background:url(x;y.png) } .tvm { color : red ! important }",
         ".tvm a::after { content : \"a;b}\" !important ; background:url(x;y.png) !important }\r\n"
         ".tvm { color : red ! important }\r\n"},
        {"@media keeps the menu's rules, @import and page rules go",
         "@charset \"utf-8\";\r\n@import url(page.css);\r\n@media (max-width:600px) { BODY {margin:0} A.menu {color:red} }\r\n"
         "@media print { p {color:red} }\r\n@font-face { font-family : X; src : url(x.woff) }\r\n",
         "@charset \"utf-8\";\r\n@media (max-width:600px) {\r\na.menu {color:red !important}\r\n}\r\n"
         "@font-face { font-family : X; src : url(x.woff) }\r\n"},
        {"comments between rules go, comments in them stay, but not in front of a selector",
         "/* menu */ A.menu /* x */ { color : red /* white */ } P, /* y */ .tvm {color:red}",
         "a.menu /* x */ { color : red /* white */ !important }\r\n.tvm {color:red !important}\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MenuStyleSheet(c.sheet), c.menu) << c.what;
        EXPECT_EQ(MenuStyleSheet(c.menu), c.menu) << "read again: " << c.what;
    }
}

}  // namespace
}  // namespace tavel
