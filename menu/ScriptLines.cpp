#include "menu/ScriptLines.h"

#include <cstring>

namespace tavel {

std::vector<std::string_view> SplitScriptLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 48 + 1);
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    auto next = [end](const char* from, char c) {
        const void* hit = from < end ? std::memchr(from, c, static_cast<size_t>(end - from)) : nullptr;
        return hit != nullptr ? static_cast<const char*>(hit) : end;
    };
    const char* start = begin;
    const char* cr = next(begin, '\r');
    const char* lf = next(begin, '\n');
    while (start < end) {
        const char* brk = cr < lf ? cr : lf;
        lines.emplace_back(start, static_cast<size_t>(brk - start));
        if (brk == end) break;
        start = brk + 1;
        if (brk == cr && start == lf) ++start;  // CR LF is one break
        if (cr < start) cr = next(start, '\r');
        if (lf < start) lf = next(start, '\n');
    }
    return lines;
}

}  // namespace tavel
