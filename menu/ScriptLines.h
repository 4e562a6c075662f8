#pragma once

#include <string_view>
#include <vector>

namespace tavel {

// Splits a text into lines at CR LF, lone LF or lone CR; a break at the very
// end opens no further line.
std::vector<std::string_view> SplitScriptLines(std::string_view text);

}  // namespace tavel
