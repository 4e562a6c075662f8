#include "tools/AsciiScript.h"

#include "platform/TextEncoding.h"

namespace tavel {
namespace {

void AppendEscape(std::string& out, char32_t unit) {
    constexpr char kHex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

}  // namespace

std::string AsciiScript(std::string_view script) {
    std::string out;
    out.reserve(script.size());
    size_t backslashes = 0;  // the run of them just written
    for (const char32_t c : TextCharacters(script)) {
        if (c < 0x80) {
            out += static_cast<char>(c);
            backslashes = c == '\\' ? backslashes + 1 : 0;
            continue;
        }
        // "\é" is "é": the backslash written already starts the escape.
        if (backslashes % 2 == 1) out.pop_back();
        backslashes = 0;
        if (c > 0xFFFF) {
            AppendEscape(out, 0xD800 + ((c - 0x10000) >> 10));
            AppendEscape(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            AppendEscape(out, c);
        }
    }
    return out;
}

}  // namespace tavel
