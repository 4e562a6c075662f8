#include "menu/ScriptWriter.h"

#include "menu/MenuTree.h"

#include <charconv>
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
void ScriptWriter::Quoted(std::string_view field) {
    out_ += '"';
    constexpr std::string_view kEscaped = "\"\\";
    for (size_t at = field.find_first_of(kEscaped); at != std::string_view::npos; at = field.find_first_of(kEscaped)) {
        out_ += field.substr(0, at);
        out_ += '\\';
        out_ += field[at];
        field.remove_prefix(at + 1);
    }
    out_ += field;
    out_ += '"';
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
        out_ += "] = new Array(";
        Quoted(data.caption);
        out_ += ", ";
        if (!top->HasChildren()) {
            Quoted(data.link);
            out_ += ");\r\n";
        } else {
            const std::string array = std::string(kSubmenuPrefix) + std::to_string(k);
            Quoted(array);
            out_ += ");\r\n";
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
    out_ += "\",";
    Quoted(data.caption);
    out_ += ',';
    Quoted(data.hint);
    out_ += ',';
    Quoted(last);
    out_ += ");\r\n";
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
