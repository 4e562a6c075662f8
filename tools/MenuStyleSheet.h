#pragma once

#include <string>
#include <string_view>

namespace tavel {

// The style sheet for a page that keeps its own look: of the project's
// sheet, only the rules whose selectors reach the menu's own markup (they
// name one of its classes, menuTitle, menu, tvm and tvm-..., or the ids
// menuHolder and tvm...), and of a group of selectors only those. Every
// declaration in them is made important, so that the page's own link rules
// cannot outweigh the menu's colours, and element names are written in
// lower case, as a page read as XML needs them. The page's rules (BODY,
// plain element rules such as the button line that gives tables the button
// image) are left out, as are rules browsers cannot read (a selector with
// a character no selector holds, a string or block left open), @import
// rules and comments; @media and @supports keep the menu's rules inside
// them, @charset, @font-face and @keyframes stay as they are. Rules are
// written one after another, each followed by CR LF.
std::string MenuStyleSheet(std::string_view sheet);

}  // namespace tavel
