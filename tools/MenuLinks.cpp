#include "tools/MenuLinks.h"

#include "menu/MenuTree.h"
#include "platform/TextEncoding.h"
#include "tools/SitePages.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tavel {
namespace {

bool IsAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char32_t c, bool hex) {
    return (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
}
bool IsBlank(char32_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// The length of the character reference at `i` ("&amp;", "&#233;",
// "&#xE9;"), or 0 when none stands there.
size_t ReferenceLength(const std::u32string& text, size_t i) {
    size_t k = i + 1;
    const bool numeric = k < text.size() && text[k] == '#';
    const bool hex = numeric && k + 1 < text.size() && (text[k + 1] == 'x' || text[k + 1] == 'X');
    k += numeric ? (hex ? 2 : 1) : 0;
    const size_t first = k;
    while (k < text.size() && (numeric ? IsDigit(text[k], hex) : IsAsciiLetter(text[k]) || IsDigit(text[k], false))) ++k;
    const bool named = !numeric && first < text.size() && IsAsciiLetter(text[first]);
    if (k == first || (!numeric && !named) || k >= text.size() || text[k] != ';') return 0;
    return k + 1 - i;
}

void AppendEscaped(std::string& out, char32_t c) {
    switch (c) {
        case '&': out += "&amp;"; return;
        case '<': out += "&lt;"; return;
        case '>': out += "&gt;"; return;
        case '"': out += "&quot;"; return;
    }
    if (c >= 0x80) {
        out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
    } else if (c >= 0x20 && c != 0x7F) {
        out += static_cast<char>(c);
    }
}

// An attribute value or link written as it stands, escaped.
std::string Escaped(std::string_view text) {
    std::string out;
    for (char32_t c : TextCharacters(text)) AppendEscaped(out, IsBlank(c) ? U' ' : c);
    return out;
}

// An empty submenu's array name read back in place of a link
// ("myMenu12", "myMenu0_3").
bool IsArrayName(std::string_view link) {
    constexpr std::string_view prefix = "myMenu";
    if (link.substr(0, prefix.size()) != prefix) return false;
    link.remove_prefix(prefix.size());
    const auto digits = [&] {
        size_t n = 0;
        while (n < link.size() && std::isdigit(static_cast<unsigned char>(link[n]))) ++n;
        link.remove_prefix(n);
        return n > 0;
    };
    if (!digits()) return false;
    if (link.empty()) return true;
    if (link.front() != '_') return false;
    link.remove_prefix(1);
    return digits() && link.empty();
}

// Writes the lists of the block, noting where each item stands. A list
// below the top level is written when `shows` says so.
class ListWriter {
public:
    ListWriter(LinksLayout& layout, const MenuTree& tree, const ItemLink& linkOf,
               const std::function<bool(const MenuItem&)>& shows)
        : out_(layout.text), places_(layout.places), tree_(tree), linkOf_(linkOf), shows_(shows) {}

    void Write(const MenuItem* parent, std::string_view extra = {}) {
        out_ += "<ul>";
        const size_t count = parent ? parent->ChildCount() : tree_.TopCount();
        for (size_t row = 0; row < count; ++row) WriteItem(parent, parent ? *parent->Child(row) : *tree_.Top(row), row);
        out_ += extra;
        out_ += "</ul>";
    }

private:
    void WriteItem(const MenuItem* parent, const MenuItem& item, size_t row) {
        if (IsSeparator(item)) {
            // A divider, so that a reader without scripts still sees the groups.
            out_ += "<li role=\"separator\"></li>";
            return;
        }
        const std::string link = item.HasChildren() ? std::string() : linkOf_(item);
        const bool isLink = !link.empty() && !IsArrayName(link);
        // Menu-bar titles are written without their hints.
        const std::string hint = parent ? PlainHtmlText(item.Data().hint) : std::string();
        std::string text = PlainHtmlText(item.Data().caption);
        if (text.empty()) text = !hint.empty() ? hint : isLink ? Escaped(link) : "Item " + std::to_string(row + 1);
        out_ += "<li";
        LinksLayout::Place& place = places_[&item];
        place.item = out_.size();
        out_ += ">";
        if (isLink) {
            out_ += "<a";
            place.link = out_.size();
            out_ += " href=\"" + Escaped(link) + "\"" + (hint.empty() ? "" : " title=\"" + hint + "\"") + ">" + text + "</a>";
        } else if (hint.empty()) {
            out_ += text;
        } else {
            // The hint on the heading's text alone: on the list item it
            // would show over every subitem without a hint of its own.
            out_ += "<span title=\"" + hint + "\">" + text + "</span>";
        }
        if (item.HasChildren() && (!shows_ || shows_(item))) Write(&item);
        out_ += "</li>";
    }

    std::string& out_;
    std::unordered_map<const MenuItem*, LinksLayout::Place>& places_;
    const MenuTree& tree_;
    const ItemLink& linkOf_;
    const std::function<bool(const MenuItem&)>& shows_;
};

}  // namespace

std::string PlainHtmlText(std::string_view html) {
    const std::u32string text = TextCharacters(html);
    std::string out;
    bool blank = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == '<' && i + 1 < text.size() && (IsAsciiLetter(text[i + 1]) || text[i + 1] == '/' || text[i + 1] == '!' || text[i + 1] == '?')) {
            // A tag, to its end; one left open runs to the end of the text.
            while (i < text.size() && text[i] != '>') ++i;
            continue;
        }
        if (IsBlank(c)) {
            blank = true;
            continue;
        }
        if (blank && !out.empty()) out += ' ';
        blank = false;
        if (const size_t length = c == '&' ? ReferenceLength(text, i) : 0) {
            for (size_t k = 0; k < length; ++k) out += static_cast<char>(text[i + k]);
            i += length - 1;
        } else {
            AppendEscaped(out, c);
        }
    }
    return out;
}

LinksLayout MenuLinksLayout(const MenuTree& tree, const ItemLink& linkOf, const MenuItem* branchOf,
                            std::string_view siteMap) {
    LinksLayout layout;
    layout.text = menulinks::kBegin;
    // Lines far enough apart that each link is a target of its own, also
    // where no style sheet reaches the list.
    layout.text += "<nav class=\"tvm-links\" aria-label=\"Site menu\" style=\"line-height:1.75\">";
    std::function<bool(const MenuItem&)> shows;
    if (branchOf != nullptr) {
        shows = [branchOf](const MenuItem& item) {
            for (const MenuItem* up = branchOf->Parent(); up != nullptr; up = up->Parent())
                if (up == &item) return true;
            return false;
        };
    }
    const std::string extra =
        siteMap.empty() ? std::string() : "<li><a href=\"" + Escaped(siteMap) + "\">Site map</a></li>";
    ListWriter(layout, tree, linkOf, shows).Write(nullptr, extra);
    layout.text += "</nav>";
    layout.text += menulinks::kEnd;
    return layout;
}

std::string MenuLinksBlock(const MenuTree& tree, const ItemLink& linkOf) { return MenuLinksLayout(tree, linkOf).text; }

std::string MarkedLinks(const LinksLayout& layout, const MenuItem& current) {
    // Insertions in the order of the text: the openers above, then the item.
    std::vector<std::pair<size_t, std::string_view>> marks;
    for (const MenuItem* up = current.Parent(); up != nullptr; up = up->Parent())
        if (const auto place = layout.places.find(up); place != layout.places.end())
            marks.emplace_back(place->second.item, " class=\"tvm-here\"");
    if (const auto place = layout.places.find(&current); place != layout.places.end() &&
                                                         place->second.link != std::string::npos)
        marks.emplace_back(place->second.link, " aria-current=\"page\"");
    std::sort(marks.begin(), marks.end());
    std::string text;
    text.reserve(layout.text.size() + 64);
    size_t from = 0;
    for (const auto& [at, mark] : marks) {
        text.append(layout.text, from, at - from);
        text += mark;
        from = at;
    }
    text.append(layout.text, from);
    return text;
}

}  // namespace tavel
