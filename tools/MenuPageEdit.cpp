#include "tools/MenuPageEdit.h"

#include "tools/HtmlDocument.h"
#include "tools/MenuLinks.h"
#include "tools/SitePages.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace tavel {
namespace {

// The same link and attribute as the fixed texts, well formed for XML.
constexpr std::string_view kStyleLinkXml = "<link rel=\"stylesheet\" href=\"stt.css\" type=\"text/css\" />";
constexpr std::string_view kLoadAttributeXml = " onload=\"buildMenu('theMenu')\"";

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool IsHtmlElement(const GumboNode& node, GumboTag tag) {
    return node.type == GUMBO_NODE_ELEMENT && node.v.element.tag == tag &&
           node.v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

const GumboNode* ChildElement(const GumboNode& parent, GumboTag tag) {
    const GumboVector& children = parent.v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(children.data[i]);
        if (IsHtmlElement(*child, tag)) return child;
    }
    return nullptr;
}

std::string_view View(const GumboStringPiece& piece) { return {piece.data, piece.length}; }

using TagSpan = HtmlDocument::Span;
using Tag = HtmlDocument::Tag;

// "sys.js", "./SYS.JS": a file of the page's own folder, however written.
bool NamesPageFile(std::string_view source, std::string_view file) {
    const size_t first = source.find_first_not_of(" \t\r\n\f");
    if (first == std::string_view::npos) return false;
    source = source.substr(first, source.find_last_not_of(" \t\r\n\f") - first + 1);
    if (source.substr(0, 2) == "./") source.remove_prefix(2);
    return Lower(source) == file;
}

bool LoadsMenu(const HtmlDocument& page, const GumboNode& body) {
    bool runtime = false, script = false;
    bool call = AttributeOf(body, "onload").value_or("").find("buildMenu") != std::string_view::npos;
    HtmlDocument::ForEachElement(page.Root(), [&](const GumboNode& element) {
        if (!IsHtmlElement(element, GUMBO_TAG_SCRIPT)) return true;
        if (const auto source = AttributeOf(element, "src")) {
            runtime = runtime || NamesPageFile(*source, "sys.js");
            script = script || NamesPageFile(*source, "temp.js");
        } else {
            call = call || TextOf(element).find("buildMenu") != std::string::npos;
        }
        return true;
    });
    return runtime && script && call;
}

bool DeclaresEncoding(const GumboNode& element) {
    if (!IsHtmlElement(element, GUMBO_TAG_META)) return false;
    return AttributeOf(element, "charset") ||
           Lower(AttributeOf(element, "http-equiv").value_or("")).find("content-type") != std::string::npos;
}

// Where the style link and the script pair go: after the head's title,
// else at the end of the head, but never in front of the page's encoding
// declaration, which must stay near the start.
size_t HeadSpot(const HtmlDocument& page, const GumboNode& head, size_t bodyTag) {
    size_t spot = bodyTag;
    const GumboNode* title = ChildElement(head, GUMBO_TAG_TITLE);
    if (const auto end = title ? page.TagSpanOf(*title, Tag::End) : std::nullopt) {
        spot = end->end;
    } else if (const auto headEnd = page.TagSpanOf(head, Tag::End)) {
        spot = headEnd->start;
    }
    const GumboVector& children = head.v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        const auto& child = *static_cast<const GumboNode*>(children.data[i]);
        if (!DeclaresEncoding(child)) continue;
        if (const auto meta = page.TagSpanOf(child, Tag::Start); meta && meta->start >= spot) spot = meta->end;
    }
    return spot;
}

// The menu's call put in front of the page's own handler, or the load
// attribute when the page has none. In a page read as XML only an
// attribute named exactly "onload" is a handler.
PageSplice LoadSplice(const GumboNode& body, const HtmlDocument& page, const TagSpan& bodyTag, PageMarkup markup) {
    const GumboVector& attributes = body.v.element.attributes;
    for (unsigned i = 0; i < attributes.length; ++i) {
        const auto& attribute = *static_cast<const GumboAttribute*>(attributes.data[i]);
        const std::string_view name = View(attribute.original_name);
        if (markup == PageMarkup::Xml ? name != "onload" : std::string_view(attribute.name) != "onload") continue;
        const std::optional<size_t> nameAt = page.OffsetOf(attribute.original_name);
        const std::optional<size_t> valueAt = page.OffsetOf(attribute.original_value);
        if (!nameAt || !valueAt) break;
        // An attribute without a value: the parser gives its name as the value.
        if (attribute.original_value.length == 0 || attribute.original_value.data == attribute.original_name.data)
            return {*nameAt + name.size(), 0, "=\"buildMenu('theMenu')\""};
        switch (attribute.original_value.data[0]) {
            case '"': return {*valueAt + 1, 0, "buildMenu('theMenu');"};
            case '\'': return {*valueAt + 1, 0, "buildMenu(\"theMenu\");"};
            default: return {*valueAt, 0, "buildMenu(&#39;theMenu&#39;);"};
        }
    }
    return {bodyTag.start + std::string_view("<body").size(), 0,
            std::string(markup == PageMarkup::Xml ? kLoadAttributeXml : pagetext::kLoadAttribute)};
}

// Whether an element opened between the markers is still open at the end
// marker: taking such a block out would change how the rest of the page
// parses, so one edited by hand into an unclosed element stays.
bool EndsInsideOwnElement(const HtmlDocument& page, const GumboNode& end, size_t beginAt) {
    for (const GumboNode* up = end.parent; up != nullptr; up = up->parent) {
        if (up->type != GUMBO_NODE_ELEMENT && up->type != GUMBO_NODE_TEMPLATE) continue;
        // One the parser made up counts as opened before.
        if (page.TagSpanOf(*up, Tag::Start).value_or(TagSpan{0, 0}).start > beginAt) return true;
    }
    return false;
}

// Whether the block's end tags close an element opened before it: without
// them that element would hold the rest of the page.
bool ClosesOuterElement(const HtmlDocument& page, const GumboNode& begin, size_t beginAt, size_t endAt) {
    for (const GumboNode* up = begin.parent; up != nullptr; up = up->parent) {
        if (up->type != GUMBO_NODE_ELEMENT && up->type != GUMBO_NODE_TEMPLATE) continue;
        const auto tag = page.TagSpanOf(*up, Tag::End);
        if (tag && tag->start > beginAt && tag->start < endAt) return true;
    }
    return false;
}

// Inside SVG or MathML the links' lists would close the foreign elements
// and change how the rest of the page parses: a block there is left alone.
bool InForeignContent(const GumboNode& node) {
    for (const GumboNode* up = node.parent; up != nullptr; up = up->parent)
        if (up->type == GUMBO_NODE_ELEMENT && up->v.element.tag_namespace != GUMBO_NAMESPACE_HTML) return true;
    return false;
}

// The marked blocks of plain links after the body tag, each from its begin
// marker to the next end marker in the page's bytes (the parser may move
// nodes, so its tree order is not always the order they are written in).
std::vector<TagSpan> MarkedBlocks(const HtmlDocument& page, size_t after) {
    struct Marker {
        size_t at;
        const GumboNode* node;
    };
    std::vector<Marker> markers;
    HtmlDocument::ForEachNode(page.Document(), [&](const GumboNode& node) {
        if (node.type != GUMBO_NODE_COMMENT) return true;
        const std::optional<size_t> at = page.OffsetOf(node.v.text.original_text);
        const std::string_view text = View(node.v.text.original_text);
        if (at && *at >= after && (text == menulinks::kBegin || text == menulinks::kEnd)) markers.push_back({*at, &node});
        return true;
    });
    std::sort(markers.begin(), markers.end(), [](const Marker& a, const Marker& b) { return a.at < b.at; });
    std::vector<TagSpan> blocks;
    const Marker* begin = nullptr;
    for (const Marker& marker : markers) {
        const std::string_view text = View(marker.node->v.text.original_text);
        if (text == menulinks::kBegin && begin == nullptr && !InForeignContent(*marker.node)) begin = &marker;
        if (text == menulinks::kEnd && begin != nullptr) {
            if (!EndsInsideOwnElement(page, *marker.node, begin->at) &&
                !ClosesOuterElement(page, *begin->node, begin->at, marker.at))
                blocks.push_back({begin->at, marker.at + text.size()});
            begin = nullptr;
        }
    }
    return blocks;
}

// A block that holds a body tag (written into it by hand) stays: taking it
// out would change which attributes the body gets.
std::vector<PageSplice> LinkSplices(const HtmlDocument& page, size_t afterBodyTag, std::string_view links) {
    std::vector<PageSplice> splices;
    for (const TagSpan& block : MarkedBlocks(page, afterBodyTag)) {
        if (Lower(page.Bytes().substr(block.start, block.end - block.start)).find("<body") != std::string::npos) continue;
        splices.push_back({block.start, block.end - block.start, splices.empty() ? std::string(links) : ""});
    }
    if (splices.empty() && !links.empty()) splices.push_back({afterBodyTag, 0, std::string(links)});
    return splices;
}

std::string Spliced(std::string_view bytes, const std::vector<PageSplice>& splices) {
    std::string out;
    size_t extra = 0;
    for (const PageSplice& splice : splices) extra += splice.text.size();
    out.reserve(bytes.size() + extra);
    size_t from = 0;
    for (const PageSplice& splice : splices) {
        out += bytes.substr(from, splice.at - from);
        out += splice.text;
        from = splice.at + splice.removed;
    }
    out += bytes.substr(from);
    return out;
}

}  // namespace

PageMarkup MarkupOfPage(const HtmlDocument& page, std::string_view path) {
    const size_t dot = path.find_last_of("./\\");
    const std::string extension = dot != std::string_view::npos && path[dot] == '.' ? Lower(path.substr(dot)) : "";
    if (extension == ".xhtml" || extension == ".xht" || extension == ".xml") return PageMarkup::Xml;
    // The parser keeps an XML declaration as a comment; it counts only at
    // the very start (after a byte-order mark).
    const GumboVector& top = page.Document().v.document.children;
    const auto* first = top.length > 0 ? static_cast<const GumboNode*>(top.data[0]) : nullptr;
    const size_t start = page.Bytes().substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    if (first != nullptr && first->type == GUMBO_NODE_COMMENT && page.OffsetOf(first->v.text.original_text) == start &&
        View(first->v.text.original_text).substr(0, 5) == "<?xml")
        return PageMarkup::Xml;
    const char* publicId = page.Document().v.document.public_identifier;
    if (publicId != nullptr && std::string_view(publicId).find("XHTML") != std::string_view::npos) return PageMarkup::Xml;
    return PageMarkup::Html;
}

MenuPageEdit EditPageForMenu(const HtmlDocument& page, PageMarkup markup, std::string_view links) {
    MenuPageEdit edit;
    const GumboNode* body = ChildElement(page.Root(), GUMBO_TAG_BODY);
    const GumboNode* head = ChildElement(page.Root(), GUMBO_TAG_HEAD);
    const std::optional<TagSpan> bodyTag = body ? page.TagSpanOf(*body, Tag::Start) : std::nullopt;
    if (!bodyTag || head == nullptr) {
        edit.bytes = page.Bytes();
        return edit;
    }
    if (LoadsMenu(page, *body)) {
        edit.result = MenuPageEdit::Result::AlreadyLoadsMenu;
    } else {
        edit.result = MenuPageEdit::Result::Edited;
        const std::string_view styleLink = markup == PageMarkup::Xml ? kStyleLinkXml : pagetext::kStyleLink;
        const size_t spot = std::min(HeadSpot(page, *head, bodyTag->start), bodyTag->start);
        edit.splices.push_back({spot, 0, std::string(styleLink) + std::string(pagetext::kScriptPair)});
        edit.splices.push_back(LoadSplice(*body, page, *bodyTag, markup));
    }
    for (PageSplice& splice : LinkSplices(page, bodyTag->end, links)) edit.splices.push_back(std::move(splice));
    // The page's own onload may stand in a later body tag, whose attributes
    // browsers add to the body.
    std::stable_sort(edit.splices.begin(), edit.splices.end(),
                     [](const PageSplice& a, const PageSplice& b) { return a.at < b.at; });
    edit.bytes = Spliced(page.Bytes(), edit.splices);
    return edit;
}

}  // namespace tavel
