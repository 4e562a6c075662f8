#include "tools/MenuLinks.h"

#include "menu/MenuTree.h"
#include "platform/TextEncoding.h"
#include "tools/SitePages.h"

#include <cctype>

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

void AppendList(std::string& out, const MenuItem* parent, const MenuTree& tree, const ItemLink& linkOf) {
    out += "<ul>";
    const size_t count = parent ? parent->ChildCount() : tree.TopCount();
    for (size_t row = 0; row < count; ++row) {
        const MenuItem& item = parent ? *parent->Child(row) : *tree.Top(row);
        if (IsSeparator(item)) {
            // A divider, so that a reader without scripts still sees the groups.
            out += "<li role=\"separator\"></li>";
            continue;
        }
        const std::string link = item.HasChildren() ? std::string() : linkOf(item);
        const bool isLink = !link.empty() && !IsArrayName(link);
        // Menu-bar titles are written without their hints.
        const std::string hint = parent ? PlainHtmlText(item.Data().hint) : std::string();
        std::string text = PlainHtmlText(item.Data().caption);
        if (text.empty()) text = !hint.empty() ? hint : isLink ? Escaped(link) : "Item " + std::to_string(row + 1);
        out += "<li>";
        if (isLink) {
            out += "<a href=\"" + Escaped(link) + "\"" + (hint.empty() ? "" : " title=\"" + hint + "\"") + ">" + text + "</a>";
        } else if (hint.empty()) {
            out += text;
        } else {
            // The hint on the heading's text alone: on the list item it
            // would show over every subitem without a hint of its own.
            out += "<span title=\"" + hint + "\">" + text + "</span>";
        }
        if (item.HasChildren()) AppendList(out, &item, tree, linkOf);
        out += "</li>";
    }
    out += "</ul>";
}

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

std::string MenuLinksBlock(const MenuTree& tree, const ItemLink& linkOf) {
    std::string block(menulinks::kBegin);
    // Lines far enough apart that each link is a target of its own, also
    // where no style sheet reaches the list.
    block += "<nav class=\"tvm-links\" aria-label=\"Site menu\" style=\"line-height:1.75\">";
    AppendList(block, nullptr, tree, linkOf);
    block += "</nav>";
    block += menulinks::kEnd;
    return block;
}

}  // namespace tavel
