#include "menu/ScriptWriter.h"

#include "menu/MenuTree.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tavel {
namespace {

constexpr std::string_view kHeader = "var theMenu = new Array();\r\n";
constexpr std::string_view kSubmenuPrefix = "myMenu";

// The letter that stands for the kind in an entry's first field.
char KindLetter(MenuItemKind kind) {
    switch (kind) {
        case MenuItemKind::Plain: return 'L';
        case MenuItemKind::Submenu: return 'M';
        case MenuItemKind::Separator: return 'S';
    }
    return 'L';  // every kind is listed above
}

bool Escapable(char c) { return c == '"' || c == '\\'; }

// Whether `text` holds a double quote or a backslash. Most texts hold neither
// and are short, so they are tested eight bytes at a time: whole words from
// the start, then the last eight bytes; a shorter text is gathered into one
// word from a few loads, the bytes it leaves zero matching neither character.
bool HoldsEscapable(std::string_view text) {
    constexpr uint64_t kOnes = 0x0101010101010101;
    constexpr uint64_t kHighBits = 0x8080808080808080;
    // XOR turns each byte equal to the character into zero, and
    // (x - 1) & ~x & 0x80 per byte is nonzero exactly when x holds a zero byte
    // (borrows can mark bytes above it too, never a word without one).
    auto holds = [](uint64_t word) {
        const uint64_t quote = word ^ (kOnes * '"');
        const uint64_t slash = word ^ (kOnes * '\\');
        return (((quote - kOnes) & ~quote) | ((slash - kOnes) & ~slash)) & kHighBits;
    };
    const char* const p = text.data();
    const size_t n = text.size();
    auto load = [](const char* from, auto word) {
        std::memcpy(&word, from, sizeof word);
        return static_cast<uint64_t>(word);
    };
    if (n >= 8) {
        for (size_t at = 0; at + 8 < n; at += 8)
            if (holds(load(p + at, uint64_t{}))) return true;
        return holds(load(p + n - 8, uint64_t{}));
    }
    if (n >= 4) return holds(load(p, uint32_t{}) | load(p + n - 4, uint32_t{}) << 32);
    if (n == 0) return false;
    const auto byte = [p](size_t at) { return uint64_t{static_cast<unsigned char>(p[at])}; };
    return holds(byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16);
}

bool CountsAsSubmenu(const MenuItem* top) {
    return top->Data().kind != MenuItemKind::Separator && top->HasChildren();
}

}  // namespace

ScriptWriter::ScriptWriter(const MenuTree& tree) : tree_(tree) {}

void ScriptWriter::Number(size_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
}

// A double quote or a backslash gets a backslash before it, so that the
// script stays valid JavaScript and the page shows the text as typed; every
// other byte is written as stored, so a text without them is unchanged.
void ScriptWriter::Escaped(std::string_view field) {
    if (!HoldsEscapable(field)) {
        out_ += field;
        return;
    }
    for (char c : field) {
        if (Escapable(c)) out_ += '\\';
        out_ += c;
    }
}

std::string ScriptWriter::Write() {
    out_.clear();
    out_.reserve(64 + tree_.Count() * 96);
    out_ += kHeader;
    if (!tree_.Empty()) WriteTopLevel();
    return std::move(out_);
}

// Second-level arrays are myMenu0, myMenu1, ...; a third-level array is named
// from the top-level index and its item's absolute index run together, which
// can spell the name of a second-level array (T 1, A 2 and K 12 all give
// myMenu12). The reader finds entries by name, so such an array gets an
// underscore between the two numbers instead.
std::string ScriptWriter::ThirdLevelName(size_t t, size_t a) const {
    std::string joined = std::to_string(t) + std::to_string(a);
    // With t = 0 the run starts with a zero and can spell no array number.
    bool collides = t != 0 && joined.size() <= 19 && std::stoull(joined) < submenuCount_;
    std::string name(kSubmenuPrefix);
    name += collides ? std::to_string(t) + "_" + std::to_string(a) : joined;
    return name;
}

void ScriptWriter::Skip(const MenuItem* item) {
    std::vector<const MenuItem*> pending{item};
    while (!pending.empty()) {
        const MenuItem* parent = pending.back();
        pending.pop_back();
        absolute_ += parent->ChildCount();
        for (size_t c = 0; c < parent->ChildCount(); ++c) pending.push_back(parent->Child(c));
    }
}

void ScriptWriter::WriteTopLevel() {
    submenuCount_ = 0;
    for (size_t row = 0; row < tree_.TopCount(); ++row)
        if (CountsAsSubmenu(tree_.Top(row))) ++submenuCount_;

    absolute_ = 0;
    size_t t = 0;
    size_t k = 0;
    for (size_t row = 0; row < tree_.TopCount(); ++row, ++absolute_) {
        const MenuItem* top = tree_.Top(row);
        const MenuItemData& data = top->Data();
        // A top-level separator has no place in the bar; what hangs below it
        // goes with it.
        if (data.kind == MenuItemKind::Separator) {
            Skip(top);
            continue;
        }
        out_ += "theMenu[";
        Number(t);
        out_ += "] = new Array(\"";
        Escaped(data.caption);
        out_ += "\", \"";
        if (!top->HasChildren()) {
            Escaped(data.link);
            out_ += "\");\r\n";
        } else {
            const std::string array = std::string(kSubmenuPrefix) + std::to_string(k);
            out_ += array;
            out_ += "\");\r\n";
            Declare(array);
            WriteSecondLevel(top, t, array);
            ++k;
        }
        ++t;
    }
}

void ScriptWriter::Declare(std::string_view array) {
    out_ += "var ";
    out_ += array;
    out_ += " = new Array();\r\n";
}

void ScriptWriter::Entry(std::string_view array, size_t index, MenuItemKind kind, const MenuItemData& data,
                         std::string_view last) {
    out_ += array;
    out_ += '[';
    Number(index);
    out_ += "] = new Array(\"";
    out_ += KindLetter(kind);
    out_ += "\",\"";
    Escaped(data.caption);
    out_ += "\",\"";
    Escaped(data.hint);
    out_ += "\",\"";
    Escaped(last);
    out_ += "\");\r\n";
}

void ScriptWriter::WriteSecondLevel(const MenuItem* top, size_t t, std::string_view array) {
    for (size_t c = 0; c < top->ChildCount(); ++c) {
        const MenuItem* item = top->Child(c);
        const MenuItemData& data = item->Data();
        const size_t a = ++absolute_;
        if (!item->HasChildren()) {
            Entry(array, c, data.kind, data, data.link);
        } else {
            const std::string name = ThirdLevelName(t, a);
            Entry(array, c, data.kind, data, name);
            WriteThirdLevel(item, name);
        }
    }
}

void ScriptWriter::WriteThirdLevel(const MenuItem* item, std::string_view name) {
    Declare(name);
    // In a tree of three levels the range from the first child to the last
    // holds exactly the children. A deeper item lies in it when it hangs
    // below an earlier child; what hangs below the last child lies beyond.
    const size_t first = absolute_ + 1;
    const MenuItem* last = item->LastChild();
    // An explicit stack: a tree made deep by moves must not exhaust the
    // call stack. It is kept between calls to spare the allocations.
    std::vector<std::pair<const MenuItem*, size_t>>& pending = walk_;
    pending.assign(1, {item, 0});
    bool pastLast = false;
    while (!pending.empty()) {
        auto& [parent, next] = pending.back();
        if (next == parent->ChildCount()) {
            pending.pop_back();
            continue;
        }
        const MenuItem* child = parent->Child(next++);
        ++absolute_;
        if (!pastLast) Entry(name, absolute_ - first, MenuItemKind::Plain, child->Data(), child->Data().link);
        if (child == last) pastLast = true;
        if (child->HasChildren()) pending.emplace_back(child, 0);
    }
}

std::string WriteMenuScript(const MenuTree& tree) { return ScriptWriter(tree).Write(); }

}  // namespace tavel
