#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tavel {

class MenuItem;
class MenuTree;

// The menu as plain HTML links, for search engines, readers whose browsers
// run no scripts, and pages whose script fails: a <nav> of nested lists
// between two marker comments, directly after the opening body tag. The
// runtime draws the drop-down menu in its place and removes it; a later
// Create or Integrate replaces what stands between the markers.
namespace menulinks {
inline constexpr std::string_view kBegin = "<!-- menu links: begin -->";
inline constexpr std::string_view kEnd = "<!-- menu links: end -->";
}  // namespace menulinks

// An item's link as the block should give it.
using ItemLink = std::function<std::string(const MenuItem&)>;

// The block for the tree, in ASCII so that it reads right in a page of any
// encoding: an item with a link is a link (below the bar, its hint the link's title), an
// item with subitems or without a link is the plain-text heading of its
// list (below the bar, its hint the title of a span round it), and a separator is an empty divider (`<li role="separator">`). Captions and hints are the author's
// HTML: their tags are dropped, their text escaped, and every character
// beyond ASCII written as a character reference. A caption without text is
// named by its hint or link.
std::string MenuLinksBlock(const MenuTree& tree, const ItemLink& linkOf);

// The block with where each item stands in it, so that every page can
// mark its own item without the block being written again.
struct LinksLayout {
    struct Place {
        size_t item = std::string::npos;  // just past the item's "<li"
        size_t link = std::string::npos;  // just past its "<a", when it is a link
    };
    std::string text;
    std::unordered_map<const MenuItem*, Place> places;
};

// The block as MenuLinksBlock writes it; with `branchOf`, only the top level
// and the lists on the way down to that item (for a menu too large for
// every page to carry whole); with `siteMap`, a last top-level link to that
// page, "Site map".
LinksLayout MenuLinksLayout(const MenuTree& tree, const ItemLink& linkOf, const MenuItem* branchOf = nullptr,
                            std::string_view siteMap = {});

// The block for the page of `current`: its link carries aria-current="page"
// and the items above it (the openers of its branch) class "tvm-here".
std::string MarkedLinks(const LinksLayout& layout, const MenuItem& current);

// The text of an HTML fragment written again as HTML text in ASCII: tags
// dropped, character references kept, other markup characters escaped,
// characters beyond ASCII as references, blanks run together.
std::string PlainHtmlText(std::string_view html);

}  // namespace tavel
