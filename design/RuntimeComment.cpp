#include "design/RuntimeComment.h"

namespace tavel {
namespace {

// Rewrites each "*", backslashes, "/" run with one backslash more (`delta`
// 1) or one less (-1; only runs that have one).
std::string Rewritten(std::string_view text, int delta) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] != '*') continue;
        size_t end = i + 1;
        while (end < text.size() && text[end] == '\\') ++end;
        const size_t slashes = end - i - 1;
        if (end == text.size() || text[end] != '/' || (delta < 0 && slashes == 0)) continue;
        out.append(delta > 0 ? slashes + 1 : slashes - 1, '\\');
        out += '/';
        i = end;
    }
    return out;
}

}  // namespace

std::string CommentSafe(std::string_view value) { return Rewritten(value, 1); }

std::string FromCommentSafe(std::string_view stored) { return Rewritten(stored, -1); }

}  // namespace tavel
