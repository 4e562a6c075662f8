#include "tools/SitePages.h"

#include "TestSupport.h"
#include "menu/MenuTree.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

using enum MenuItemKind;

TEST(SitePages, TitlesAndHeadingsAreTheCaptionsPlainText) {
    const std::pair<std::string, std::string> cases[] = {
        {"<i>Italic</i> top", "Italic top"},
        {"Title </title><script>alert('title')</script>", "Title alert('title')"},
        {"Fish & chips <b>\"now\"</b>", "Fish &amp; chips &quot;now&quot;"},
        {"Caf\xC3\xA9", "Caf&#233;"},
        {"Caf\xE9", "Caf&#233;"},  // Windows-1252
    };
    for (const auto& [caption, text] : cases) {
        MenuTree tree;
        test::BuildTree(tree, {{0, Submenu, "Shop", "", ""}, {1, Plain, caption, "", "x.htm"}});
        // The site name typed in UTF-8 stays so beside a Windows-1252 caption.
        EXPECT_EQ(PageTitle(*tree.ItemAt(1), TitleFormat{"S\xC3\xBC"}), "S&#252; Shop :: " + text) << caption;
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
}

}  // namespace
}  // namespace tavel
