#include "tools/SitePages.h"

#include "TestSupport.h"
#include "menu/MenuTree.h"
#include "tools/MenuLinks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace tavel {
namespace {

using enum MenuItemKind;

TEST(SitePages, TitlesAndHeadingsAreTheCaptionsPlainText) {
    const std::pair<std::string, std::string> cases[] = {
        {"<i>Italic</i> top", "Italic top"},
        {"Title </title><script>alert('title')</script>", "Title alert('title')"},
        {"Fish & chips <b>\"now\"</b>", "Fish &amp; chips &quot;now&quot;"},
        {"Caf\xC3\xA9", "Caf&#233;"},
    };
    for (const auto& [caption, text] : cases) {
        MenuTree tree;
        test::BuildTree(tree, {{0, Submenu, "Shop", "", ""}, {1, Plain, caption, "", "x.htm"}});
        EXPECT_EQ(PageTitle(*tree.ItemAt(1), TitleFormat{"Site"}), "Site Shop :: " + text) << caption;
        EXPECT_EQ(PageHeading(*tree.ItemAt(1)), text) << caption;
    }
    // A caption without text is named by its hint, else its link.
    MenuTree tree;
    test::BuildTree(tree, {{0, Plain, "<img src=a.png>", "", "a.htm"}, {0, Plain, " ", "The hint", "b.htm"}});
    EXPECT_EQ(PageHeading(*tree.ItemAt(0)), "a.htm");
    EXPECT_EQ(PageHeading(*tree.ItemAt(1)), "The hint");
}

TEST(SitePages, LanguageTagsAndTheTemplatesLanguage) {
    const std::pair<std::string, bool> tags[] = {
        {"en", true}, {"pt-BR", true}, {"zh-Hant-TW", true}, {"de-1996", true}, {"abcdefgh", true},
        {"abcdefghi", false}, {"", false}, {"en-", false}, {"-en", false}, {"1en", false},
        {"en_GB", false}, {"en\"", false}, {"e n", false},
    };
    for (const auto& [tag, valid] : tags) EXPECT_EQ(IsLanguageTag(tag), valid) << tag;
    const std::pair<std::string, std::string> templates[] = {
        {"<!DOCTYPE html><html lang=\"de-CH\"><body></body></html>", "de-CH"},
        {"<html LANG=fr><body></body></html>", "fr"},
        {"<html lang=\"x y\"><body></body></html>", "en"},
        {"<html><body></body></html>", "en"},
        {"", "en"},
    };
    for (const auto& [page, language] : templates) EXPECT_EQ(DefaultPageLanguage(page), language) << page;
}

TEST(SitePages, ThePagesThisProgramWroteAreKnownByTheirMark) {
    const std::string filler(5000, 'x');
    const std::pair<std::string, bool> pages[] = {
        {SitePageText({"en", "T"}), true},
        {"<link rel=stylesheet href=\"stt.css\" type=\"text/css\"><!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 "
         "Transitional//EN\"><html><head><title>old</title>",
         true},
        {"<html><head><meta name=\"generator\" content=\"Other\"></head><body>Mine</body></html>", false},
        {"<html><head><title>Mine</title></head><body><meta name=\"generator\" content=\"Tavel Builder\"></body></html>",
         false},
        {"<html><head><title>" + filler + "</title><meta name=\"generator\" content=\"Tavel Builder\"></head></html>",
         false},
        {"", false},
    };
    for (const auto& [page, own] : pages) EXPECT_EQ(IsOwnSitePage(page), own) << page.substr(0, 120);
    for (const char* name : {".htaccess", ".x.htm", "..", "."}) EXPECT_FALSE(IsPlainPageName(name)) << name;
    EXPECT_TRUE(IsPlainPageName("a.htm"));
}

// A validator finds no error in a page, with and without the parts for
// readers without scripts.
TEST(SitePages, PagesValidate) {
    MenuTree tree;
    test::BuildTree(tree, {{0, Submenu, "Shop", "", ""},
                           {1, Plain, "<i>One</i> & two", "Hint", "one.htm"},
                           {1, Separator, "----------", "", ""},
                           {1, Plain, "Three", "", "three.htm"}});
    const std::string links = MarkedLinks(MenuLinksLayout(tree, [](const MenuItem& i) { return i.Data().link; }),
                                          *tree.ItemAt(1));
    test::TempFolder folder;
    for (const std::string& page : {SitePageText({"en", "S Shop :: One &amp; two"}),
                                    SitePageText({"pt-BR", "S", links, "One &amp; two"})}) {
        folder.Write("page.htm", page);
        const std::string command = "tidy -errors -q '" + folder.File("page.htm") + "' > '" + folder.File("out.txt") + "' 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        // 0: clean, 1: warnings, 2: errors. This validator does not know
        // aria-current yet, and warns of the separators' empty items: no other
        // warning is allowed.
        EXPECT_LT(WEXITSTATUS(status), 2) << folder.Read("out.txt");
        std::istringstream lines(folder.Read("out.txt"));
        for (std::string line; std::getline(lines, line);)
            EXPECT_TRUE(test::Mentions(line, "proprietary attribute \"aria-current\"") ||
                        test::Mentions(line, "trimming empty <li>"))
                << line;
    }
}

}  // namespace
}  // namespace tavel
