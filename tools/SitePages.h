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
// The project texts are UTF-8, so the pages say so before anything that
// could need it.
inline constexpr std::string_view kSitePageHead =
    "<link rel=stylesheet href=\"stt.css\" type=\"text/css\">"
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"
    "<html><head><meta charset=\"utf-8\"><title>";
inline constexpr std::string_view kSitePageTail =
    "</title><script language=\"javascript\" src=\"sys.js\"></script>"
    "<script language=\"javascript\" src=\"temp.js\"></script></head>"
    "<body onLoad=\"buildMenu('theMenu')\"><div id=\"menuHolder\"></div></body></html>";
}  // namespace pagetext

// How a site page's title is made from its item. With `addTitles` the title
// is the site name, a space, the first part, the separator and the second
// part; the first part "Title" stands for the parent item's caption and the
// second part "Item" for the item's own (both exactly so, letter case
// included). Without it the title is the site name alone. Every part is
// written as UTF-8, which the page declares: the captions of a Windows-1252
// project are converted.
struct TitleFormat {
    std::string siteName;
    bool addTitles = true;
    std::string first = "Title";
    std::string separator = " :: ";
    std::string second = "Item";
};

std::string PageTitle(const MenuItem& item, const TitleFormat& format);

// A whole site page: one line, no line end. The title goes in as it is; the
// menu's plain links (MenuLinksBlock), when given, directly after the body tag.
std::string SitePageText(std::string_view title, std::string_view links = {});

// "tavelitem" and the item's absolute index: tavelitem7.htm.
std::string DigitPageName(size_t absoluteIndex);

// Whether a link may name a page file of the project folder: a plain file
// name with no folder part, no scheme, address part or control character,
// not "." or "..", and none of the project's own files, whose names are
// compared without regard to letter case.
bool IsPlainPageName(std::string_view link);

// A separator: its kind says so, or it carries the separator caption (as
// third-level separators read back from a script do).
bool IsSeparator(const MenuItem& item);

}  // namespace tavel
