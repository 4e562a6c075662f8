#include "tools/MenuLinks.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

using enum MenuItemKind;

const std::string kBegin(menulinks::kBegin);
const std::string kEnd(menulinks::kEnd);

TEST(MenuLinks, CaptionsBecomeEscapedAsciiText) {
    const std::pair<std::string, std::string> cases[] = {
        {"  Our \t shop\r\n", "Our shop"},
        {"<b>Sale</b> <img src=x.png>now", "Sale now"},
        {"Fish &amp; chips &nbsp;&#233;&#xE9; & more", "Fish &amp; chips &nbsp;&#233;&#xE9; &amp; more"},
        {"a < b > c \"d\" &# &x; &1;", "a &lt; b &gt; c &quot;d&quot; &amp;# &x; &amp;1;"},
        {"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "Caf&#233; &#8364; &#128512;"},  // UTF-8
        {"Caf\xE9 \x80", "Caf&#233; &#8364;"},                                          // Windows-1252
        {"left <open", "left"},
        {"\x01tab\x7f", "tab"},
    };
    for (const auto& [html, text] : cases) EXPECT_EQ(PlainHtmlText(html), text) << html;
}

TEST(MenuLinks, TheBlockNestsTheMenuAsLinksAndHeadings) {
    MenuTree tree;
    test::BuildTree(tree, {{0, Plain, "Home", "no hint on the bar", "index.htm"},
                           {0, Submenu, "Products", "", "myMenu0"},
                           {1, Submenu, "<i>Soft</i>ware", "Programs", "myMenu12"},
                           {2, Plain, "Editor", "Write \"texts\"", "edit.htm?a=1&b=2"},
                           {2, Plain, "----------", "", ""},
                           {2, Plain, "", "Look at pictures", "view.htm"},
                           {1, Separator, "----------", "", ""},
                           {1, Plain, "Coming", "", ""},
                           {1, Submenu, "Empty", "", "myMenu3_1"},
                           {1, Plain, "<img src=logo.png>", "", "logo.htm"},
                           {1, Plain, "Ren\xE9", "", "renamed.htm"}});
    const std::string block = MenuLinksBlock(tree, [](const MenuItem& item) {
        return item.Data().link == "renamed.htm" ? std::string("tavelitem11.htm") : item.Data().link;
    });
    EXPECT_EQ(block, kBegin + "<nav class=\"tvm-links\" aria-label=\"Site menu\" style=\"line-height:1.75\"><ul>"
                              "<li><a href=\"index.htm\">Home</a></li>"
                              "<li>Products<ul>"
                              "<li><span title=\"Programs\">Software</span><ul>"
                              "<li><a href=\"edit.htm?a=1&amp;b=2\" title=\"Write &quot;texts&quot;\">Editor</a></li>"
                              "<li role=\"separator\"></li>"
                              "<li><a href=\"view.htm\" title=\"Look at pictures\">Look at pictures</a></li>"
                              "</ul></li>"
                              "<li role=\"separator\"></li>"
                              "<li>Coming</li>"
                              "<li>Empty</li>"
                              "<li><a href=\"logo.htm\">logo.htm</a></li>"
                              "<li><a href=\"tavelitem11.htm\">Ren&#233;</a></li>"
                              "</ul></li></ul></nav>" + kEnd);
}

TEST(MenuLinks, APageMarksItsOwnLinkAndTheOpenersAboveIt) {
    MenuTree tree;
    test::BuildTree(tree, {{0, Submenu, "A", "", ""},
                           {1, Submenu, "B", "", ""},
                           {2, Plain, "C", "", "c.htm"},
                           {1, Plain, "D", "", "d.htm"},
                           {0, Plain, "E", "", "e.htm"},
                           {0, Plain, "F", "", ""}});
    const LinksLayout layout = MenuLinksLayout(tree, [](const MenuItem& item) { return item.Data().link; });
    const std::string here = " class=\"tvm-here\"", current = " aria-current=\"page\"";
    struct Case {
        size_t item;
        std::string a, b, c, d, e;  // what each item's <li or <a gains
    };
    const Case cases[] = {
        {2, here, here, current, "", ""},
        {3, here, "", "", current, ""},
        {4, "", "", "", "", current},
        {5, "", "", "", "", ""},  // no link: nothing to mark but nothing above either
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarkedLinks(layout, *tree.ItemAt(c.item)),
                  kBegin + "<nav class=\"tvm-links\" aria-label=\"Site menu\" style=\"line-height:1.75\"><ul><li" + c.a +
                      ">A<ul><li" + c.b + ">B<ul><li><a" + c.c + " href=\"c.htm\">C</a></li></ul></li><li><a" + c.d +
                      " href=\"d.htm\">D</a></li></ul></li><li><a" + c.e + " href=\"e.htm\">E</a></li><li>F</li></ul></nav>" +
                      kEnd)
            << c.item;
    }
    // Only the top level and the lists on the way down, and the site map.
    const std::string branch =
        MenuLinksLayout(tree, [](const MenuItem& item) { return item.Data().link; }, tree.ItemAt(3), "sitemap.htm").text;
    EXPECT_TRUE(test::Mentions(branch, "<li>B</li><li><a href=\"d.htm\">D</a></li></ul></li>"));
    EXPECT_TRUE(test::Mentions(branch, "<li>F</li><li><a href=\"sitemap.htm\">Site map</a></li></ul>"));
}

}  // namespace
}  // namespace tavel
