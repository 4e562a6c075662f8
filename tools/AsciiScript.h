#pragma once

#include <string>
#include <string_view>

namespace tavel {

// A script in ASCII alone, so that it reads the same in a page of any
// ASCII-compatible encoding (a script without a byte-order mark or a
// charset of its own is read in its page's): every character beyond ASCII
// (of UTF-8 text, or of Windows-1252 text when it is not UTF-8) becomes a
// \u escape, which means the same character in strings, comments, regular
// expressions and names alike. A character the script escaped with a
// single backslash keeps that backslash as the escape's own.
std::string AsciiScript(std::string_view script);

}  // namespace tavel
