#include "tools/SitePages.h"

#include "menu/MenuTree.h"
#include "platform/FileError.h"
#include "platform/TextEncoding.h"
#include "project/ProgramFolder.h"
#include "tools/HtmlDocument.h"
#include "tools/MenuLinks.h"

#include <algorithm>
#include <cctype>

namespace tavel {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string PageTitle(const MenuItem& item, const TitleFormat& format) {
    // Each part is made UTF-8 on its own: the captions of a Windows-1252
    // project beside a site name typed in UTF-8.
    if (!format.addTitles) return PlainHtmlText(AsUtf8(format.siteName));
    std::string title = AsUtf8(format.siteName);
    title += ' ';
    if (format.first == "Title") {
        // A top-level item has no parent to name.
        if (const MenuItem* parent = item.Parent()) title += AsUtf8(parent->Data().caption);
    } else {
        title += AsUtf8(format.first);
    }
    title += AsUtf8(format.separator);
    title += AsUtf8(format.second == "Item" ? item.Data().caption : format.second);
    return PlainHtmlText(title);
}

std::string PageHeading(const MenuItem& item) {
    for (const std::string* text : {&item.Data().caption, &item.Data().hint, &item.Data().link}) {
        std::string plain = PlainHtmlText(*text);
        if (!plain.empty()) return plain;
    }
    return "Page";
}

std::string SitePageText(const SitePageParts& parts) {
    std::string page;
    page.reserve(600 + parts.title.size() + parts.links.size() + parts.heading.size());
    page += "<!DOCTYPE html><html lang=\"";
    page += parts.language;
    page += "\"><head><meta charset=\"utf-8\">"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
            "<meta name=\"generator\" content=\"";
    page += pagetext::kGenerator;
    page += "\"><title>";
    page += parts.title;
    page += "</title><link rel=\"stylesheet\" href=\"stt.css\" type=\"text/css\">"
            "<script src=\"sys.js\"></script><script src=\"temp.js\"></script></head>"
            "<body onLoad=\"buildMenu('theMenu')\">";
    const bool ownPage = !parts.links.empty();
    if (ownPage) {
        page += "<a class=\"tvm-skip\" href=\"#";
        page += pagetext::kMainId;
        page += "\">Skip to content</a>";
    }
    page += parts.links;
    page += "<div id=\"menuHolder\"></div>";
    if (ownPage) {
        page += "<main id=\"";
        page += pagetext::kMainId;
        // The project's own content class: its margins keep the heading off
        // the window's edge, as on the project's own page.
        page += "\" class=\"page\"><h1>";
        page += parts.heading;
        page += "</h1></main>";
    }
    page += "</body></html>";
    return page;
}

bool IsOwnSitePage(std::string_view page) {
    if (page.substr(0, pagetext::kOldSitePageHead.size()) == pagetext::kOldSitePageHead) return true;
    // The mark stands in the head, at the top: the start of the page is
    // enough, however large the page (and a site's worth of pages is read
    // on every run).
    constexpr size_t kHeadRead = 4096;
    try {
        const HtmlDocument document(std::string(page.substr(0, kHeadRead)), "page");
        bool own = false;
        HtmlDocument::ForEachElement(document.Root(), [&](const GumboNode& element) {
            if (element.v.element.tag == GUMBO_TAG_BODY) return false;
            if (element.v.element.tag != GUMBO_TAG_META) return true;
            const auto name = AttributeOf(element, "name");
            const auto content = AttributeOf(element, "content");
            own = name && content && *name == "generator" && *content == pagetext::kGenerator;
            return !own;
        });
        return own;
    } catch (const FileError&) {
        return false;  // nested too deep to be one of ours
    }
}

bool IsLanguageTag(std::string_view tag) {
    if (tag.empty() || tag.size() > 35) return false;
    size_t start = 0;
    for (bool first = true;; first = false) {
        const size_t end = std::min(tag.find('-', start), tag.size());
        const std::string_view part = tag.substr(start, end - start);
        if (part.empty() || part.size() > 8) return false;
        for (char c : part) {
            const bool letter = std::isalpha(static_cast<unsigned char>(c)) != 0;
            const bool digit = std::isdigit(static_cast<unsigned char>(c)) != 0;
            if (!letter && !(digit && !first)) return false;
        }
        if (end == tag.size()) return true;
        start = end + 1;
    }
}

std::string DefaultPageLanguage(std::string_view pageTemplate) {
    try {
        const HtmlDocument document{std::string(pageTemplate), "index.htm"};
        if (const auto lang = AttributeOf(document.Root(), "lang"); lang && IsLanguageTag(*lang)) return std::string(*lang);
    } catch (const FileError&) {
    }
    return "en";
}

std::string DigitPageName(size_t absoluteIndex) { return "tavelitem" + std::to_string(absoluteIndex) + ".htm"; }

bool IsPlainPageName(std::string_view link) {
    // A hidden name (".htaccess") is a web server's, not a page.
    if (link.empty() || link.front() == '.') return false;
    // Leading or trailing blanks are dropped by browsers when they follow
    // the link, so such a file would never be the one reached.
    if (link.front() == ' ' || link.back() == ' ') return false;
    for (char c : link) {
        const auto u = static_cast<unsigned char>(c);
        // Folder parts, schemes and drive letters, address parts.
        if (c == '/' || c == '\\' || c == ':' || c == '#' || c == '?' || u < 0x20 || u == 0x7f) return false;
    }
    for (std::string_view own : {projectfile::kScript, projectfile::kPage, projectfile::kStyleSheet,
                                 projectfile::kRuntime, projectfile::kButtonImage}) {
        if (SameLetters(link, own)) return false;
    }
    return true;
}

bool IsSeparator(const MenuItem& item) {
    return item.Data().kind == MenuItemKind::Separator || item.Data().caption == kSeparatorCaption;
}

}  // namespace tavel
