#include "tools/SitePages.h"

#include "menu/MenuTree.h"
#include "platform/TextEncoding.h"
#include "project/ProgramFolder.h"

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
    if (!format.addTitles) return AsUtf8(format.siteName);
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
    return title;
}

std::string SitePageText(std::string_view title, std::string_view links) {
    constexpr size_t holder = pagetext::kSitePageTail.find("<div id=\"menuHolder\">");
    std::string page;
    page.reserve(pagetext::kSitePageHead.size() + title.size() + pagetext::kSitePageTail.size() + links.size());
    page += pagetext::kSitePageHead;
    page += title;
    page += pagetext::kSitePageTail.substr(0, holder);
    page += links;
    page += pagetext::kSitePageTail.substr(holder);
    return page;
}

std::string DigitPageName(size_t absoluteIndex) { return "tavelitem" + std::to_string(absoluteIndex) + ".htm"; }

bool IsPlainPageName(std::string_view link) {
    if (link.empty() || link == "." || link == "..") return false;
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
