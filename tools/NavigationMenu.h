#pragma once

#include "tools/PageNavigation.h"

#include <gumbo.h>

#include <string>
#include <string_view>

namespace tavel {

// The menu that a navigation element of a parsed page stands for: every
// list item an item (its leading link giving link, hint and caption; a
// list item without one a heading with an empty link; a divider or an empty
// one a separator), nested lists the levels, anything below the third level
// moved up to it; a navigation without lists gives its links on one level.
// Walks the page with its own stacks, never the call stack.
ImportedMenu MenuOfNavigation(const GumboNode& navigation);

// The text an element shows (an image as its alt text), blanks run
// together, written as menu text: "&", "<" and ">" as character
// references, everything else as it is. Lists inside are left out.
std::string ShownText(const GumboNode& element);

// The same text as it reads, blanks run together, nothing escaped.
std::string VisibleText(const GumboNode& element);

// Text escaped so that the menu shows it as it reads.
std::string MenuText(std::string_view text);

bool IsListElement(const GumboNode& node);
// An <a> that leads somewhere.
bool IsLinkElement(const GumboNode& node);

}  // namespace tavel
