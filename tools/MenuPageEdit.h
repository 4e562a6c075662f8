#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

class HtmlDocument;

// How the markup put into a page must be written: a page that a browser
// reads as XML takes only well-formed markup, with its attribute names in
// lower case.
enum class PageMarkup { Html, Xml };

// Xml for a page named .xhtml, .xht or .xml, one that starts with an XML
// declaration, or one with an XHTML document type; Html otherwise.
PageMarkup MarkupOfPage(const HtmlDocument& page, std::string_view path);

// One change to the page's bytes: `removed` bytes at `at` give way to `text`.
struct PageSplice {
    size_t at = 0;
    size_t removed = 0;
    std::string text;
};

// What Integrate does to a page, found with the HTML parser so that tags in
// comments, scripts and attribute values are never taken for the page's own,
// and everything but the splices stays byte for byte as it was (document
// type, byte-order mark, XML declaration, line ends, the page's scripts).
//   - The style link and the script pair go in together directly after the
//     head's "</title>"; in a page without one, before "</head>", else
//     before the "<body" tag. An encoding declaration further down the head
//     stays in front of them.
//   - The menu starts from the body tag's onload: the load attribute goes
//     directly after "<body"; a page with an onload of its own gets the
//     menu's call put in front of its handler, so that both run.
//   - `links` (the plain links block, possibly empty) takes the place of the
//     first marked block after the body tag, further marked blocks go, and
//     without any it goes directly after the body tag. A block edited by
//     hand so that taking it out would change how the rest of the page
//     parses (it holds a body tag, leaves an element open, closes one opened
//     before it, or stands in SVG or MathML) stays as it is.
// A page that already loads sys.js and temp.js from its own folder and
// calls buildMenu gets the links alone. A page whose body has no tag of its
// own in front of its content cannot take the load attribute: it gets
// nothing.
struct MenuPageEdit {
    enum class Result { Edited, AlreadyLoadsMenu, NoBodyTag };
    Result result = Result::NoBodyTag;
    // In the order of their places, none overlapping another.
    std::vector<PageSplice> splices;
    // The page with the splices made.
    std::string bytes;
};

MenuPageEdit EditPageForMenu(const HtmlDocument& page, PageMarkup markup, std::string_view links);

}  // namespace tavel
