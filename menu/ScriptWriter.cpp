#include "menu/ScriptWriter.h"

#include "menu/MenuTree.h"

#include <charconv>

namespace tavel {
namespace {

constexpr std::string_view kHeader = "var theMenu = new Array();\r\n";
constexpr std::string_view kSubmenuPrefix = "myMenu";

bool CountsAsSubmenu(const MenuItem* top) {
    return top->Data().Kind != kSeparatorItem && top->HasChildren();
}

}  // namespace

ScriptWriter::ScriptWriter(const MenuTree& tree) : tree_(tree) {}

void ScriptWriter::Number(size_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
}

void ScriptWriter::Quoted(std::string_view field) {
    out_ += '"';
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

void ScriptWriter::WriteTopLevel() {
    submenuCount_ = 0;
    for (size_t row = 0; row < tree_.TopCount(); ++row)
        if (CountsAsSubmenu(tree_.Top(row))) ++submenuCount_;

    size_t t = 0;
    size_t k = 0;
    for (size_t row = 0; row < tree_.TopCount(); ++row) {
        const MenuItem* top = tree_.Top(row);
        const tNodeData& data = top->Data();
        // A top-level separator has no place in the bar; what hangs below it
        // goes with it.
        if (data.Kind == kSeparatorItem) continue;

        out_ += "theMenu[";
        Number(t);
        out_ += "] = new Array(";
        Quoted(data.Caption);
        out_ += ", ";
        if (!top->HasChildren()) {
            Quoted(data.Link);
            out_ += ");\r\n";
        } else {
            out_ += '"';
            out_ += kSubmenuPrefix;
            Number(k);
            out_ += "\");\r\nvar ";
            out_ += kSubmenuPrefix;
            Number(k);
            out_ += " = new Array();\r\n";
            WriteSecondLevel(t, k, tree_.AbsoluteIndex(top));
            ++k;
        }
        ++t;
    }
}

void ScriptWriter::WriteSecondLevel(size_t t, size_t k, size_t absolute) {
    const MenuItem* top = tree_.ItemAt(absolute);
    for (size_t c = 0; c < top->ChildCount(); ++c) {
        const MenuItem* item = top->Child(c);
        const tNodeData& data = item->Data();
        out_ += kSubmenuPrefix;
        Number(k);
        out_ += '[';
        Number(c);
        out_ += "] = new Array(\"";
        out_ += data.Kind;
        out_ += "\",";
        Quoted(data.Caption);
        out_ += ',';
        Quoted(data.Hint);
        out_ += ',';
        if (!item->HasChildren()) {
            Quoted(data.Link);
            out_ += ");\r\n";
        } else {
            size_t a = tree_.AbsoluteIndex(item);
            std::string name = ThirdLevelName(t, a);
            Quoted(name);
            out_ += ");\r\n";
            WriteThirdLevel(a, name);
        }
    }
}

void ScriptWriter::WriteThirdLevel(size_t a, std::string_view name) {
    const MenuItem* item = tree_.ItemAt(a);
    if (!item->HasChildren()) return;
    out_ += "var ";
    out_ += name;
    out_ += " = new Array();\r\n";
    // The range runs from the first child to the last one by absolute index;
    // in a tree of three levels these are exactly the children.
    const size_t first = tree_.AbsoluteIndex(item->FirstChild());
    const size_t last = tree_.AbsoluteIndex(item->LastChild());
    for (size_t index = first; index <= last; ++index) {
        const tNodeData& data = tree_.ItemAt(index)->Data();
        out_ += name;
        out_ += '[';
        Number(index - first);
        out_ += "] = new Array(\"L\",";
        Quoted(data.Caption);
        out_ += ',';
        Quoted(data.Hint);
        out_ += ',';
        Quoted(data.Link);
        out_ += ");\r\n";
    }
}

std::string WriteMenuScript(const MenuTree& tree) { return ScriptWriter(tree).Write(); }

}  // namespace tavel
