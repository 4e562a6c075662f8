#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavel {

class MenuItem;

// The fixed texts that tie a page to the project's menu files.
namespace pagetext {
inline constexpr std::string_view kScriptPair =
    "<script language=\"javascript\" src=\"sys.js\"></script>"
    "<script language=\"javascript\" src=\"temp.js\"></script>";
inline constexpr std::string_view kStyleLink = "<link rel=stylesheet href=\"stt.css\" type=\"text/css\">";
inline constexpr std::string_view kLoadAttribute = " onLoad=\"buildMenu('theMenu')\"";
// The stub earlier versions wrote as a site page begins so; a page that
// does is one of the program's own.
inline constexpr std::string_view kOldSitePageHead =
    "<link rel=stylesheet href=\"stt.css\" type=\"text/css\">"
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">";
// The mark a site page carries as its generator, by which a later run knows
// the page as its own to replace.
inline constexpr std::string_view kGenerator = "Tavel Builder";
inline constexpr std::string_view kMainId = "tvm-main";
}  // namespace pagetext

// How a site page's title is made from its item, as HTML text: the
// captions' (and the typed parts') plain text, tags dropped and the rest
// escaped (PlainHtmlText), so that no caption's markup or script reaches
// the title. With `addTitles` the title
// is the site name, a space, the first part, the separator and the second
// part; the first part "Title" stands for the parent item's caption and the
// second part "Item" for the item's own (both exactly so, letter case
// included). Without it the title is the site name alone. Characters beyond
// ASCII are written as references, so a Windows-1252 project's captions
// read right too.
struct TitleFormat {
    std::string siteName;
    bool addTitles = true;
    std::string first = "Title";
    std::string separator = " :: ";
    std::string second = "Item";
};

std::string PageTitle(const MenuItem& item, const TitleFormat& format);

// What a site page holds besides the menu's files.
struct SitePageParts {
    std::string_view language;  // the lang of <html>; a valid tag (IsLanguageTag)
    std::string_view title;     // HTML text (PageTitle)
    // The menu's plain links (MenuLinksBlock), directly after the body tag.
    std::string_view links = {};
    // With the links, the page is a page of its own for every reader: a
    // skip link to its <main>, which holds the item's caption as its <h1>
    // (HTML text, PageHeading).
    std::string_view heading = {};
};

// A whole site page in standards mode: one line, no line end, that a
// validator passes. It names the program as its generator and fits a
// phone's width.
std::string SitePageText(const SitePageParts& parts);

// The heading of an item's page: its caption's plain text, else its hint's,
// else its link.
std::string PageHeading(const MenuItem& item);

// Whether `page` (a file's bytes) was written by this program: it names the
// program as its generator, or it is a stub of an earlier version.
bool IsOwnSitePage(std::string_view page);

// A language tag as pages give it in lang: letters and digits in parts of 1
// to 8 joined by hyphens, the first of letters alone.
bool IsLanguageTag(std::string_view tag);

// The language a project's pages are in by default: the lang of the page
// template's <html>, when it is a valid tag, else "en".
std::string DefaultPageLanguage(std::string_view pageTemplate);

// "tavelitem" and the item's absolute index: tavelitem7.htm.
std::string DigitPageName(size_t absoluteIndex);

// Whether a link may name a page file of the project folder: a plain file
// name with no folder part, no scheme, address part or control character,
// no hidden name (one starting with a dot, such as ".htaccess", which a web
// server reads as its own), and none of the project's own files, whose names are
// compared without regard to letter case.
bool IsPlainPageName(std::string_view link);

// A separator: its kind says so, or it carries the separator caption (as
// third-level separators read back from a script do).
bool IsSeparator(const MenuItem& item);

}  // namespace tavel
