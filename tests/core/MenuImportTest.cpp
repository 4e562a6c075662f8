#include "tools/MenuImport.h"

#include "TestSupport.h"
#include "platform/FileError.h"
#include "project/Workspace.h"

#include <gtest/gtest.h>

#include <memory>

namespace tavel {
namespace {

using enum MenuItemKind;
using test::Row;

std::vector<Row> RowsOfMenu(const ImportedMenu& menu) {
    std::vector<Row> rows;
    for (size_t i = 0; i < menu.Size(); ++i) {
        const ImportedItem item = menu.At(i);
        rows.push_back({item.level, item.data.kind, item.data.caption, item.data.hint, item.data.link});
    }
    return rows;
}

const Row kLine{0, Separator, "----------", "", ""};
Row Line(int level) { return {level, Separator, "----------", "", ""}; }

struct Shape {
    const char* name;
    std::string page;
    std::vector<Row> rows;  // the preselected candidate's menu
    size_t folded = 0;
    size_t candidates = 1;
    size_t preselected = 0;
    size_t movedLinks = 0;  // links of submenu openers, now their first items
};

const std::vector<Shape>& Shapes() {
    static const std::vector<Shape> shapes = {
        {"ResponsiveNavbar",
         R"(<!DOCTYPE html><html><head><meta charset="utf-8"><title>Shop</title></head><body>
<header><nav class="navbar"><a class="brand" href="/">Shop</a>
<button class="navbar-toggler" aria-expanded="false" aria-label="Toggle navigation"><span class="icon"></span></button>
<ul class="navbar-nav">
 <li class="nav-item"><a class="nav-link" href="/">Home <span class="sr-only">(current)</span></a></li>
 <li class="nav-item dropdown"><a class="nav-link dropdown-toggle" href="#" aria-expanded="false">Products</a>
  <ul class="dropdown-menu"><li><a href="/tools?a=1&amp;b=2" title="All &lt;tools&gt;">Tools &amp; parts</a></li>
   <li><hr class="dropdown-divider"></li><li><a href="/toys">Toys</a></li></ul></li>
 <li class="nav-item dropdown"><button type="button" aria-expanded="false">Help</button>
  <div class="dropdown-menu"><a href="/faq">FAQ</a> <a href="/mail">Mail us</a></div></li>
</ul></nav></header><main><p>Welcome</p></main></body></html>)",
         {{0, Plain, "Home", "", "/"},
          {0, Submenu, "Products", "", "#"},
          {1, Plain, "Tools &amp; parts", "All &lt;tools&gt;", "/tools?a=1&b=2"},
          Line(1),
          {1, Plain, "Toys", "", "/toys"},
          {0, Submenu, "Help", "", ""},
          {1, Plain, "FAQ", "", "/faq"},
          {1, Plain, "Mail us", "", "/mail"}}},
        {"CmsMenuFourDeep",
         R"(<html><body><div id="site-navigation"><ul id="menu-main" class="menu">
<li class="menu-item"><a href="https://example.org/">Start</a></li>
<li class="menu-item menu-item-has-children"><a href="https://example.org/about/">About us</a>
 <ul class="sub-menu"><li class="menu-item"><a href="/about/team/">Team</a>
   <ul class="sub-menu"><li class="menu-item"><a href="/about/team/anna/">Anna</a>
     <ul class="sub-menu"><li class="menu-item"><a href="/cv">CV</a></li><li><a href="/photo">Photo</a></li></ul></li></ul></li>
  <li class="menu-item"><a href="/history/"><img src="h.png" alt="History"></a></li></ul></li>
</ul></div></body></html>)",
         {{0, Plain, "Start", "", "https://example.org/"},
          {0, Submenu, "About us", "", ""},
          {1, Plain, "About us", "", "https://example.org/about/"},
          {1, Submenu, "Team", "", ""},
          {2, Plain, "Team", "", "/about/team/"},
          {2, Plain, "Anna", "", "/about/team/anna/"},
          {2, Plain, "CV", "", "/cv"},
          {2, Plain, "Photo", "", "/photo"},
          {1, Plain, "History", "", "/history/"}},
         2,
         1,
         0,
         2},
        {"DocsSidebar",
         R"(<html><head><meta charset="utf-8"></head><body><aside><nav aria-label="Contents"><ol>
<li><a href="intro.html">Introduction</a></li>
<li><span class="caption">Guide</span><ol>
  <li><a href="install.html">Install</a><ol><li><a href="install.html#debian">On Debian</a></li>
    <li><a href="install.html#source">From   source</a></li></ol></li>
  <li><a href="use.html" title="Daily use">Use</a></li></ol></li>
<li role="separator"></li>
<li><a href="api.html"><code>api</code> reference</a></li>
</ol></nav></aside></body></html>)",
         {{0, Plain, "Introduction", "", "intro.html"},
          {0, Submenu, "Guide", "", ""},
          {1, Submenu, "Install", "", ""},
          {2, Plain, "Install", "", "install.html"},
          {2, Plain, "On Debian", "", "install.html#debian"},
          {2, Plain, "From source", "", "install.html#source"},
          {1, Plain, "Use", "Daily use", "use.html"},
          kLine,
          {0, Plain, "api reference", "", "api.html"}},
         0,
         1,
         0,
         1},
        {"FooterListsBesideMainNav",
         R"(<html><body><nav id="main"><ul><li><a href="a.html">A</a></li><li><a href="b.html">B</a></li>
<li></li><li><a href="c.html">C</a></li></ul></nav>
<footer><ul class="legal"><li><a href="imprint.html">Imprint</a></li><li><a href="privacy.html">Privacy</a></li>
<li><a href="x.html">X</a></li><li><a href="y.html">Y</a></li></ul>
<ul class="social"><li><a href="t.html">T</a></li></ul></footer></body></html>)",
         {{0, Plain, "A", "", "a.html"}, {0, Plain, "B", "", "b.html"}, kLine, {0, Plain, "C", "", "c.html"}},
         0,
         3,
         0},
        {"Windows1252PlainLinks",
         "<html><head><title>x</title></head><body><nav><a href=\"cafe.html\">Caf\xE9</a> "
         "<a href=\"menu.html\" title=\"Men\xFC\">Men\xFC</a></nav></body></html>",
         {{0, Plain, "Caf\xC3\xA9", "", "cafe.html"}, {0, Plain, "Men\xC3\xBC", "Men\xC3\xBC", "menu.html"}}},
    };
    return shapes;
}

TEST(MenuImportTest, RealWorldShapesGiveTheirMenus) {
    for (const Shape& shape : Shapes()) {
        SCOPED_TRACE(shape.name);
        const PageNavigation navigation(shape.page, shape.name);
        ASSERT_EQ(navigation.Candidates().size(), shape.candidates);
        EXPECT_EQ(navigation.Preselected(), shape.preselected);
        const ImportedMenu menu = navigation.MenuOf(navigation.Preselected());
        EXPECT_EQ(RowsOfMenu(menu), shape.rows);
        EXPECT_EQ(menu.folded, shape.folded);
        EXPECT_EQ(menu.movedLinks, shape.movedLinks);
    }
}

TEST(MenuImportTest, ChooserTellsWhereEachCandidateSitsAndWhatItHolds) {
    const PageNavigation navigation(Shapes()[3].page, "footer.html");
    const auto& candidates = navigation.Candidates();
    ASSERT_EQ(candidates.size(), 3u);
    EXPECT_EQ(candidates[0].place, "body > nav#main");
    EXPECT_EQ(candidates[0].firstCaptions, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(candidates[0].links, 3u);
    EXPECT_EQ(candidates[1].place, "body > footer > ul.legal");
    EXPECT_EQ(candidates[1].links, 4u);
    EXPECT_EQ(candidates[2].links, 1u);
}

TEST(MenuImportTest, PagesWithoutAMenuAreRefusedByName) {
    const struct {
        const char* page;
        size_t size;
        const char* says;
    } cases[] = {
        {"", 0, "\"page.htm\" is empty"},
        {" \r\n\t", 4, "\"page.htm\" is empty"},
        {"\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16, "\"page.htm\" is not a web page"},
        {"<html><body><p>Text with <a href=\"x.html\">one link</a>.</p><ul><li>no link</li></ul></body></html>", 0,
         "\"page.htm\" holds no navigation"},
    };
    for (const auto& c : cases) {
        const std::string bytes = c.size != 0 ? std::string(c.page, c.size) : std::string(c.page);
        SCOPED_TRACE(c.says);
        EXPECT_TRUE(test::Mentions(test::ThrownMessage<FileError>([&] { PageNavigation(bytes, "page.htm"); }), c.says));
    }
}

TEST(MenuImportTest, ImportReplacesTheTreeAsOneUndoableEditAndKeepsTheTexts) {
    Workspace workspace("/nowhere/");
    test::BuildTree(workspace.Tree(), test::ExampleRows());
    workspace.Texts() = {"script", "page", "sheet", "runtime"};
    workspace.MarkSaved();
    const PageNavigation navigation(Shapes()[2].page, "docs.html");
    ReplaceMenuTree(workspace, navigation.MenuOf(0));

    EXPECT_EQ(test::RowsOf(workspace.Tree()), Shapes()[2].rows);
    EXPECT_TRUE(workspace.Modified());
    EXPECT_EQ(workspace.Texts().script, "script");
    EXPECT_EQ(workspace.Texts().page, "page");
    EXPECT_EQ(workspace.History().UndoName(), kImportMenuName);
    workspace.History().Undo();
    workspace.FollowHistory();
    EXPECT_EQ(test::RowsOf(workspace.Tree()), test::ExampleRows());
    EXPECT_FALSE(workspace.Modified());
    workspace.History().Redo();
    EXPECT_EQ(test::RowsOf(workspace.Tree()), Shapes()[2].rows);
}

}  // namespace
}  // namespace tavel
