#include "tools/HtmlDocument.h"

#include "platform/FileError.h"
#include "tools/HtmlNesting.h"

#include <cctype>
#include <vector>

namespace tavel {

HtmlDocument::HtmlDocument(std::string bytes, const std::string& name) : bytes_(std::move(bytes)) {
    if (NestsDeeperThan(bytes_))
        throw FileError("\"" + name + "\" nests its elements more than " + std::to_string(kBrowserNestingLimit) +
                            " deep, deeper than browsers show; it was not read.",
                        name);
    GumboOptions options = kGumboDefaultOptions;
    // The parser's error list is of no use here and grows with a broken page.
    options.max_errors = 0;
    // A byte-order mark is no part of the text: read as a character it
    // would start the body before the head.
    const size_t start = std::string_view(bytes_).substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    output_ = gumbo_parse_with_options(&options, bytes_.data() + start, bytes_.size() - start);
}

HtmlDocument::~HtmlDocument() {
    if (output_ != nullptr) gumbo_destroy_output(&kGumboDefaultOptions, output_);
}

std::optional<size_t> HtmlDocument::OffsetOf(const GumboStringPiece& piece) const {
    if (piece.data == nullptr || piece.data < bytes_.data() || piece.data > bytes_.data() + bytes_.size())
        return std::nullopt;
    return static_cast<size_t>(piece.data - bytes_.data());
}

std::optional<HtmlDocument::Span> HtmlDocument::TagSpanOf(const GumboNode& element, Tag which) const {
    const GumboStringPiece& piece = which == Tag::Start ? element.v.element.original_tag : element.v.element.original_end_tag;
    const std::optional<size_t> at = piece.length > 0 ? OffsetOf(piece) : std::nullopt;
    if (!at) return std::nullopt;
    const char* name = gumbo_normalized_tagname(element.v.element.tag);
    // An element the parser does not know has no name of its own to look for.
    if (element.v.element.tag == GUMBO_TAG_UNKNOWN || name == nullptr || *name == '\0') return Span{*at, *at + piece.length};
    const std::string opening = std::string(which == Tag::Start ? "<" : "</") + name;
    const std::string_view text(piece.data, piece.length);
    for (size_t from = 0; from + opening.size() < text.size(); ++from) {
        bool same = true;
        for (size_t k = 0; same && k < opening.size(); ++k)
            same = std::tolower(static_cast<unsigned char>(text[from + k])) == opening[k];
        const char after = text[from + opening.size()];
        if (same && !std::isalnum(static_cast<unsigned char>(after)) && after != '-' && after != '_' && after != ':')
            return Span{*at + from, *at + piece.length};
    }
    return std::nullopt;
}

void HtmlDocument::ForEachElement(const GumboNode& from, const std::function<bool(const GumboNode&)>& visit) {
    std::vector<const GumboNode*> pending{&from};
    while (!pending.empty()) {
        const GumboNode* node = pending.back();
        pending.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE && node->type != GUMBO_NODE_DOCUMENT)
            continue;
        if (node->type != GUMBO_NODE_DOCUMENT && !visit(*node)) return;
        const GumboVector& children =
            node->type == GUMBO_NODE_DOCUMENT ? node->v.document.children : node->v.element.children;
        for (unsigned i = children.length; i-- > 0;) pending.push_back(static_cast<const GumboNode*>(children.data[i]));
    }
}

void HtmlDocument::ForEachNode(const GumboNode& from, const std::function<bool(const GumboNode&)>& visit) {
    std::vector<const GumboNode*> pending{&from};
    while (!pending.empty()) {
        const GumboNode* node = pending.back();
        pending.pop_back();
        if (!visit(*node)) return;
        const GumboVector* children = node->type == GUMBO_NODE_DOCUMENT ? &node->v.document.children
                                      : node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE
                                          ? &node->v.element.children
                                          : nullptr;
        if (children == nullptr) continue;
        for (unsigned i = children->length; i-- > 0;) pending.push_back(static_cast<const GumboNode*>(children->data[i]));
    }
}

const GumboNode* HtmlDocument::FindFirst(const GumboNode& from, GumboTag tag) {
    const GumboNode* found = nullptr;
    ForEachElement(from, [&](const GumboNode& element) {
        if (element.v.element.tag == tag) found = &element;
        return found == nullptr;
    });
    return found;
}

std::optional<std::string_view> AttributeOf(const GumboNode& element, std::string_view name) {
    if (element.type != GUMBO_NODE_ELEMENT && element.type != GUMBO_NODE_TEMPLATE) return std::nullopt;
    const GumboVector& attributes = element.v.element.attributes;
    for (unsigned i = 0; i < attributes.length; ++i) {
        const auto* attribute = static_cast<const GumboAttribute*>(attributes.data[i]);
        if (name == attribute->name) return std::string_view(attribute->value);
    }
    return std::nullopt;
}

std::string TextOf(const GumboNode& node) {
    std::string text;
    std::vector<const GumboNode*> pending{&node};
    while (!pending.empty()) {
        const GumboNode* at = pending.back();
        pending.pop_back();
        switch (at->type) {
            case GUMBO_NODE_TEXT:
            case GUMBO_NODE_CDATA:
            case GUMBO_NODE_WHITESPACE:
                text += at->v.text.text;
                break;
            case GUMBO_NODE_ELEMENT:
            case GUMBO_NODE_TEMPLATE:
                for (unsigned i = at->v.element.children.length; i-- > 0;)
                    pending.push_back(static_cast<const GumboNode*>(at->v.element.children.data[i]));
                break;
            default:
                break;
        }
    }
    return text;
}

}  // namespace tavel
