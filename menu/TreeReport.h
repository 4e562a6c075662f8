#pragma once

#include <string>
#include <vector>

namespace tavel {

class MenuTree;

// The printed tree report: every item's caption in walk order, one line
// each, separators and collapsed items included, with no indentation.
std::vector<std::string> TreeReportLines(const MenuTree& tree);

}  // namespace tavel
