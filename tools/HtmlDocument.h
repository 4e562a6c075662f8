#pragma once

#include <gumbo.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavel {

// A page parsed as browsers parse it (HTML5, with the parser's source
// positions), over the page's own bytes: a piece of the tree points into
// them, so the page can be edited byte for byte where the parser found
// something. The parser reads UTF-8; a page in another ASCII-compatible
// encoding parses to the same elements and positions, with only its
// non-ASCII text read wrong (see PageEncoding.h for its text). A UTF-8
// byte-order mark is passed over.
class HtmlDocument {
public:
    // Throws FileError naming `name` when the page nests its elements deeper
    // than browsers do (HtmlNesting.h): such a page is refused before the
    // parser spends time and memory on it.
    HtmlDocument(std::string bytes, const std::string& name);
    ~HtmlDocument();
    HtmlDocument(const HtmlDocument&) = delete;
    HtmlDocument& operator=(const HtmlDocument&) = delete;

    std::string_view Bytes() const { return bytes_; }
    const GumboNode& Document() const { return *output_->document; }
    // The <html> element, there in every parsed page.
    const GumboNode& Root() const { return *output_->root; }

    // Where a piece of the tree's source text starts in Bytes(); none for
    // one the parser made up (an element whose tag the page leaves out).
    std::optional<size_t> OffsetOf(const GumboStringPiece& piece) const;

    // Where an element's start tag (or end tag) as written stands in
    // Bytes(), from its "<" to its ">"; none for one the parser made up.
    // The parser runs an ignored "</>" in front of a tag into that tag's
    // source text, so the span starts at the tag's own "<name".
    struct Span {
        size_t start;
        size_t end;
    };
    enum class Tag { Start, End };
    std::optional<Span> TagSpanOf(const GumboNode& element, Tag which) const;

    // Every element below `from` (itself included) in document order, until
    // `visit` returns false. The walk keeps its own stack, not the call stack.
    static void ForEachElement(const GumboNode& from, const std::function<bool(const GumboNode&)>& visit);
    // Every node below `from` (itself included), comments and text too, in
    // document order, until `visit` returns false; with its own stack too.
    static void ForEachNode(const GumboNode& from, const std::function<bool(const GumboNode&)>& visit);
    // The first element of that tag below `from`, or null.
    static const GumboNode* FindFirst(const GumboNode& from, GumboTag tag);

private:
    std::string bytes_;
    GumboOutput* output_ = nullptr;
};

// The value of an element's attribute (names compare without regard to
// case, as the parser lower-cases them), or none.
std::optional<std::string_view> AttributeOf(const GumboNode& element, std::string_view name);

// The text of an element and everything in it, as the parser decoded it.
std::string TextOf(const GumboNode& node);

}  // namespace tavel
