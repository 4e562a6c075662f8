#include "tools/MenuStyleSheet.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tavel {
namespace {

constexpr size_t npos = std::string_view::npos;
constexpr std::string_view kBlanks = " \t\r\n\f";

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Where the quoted string that starts at `i` ends, and whether its own
// quote ends it (a line end or the end of the sheet cuts it off).
size_t StringEnd(std::string_view css, size_t i, bool& closed) {
    closed = false;
    for (size_t j = i + 1; j < css.size(); ++j) {
        if (css[j] == '\\') {
            ++j;
        } else if (css[j] == css[i] || css[j] == '\n') {
            closed = css[j] == css[i];
            return j + 1;
        }
    }
    return css.size();
}

// Where the piece of CSS that starts at `i` ends: a comment, a quoted
// string or an escaped character is one piece, anything else one character.
size_t PieceEnd(std::string_view css, size_t i) {
    if (css.substr(i, 2) == "/*") {
        const size_t end = css.find("*/", i + 2);
        return end == npos ? css.size() : end + 2;
    }
    bool closed = false;
    if (css[i] == '"' || css[i] == '\'') return StringEnd(css, i, closed);
    if (css[i] == '\\') return std::min(i + 2, css.size());
    return i + 1;
}

// A string that a line end or the end of the sheet cuts off: the rule that
// holds it is broken, and browsers drop what it stands in.
bool HasBadString(std::string_view css) {
    for (size_t i = 0; i < css.size(); i = PieceEnd(css, i)) {
        if (css[i] != '"' && css[i] != '\'') continue;
        bool closed = false;
        StringEnd(css, i, closed);
        if (!closed) return true;
    }
    return false;
}

bool IsWholePiece(std::string_view css, size_t i) { return PieceEnd(css, i) > i + 1 || css[i] == '"' || css[i] == '\''; }

// The first of `stops` at `from` or after that stands outside comments,
// strings and brackets, or npos.
size_t FindOutside(std::string_view css, size_t from, std::string_view stops) {
    size_t depth = 0;
    for (size_t i = from; i < css.size(); i = PieceEnd(css, i)) {
        if (IsWholePiece(css, i)) continue;
        const char c = css[i];
        if (depth == 0 && stops.find(c) != npos) return i;
        if (c == '(' || c == '[' || c == '{') {
            ++depth;
        } else if ((c == ')' || c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return npos;
}

size_t SkipBlanksAndComments(std::string_view css, size_t at) {
    while (at < css.size() && (kBlanks.find(css[at]) != npos || css.substr(at, 2) == "/*")) at = PieceEnd(css, at);
    return at;
}

bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

size_t NameEnd(std::string_view css, size_t i) {
    while (i < css.size() && (IsNameCharacter(css[i]) || css[i] == '\\')) i = PieceEnd(css, i);
    return i;
}

bool IsMenuClass(std::string_view name) {
    return name == "menu" || name == "menuTitle" || name == "tvm" || name.substr(0, 4) == "tvm-";
}
bool IsMenuId(std::string_view name) { return name == "menuHolder" || name.substr(0, 3) == "tvm"; }

// A selector with its element names in lower case, and whether what it
// selects lies in the menu: it names one of the menu's classes or ids
// (outside brackets, where :not() could turn it round), with no sibling
// combinator after it that would lead out of the menu. One with a
// character no selector holds is not valid: browsers then drop its rule.
struct Selector {
    std::string text;
    bool reachesMenu = false;
    bool valid = true;
};

Selector ReadSelector(std::string_view selector) {
    Selector read;
    bool named = false, leavesMenu = false, compoundStart = true;
    for (size_t i = 0; i < selector.size();) {
        const char c = selector[i];
        size_t end = PieceEnd(selector, i);
        if (c == '(' || c == '[') {
            const size_t close = FindOutside(selector, i + 1, c == '(' ? ")" : "]");
            end = close == npos ? selector.size() : close + 1;
        } else if ((c == '.' || c == '#') && i + 1 < selector.size() && IsNameCharacter(selector[i + 1])) {
            end = NameEnd(selector, i + 1);
            const std::string_view name = selector.substr(i + 1, end - i - 1);
            named = named || (c == '.' ? IsMenuClass(name) : IsMenuId(name));
        } else if (c == ':') {
            end = NameEnd(selector, selector.substr(i, 2) == "::" ? i + 2 : i + 1);
        } else if (compoundStart && IsNameCharacter(c)) {
            end = NameEnd(selector, i);
            read.text += Lower(selector.substr(i, end - i));
            compoundStart = false;
            i = end;
            continue;
        } else if (c == '+' || c == '~' || c == '>' || kBlanks.find(c) != npos) {
            leavesMenu = leavesMenu || (named && c != '>' && kBlanks.find(c) == npos);
            compoundStart = true;
            read.text += c;
            i = end;
            continue;
        }
        if (selector.substr(i, 2) != "/*") compoundStart = false;
        read.valid = read.valid && (end > i + 1 ? c == '\\' || c == '/' || c == '(' || c == '[' || c == '.' || c == '#' || c == ':'
                                                : c == '*' || c == '|' || IsNameCharacter(c) || c == ':');
        read.text += selector.substr(i, end - i);
        i = end;
    }
    read.reachesMenu = named && !leavesMenu;
    read.valid = read.valid && !selector.empty();
    return read;
}

// Every declaration of a block made important; a block that nests further
// rules is left as it is.
std::string WithImportance(std::string_view block) {
    if (FindOutside(block, 0, "{") != npos) return std::string(block);
    std::string out;
    for (size_t from = 0;;) {
        const size_t semicolon = FindOutside(block, from, ";");
        const std::string_view declaration = block.substr(from, semicolon == npos ? npos : semicolon - from);
        const size_t last = declaration.find_last_not_of(kBlanks);
        if (last != npos && FindOutside(declaration, 0, ":") != npos && FindOutside(declaration, 0, "!") == npos) {
            out += declaration.substr(0, last + 1);
            out += " !important";
            out += declaration.substr(last + 1);
        } else {
            out += declaration;
        }
        if (semicolon == npos) break;
        out += ';';
        from = semicolon + 1;
    }
    return out;
}

bool IsCharsetRule(std::string_view prelude) {
    constexpr std::string_view start = "@charset \"";
    return prelude.size() > start.size() && prelude.substr(0, start.size()) == start &&
           prelude.find_first_of("\"\\\n", start.size()) == prelude.size() - 1 && prelude.back() == '"';
}

// How deep @media and @supports blocks are read; deeper ones are left out
// (no sheet nests so deep, and each level costs a reading of its block).
constexpr size_t kMaxDepth = 16;

std::string MenuRules(std::string_view css, size_t depth);

void AddRule(std::string& out, std::string_view prelude, std::string_view block, size_t depth) {
    if (prelude.front() == '@') {
        const std::string name = Lower(prelude.substr(1, NameEnd(prelude, 1) - 1));
        if ((name == "media" || name == "supports") && depth < kMaxDepth) {
            const std::string inner = MenuRules(block, depth + 1);
            if (!inner.empty()) out += std::string(prelude) + " {\r\n" + inner + "}\r\n";
        } else if (name == "font-face" || name == "keyframes" || name == "-webkit-keyframes") {
            out += std::string(prelude) + " {" + std::string(block) + "}\r\n";
        }
        return;
    }
    std::string selectors;
    for (size_t from = 0;;) {
        const size_t comma = FindOutside(prelude, from, ",");
        // A comment in front of a selector goes, as one in front of a rule
        // does, so that the rule reads the same when the sheet is read again.
        const std::string_view part = prelude.substr(from, comma == npos ? npos : comma - from);
        const Selector selector = ReadSelector(Trimmed(part.substr(SkipBlanksAndComments(part, 0))));
        if (!selector.valid) return;
        if (selector.reachesMenu) selectors += (selectors.empty() ? "" : ", ") + selector.text;
        if (comma == npos) break;
        from = comma + 1;
    }
    if (!selectors.empty()) out += selectors + " {" + WithImportance(block) + "}\r\n";
}

std::string MenuRules(std::string_view css, size_t depth) {
    std::string out;
    for (size_t at = SkipBlanksAndComments(css, 0); at < css.size(); at = SkipBlanksAndComments(css, at)) {
        const size_t stop = FindOutside(css, at, ";{}");
        const std::string_view prelude = Trimmed(css.substr(at, stop == npos ? npos : stop - at));
        if (stop == npos || css[stop] != '{') {
            // A statement: of the at-rules without a block only the sheet's
            // encoding is kept, in the one form browsers read; a stray ";"
            // or "}" is passed over.
            if (IsCharsetRule(prelude)) out += std::string(prelude) + ";\r\n";
            at = stop == npos ? css.size() : stop + 1;
            continue;
        }
        // A block the sheet never closes is left out with what it holds.
        const size_t close = FindOutside(css, stop + 1, "}");
        if (close == npos) break;
        const std::string_view block = css.substr(stop + 1, close - stop - 1);
        at = close + 1;
        if (!prelude.empty() && !HasBadString(prelude) && !HasBadString(block)) AddRule(out, prelude, block, depth);
    }
    return out;
}

}  // namespace

std::string MenuStyleSheet(std::string_view sheet) { return MenuRules(sheet, 0); }

}  // namespace tavel
