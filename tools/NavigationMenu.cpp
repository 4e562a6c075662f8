#include "tools/NavigationMenu.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tavel {
namespace {

constexpr int kDeepestLevel = 2;

bool IsElement(const GumboNode& node) { return node.type == GUMBO_NODE_ELEMENT || node.type == GUMBO_NODE_TEMPLATE; }
GumboTag TagOf(const GumboNode& node) { return IsElement(node) ? node.v.element.tag : GUMBO_TAG_UNKNOWN; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

const GumboNode& At(const GumboVector& children, unsigned i) { return *static_cast<const GumboNode*>(children.data[i]); }

// Elements whose content a page never shows as text.
bool IsHidden(GumboTag tag) {
    return tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE || tag == GUMBO_TAG_TEMPLATE || tag == GUMBO_TAG_NOSCRIPT;
}

// Text a page keeps for screen readers only (the usual class names of
// frameworks and themes), or hides outright, is not what the menu shows.
bool IsVisuallyHidden(const GumboNode& element) {
    if (AttributeOf(element, "hidden")) return true;
    const std::string classes = " " + std::string(AttributeOf(element, "class").value_or("")) + " ";
    for (const char* name : {" sr-only ", " visually-hidden ", " visuallyhidden ", " screen-reader-text "})
        if (classes.find(name) != std::string::npos) return true;
    return false;
}

// The raw text an element shows, lists left out, blanks as they stand.
std::string RawText(const GumboNode& from) {
    std::string text;
    std::vector<const GumboNode*> pending{&from};
    while (!pending.empty()) {
        const GumboNode& node = *pending.back();
        pending.pop_back();
        if (node.type == GUMBO_NODE_TEXT || node.type == GUMBO_NODE_CDATA || node.type == GUMBO_NODE_WHITESPACE) {
            text += node.v.text.text;
            continue;
        }
        if (!IsElement(node)) continue;
        const GumboTag tag = TagOf(node);
        if (&node != &from && (IsListElement(node) || IsHidden(tag) || IsVisuallyHidden(node))) continue;
        if (tag == GUMBO_TAG_IMG) {
            if (auto alt = AttributeOf(node, "alt")) text += std::string(*alt);
            continue;
        }
        if (tag == GUMBO_TAG_BR) text += ' ';
        const GumboVector& children = node.v.element.children;
        for (unsigned i = children.length; i-- > 0;) pending.push_back(&At(children, i));
    }
    return text;
}

// Blanks run together and trimmed, as a browser shows them.
std::string Collapsed(std::string_view text) {
    std::string out;
    bool blank = false;
    for (char c : text) {
        if (IsBlank(c)) {
            blank = true;
            continue;
        }
        if (blank && !out.empty()) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool HasRole(const GumboNode& node, std::string_view role) {
    const auto value = AttributeOf(node, "role");
    if (!value) return false;
    // The attribute is a list of roles; the first the browser knows wins,
    // so the first is what counts here.
    const std::string roles = Collapsed(*value);
    return Lowered(roles.substr(0, roles.find(' '))) == role;
}

// What one child of a list item holds, found without entering its lists.
struct Probe {
    bool shows = false;  // text or an image's alt text
    bool hr = false;
    std::vector<const GumboNode*> lists;  // the outermost ones
    std::vector<const GumboNode*> links;  // outside those lists
};

Probe ProbeOf(const GumboNode& from) {
    Probe probe;
    std::vector<const GumboNode*> pending{&from};
    while (!pending.empty()) {
        const GumboNode& node = *pending.back();
        pending.pop_back();
        if (node.type == GUMBO_NODE_TEXT || node.type == GUMBO_NODE_CDATA) {
            probe.shows = probe.shows || !Collapsed(node.v.text.text).empty();
            continue;
        }
        if (!IsElement(node)) continue;
        const GumboTag tag = TagOf(node);
        if (IsHidden(tag)) continue;
        if (IsListElement(node)) {
            probe.lists.push_back(&node);
            continue;
        }
        if (tag == GUMBO_TAG_HR) probe.hr = true;
        if (tag == GUMBO_TAG_IMG && !Collapsed(AttributeOf(node, "alt").value_or("")).empty()) probe.shows = true;
        if (IsLinkElement(node)) probe.links.push_back(&node);
        const GumboVector& children = node.v.element.children;
        for (unsigned i = children.length; i-- > 0;) pending.push_back(&At(children, i));
    }
    return probe;
}

// A source of one menu item: a list item, or a bare link.
struct Pending {
    const GumboNode* node;
    int level;
};

std::string HintOf(const GumboNode& element) { return MenuText(AttributeOf(element, "title").value_or("")); }

std::string LinkCaption(const GumboNode& link) {
    std::string caption = ShownText(link);
    if (caption.empty()) caption = MenuText(Collapsed(AttributeOf(link, "aria-label").value_or("")));
    if (caption.empty()) caption = HintOf(link);
    if (caption.empty()) caption = MenuText(AttributeOf(link, "href").value_or(""));
    return caption;
}

MenuItemData LinkRecord(const GumboNode& link) {
    return {MenuItemKind::Plain, LinkCaption(link), HintOf(link), std::string(AttributeOf(link, "href").value_or(""))};
}

MenuItemData SeparatorRecord() { return {MenuItemKind::Separator, kSeparatorCaption, "", ""}; }

// One list item read: its record and the sources of its subitems, in order.
struct ListItem {
    MenuItemData data;
    std::vector<const GumboNode*> subitems;  // list items, or bare links
};

void AddListItems(const GumboNode& list, std::vector<const GumboNode*>& out) {
    const GumboVector& children = list.v.element.children;
    for (unsigned i = 0; i < children.length; ++i)
        if (TagOf(At(children, i)) == GUMBO_TAG_LI) out.push_back(&At(children, i));
}

ListItem ReadListItem(const GumboNode& li) {
    ListItem item;
    if (HasRole(li, "separator")) {
        item.data = SeparatorRecord();
        return item;
    }
    // The children that show something, each with what it holds.
    struct Part {
        const GumboNode* node;
        Probe probe;
    };
    std::vector<Part> parts;
    const GumboVector& children = li.v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        const GumboNode& child = At(children, i);
        if (child.type == GUMBO_NODE_TEXT || child.type == GUMBO_NODE_CDATA) {
            if (!Collapsed(child.v.text.text).empty()) parts.push_back({&child, Probe{true, false, {}, {}}});
            continue;
        }
        if (!IsElement(child)) continue;
        Part part{&child, {}};
        if (IsListElement(child)) {
            part.probe.lists.push_back(&child);
        } else {
            part.probe = ProbeOf(child);
        }
        if (part.probe.shows || !part.probe.lists.empty() || !part.probe.links.empty()) parts.push_back(std::move(part));
    }
    if (parts.empty()) {
        // Nothing shown, or only a rule: a divider.
        item.data = SeparatorRecord();
        return item;
    }
    // The leading link: the first thing shown is a link, or wraps exactly
    // one link and shows nothing beside it.
    const Part& head = parts.front();
    const GumboNode* link = nullptr;
    if (IsElement(*head.node) && IsLinkElement(*head.node)) {
        link = head.node;
    } else if (IsElement(*head.node) && head.probe.lists.empty() && head.probe.links.size() == 1 &&
               Collapsed(RawText(*head.node)) == Collapsed(RawText(*head.probe.links.front()))) {
        link = head.probe.links.front();
    }
    size_t rest = 1;
    if (link != nullptr) {
        item.data = LinkRecord(*link);
    } else {
        // A heading: the text up to the first list or link.
        std::string text;
        rest = 0;
        for (; rest < parts.size(); ++rest) {
            const Part& part = parts[rest];
            if (!part.probe.lists.empty() || !part.probe.links.empty()) break;
            text += IsElement(*part.node) ? RawText(*part.node) : std::string(part.node->v.text.text);
            text += ' ';
        }
        // Its hint: the heading's title, else the list item's.
        std::string hint = IsElement(*head.node) ? HintOf(*head.node) : std::string();
        if (hint.empty()) hint = HintOf(li);
        item.data = {MenuItemKind::Plain, MenuText(Collapsed(text)), std::move(hint), ""};
    }
    std::vector<const GumboNode*> links;
    for (size_t i = rest; i < parts.size(); ++i) {
        for (const GumboNode* list : parts[i].probe.lists) AddListItems(*list, item.subitems);
        for (const GumboNode* other : parts[i].probe.links) links.push_back(other);
    }
    // Without lists, the links that follow (a drop-down of bare links) are
    // the subitems.
    if (item.subitems.empty()) item.subitems = std::move(links);
    return item;
}

// A link that leads somewhere: not empty, not a bare "#" or a script call
// that only opens a drop-down.
bool IsPageLink(std::string_view link) {
    const std::string trimmed = Collapsed(link);
    return !trimmed.empty() && trimmed != "#" && Lowered(trimmed.substr(0, 11)) != "javascript:";
}

// The sources of the top level: the list items of the outermost lists, or
// the bare links when there is no list.
std::vector<const GumboNode*> TopSources(const GumboNode& navigation) {
    std::vector<const GumboNode*> sources;
    if (IsListElement(navigation)) {
        AddListItems(navigation, sources);
        return sources;
    }
    std::vector<const GumboNode*> links;
    std::vector<const GumboNode*> pending{&navigation};
    while (!pending.empty()) {
        const GumboNode& node = *pending.back();
        pending.pop_back();
        if (!IsElement(node) || IsHidden(TagOf(node))) continue;
        if (&node != &navigation && IsListElement(node)) {
            AddListItems(node, sources);
            continue;
        }
        if (IsLinkElement(node)) links.push_back(&node);
        const GumboVector& children = node.v.element.children;
        for (unsigned i = children.length; i-- > 0;) pending.push_back(&At(children, i));
    }
    return sources.empty() ? links : sources;
}

}  // namespace

bool IsListElement(const GumboNode& node) { return TagOf(node) == GUMBO_TAG_UL || TagOf(node) == GUMBO_TAG_OL; }

bool IsLinkElement(const GumboNode& node) { return TagOf(node) == GUMBO_TAG_A && AttributeOf(node, "href"); }

std::string MenuText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string VisibleText(const GumboNode& element) { return Collapsed(RawText(element)); }

std::string ShownText(const GumboNode& element) { return MenuText(VisibleText(element)); }

ImportedMenu MenuOfNavigation(const GumboNode& navigation) {
    ImportedMenu menu;
    std::vector<Pending> pending;
    const std::vector<const GumboNode*> top = TopSources(navigation);
    for (size_t i = top.size(); i-- > 0;) pending.push_back({top[i], 0});
    while (!pending.empty()) {
        const Pending at = pending.back();
        pending.pop_back();
        ListItem item;
        if (TagOf(*at.node) == GUMBO_TAG_LI) {
            item = ReadListItem(*at.node);
        } else {
            item.data = LinkRecord(*at.node);
        }
        const int level = std::min(at.level, kDeepestLevel);
        if (at.level > kDeepestLevel) ++menu.folded;
        // Below the third level the subitems follow their item as its
        // siblings, so only an item above that level opens a submenu.
        if (!item.subitems.empty() && level < kDeepestLevel && item.data.kind != MenuItemKind::Separator)
            item.data.kind = MenuItemKind::Submenu;
        // An item that opens a submenu has no link of its own in the menu,
        // so the page's link on it comes first in its submenu, not lost.
        const bool movesLink = item.data.kind == MenuItemKind::Submenu && IsPageLink(item.data.link);
        menu.Add(level, item.data.kind, item.data.caption, item.data.hint, movesLink ? "" : item.data.link);
        if (movesLink) {
            menu.Add(level + 1, MenuItemKind::Plain, item.data.caption, item.data.hint, item.data.link);
            ++menu.movedLinks;
        }
        for (size_t i = item.subitems.size(); i-- > 0;) pending.push_back({item.subitems[i], at.level + 1});
    }
    return menu;
}

}  // namespace tavel
