#include "menu/ScriptReader.h"

#include "menu/BracketIndex.h"
#include "menu/MenuTree.h"
#include "menu/ScriptLines.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <vector>
#include <string>

namespace tavel {

namespace {

bool Escapable(char c) { return c == '"' || c == '\\'; }

// The field at or after the 1-based `position` of a line without escapes: it
// ends at the next double quote.
QuotedField PlainField(std::string_view line, size_t position) {
    const size_t from = position == 0 ? 0 : position - 1;
    const size_t open = from < line.size() ? line.find('"', from) : std::string_view::npos;
    if (open == std::string_view::npos) return {{}, line.size() + 1};
    const size_t close = line.find('"', open + 1);
    if (close == std::string_view::npos) return {line.substr(open + 1), line.size() + 1};
    return {line.substr(open + 1, close - open - 1), close + 2};
}

}  // namespace

QuotedField NextQuotedField(std::string_view line, size_t position) {
    const QuotedField plain = PlainField(line, position);
    // Most fields hold no backslash, and then the next quote closes them.
    size_t at = plain.text.find('\\');
    if (at == std::string_view::npos) return plain;
    const size_t open = static_cast<size_t>(plain.text.data() - line.data()) - 1;
    for (at += open + 1; at < line.size(); ++at) {
        if (line[at] == '"') return {line.substr(open + 1, at - open - 1), at + 2};
        if (line[at] == '\\' && at + 1 < line.size() && Escapable(line[at + 1])) ++at;
    }
    return {line.substr(open + 1), line.size() + 1};
}

std::string FieldText(std::string_view field) {
    size_t at = field.find('\\');
    if (at == std::string_view::npos) return std::string(field);
    std::string text;
    text.reserve(field.size());
    for (; at != std::string_view::npos; at = field.find('\\')) {
        const bool escapes = at + 1 < field.size() && Escapable(field[at + 1]);
        text += field.substr(0, escapes ? at : at + 1);
        if (escapes) text += field[at + 1];
        field.remove_prefix(at + (escapes ? 2 : 1));
    }
    text += field;
    return text;
}

namespace {

// The first N fields of a line, as they stand in it.
template <size_t N>
class LineFields {
public:
    explicit LineFields(std::string_view line) : plain_(line.find('\\') == std::string_view::npos) {
        size_t position = 1;
        for (auto& field : fields_) {
            const QuotedField next = plain_ ? PlainField(line, position) : NextQuotedField(line, position);
            field = next.text;
            position = next.next;
        }
    }

    std::string_view Raw(size_t i) const { return fields_[i]; }
    // A line without a backslash holds no escapes: each field is its own text.
    std::string Text(size_t i) const { return plain_ ? std::string(fields_[i]) : FieldText(fields_[i]); }

private:
    bool plain_;
    std::array<std::string_view, N> fields_;
};

class Reader {
public:
    Reader(std::string_view script, MenuTree& tree, const ScriptReadLimits& limits)
        : lines_(SplitScriptLines(script)),
          index_(lines_, limits.maxIndexEntries),
          tree_(tree),
          limits_(limits) {}

    ScriptReadResult Run() {
        for (size_t i : TopLevelLines()) {
            if (result_.truncated) break;
            const LineFields<2> fields(lines_[i]);
            MenuItem* top = Append(nullptr, {MenuItemKind::Submenu, fields.Text(0), kTopLevelHint, fields.Text(1)});
            if (top == nullptr) break;
            used_[i] = true;
            lastTop_ = top;
            ReadSecondLevel(top, i);
        }
        tree_.Select(lastTop_);
        CountDropped();
        return result_;
    }

private:
    // The lines after line 0 that hold "theMenu".
    std::vector<size_t> TopLevelLines() const {
        static constexpr std::string_view kTopName = "theMenu";
        std::vector<size_t> found;
        for (size_t i = 1; i < lines_.size(); ++i) {
            const std::string_view line = lines_[i];
            if (line.size() >= kTopName.size() &&
                ::memmem(line.data(), line.size(), kTopName.data(), kTopName.size()) != nullptr)
                found.push_back(i);
        }
        return found;
    }

    // The entries a top-level item's link names, and theirs in turn. An item's
    // link is looked up as it was read into the item, escapes undone.
    void ReadSecondLevel(MenuItem* top, size_t after) {
        for (uint32_t j : LaterLinesWith(top->Data().link, after)) {
            const LineFields<4> fields(lines_[j]);
            const MenuItemKind kind = KindOfLetter(fields.Raw(0));
            MenuItem* item = Append(top, {kind, fields.Text(1), fields.Text(2), fields.Text(3)});
            if (item == nullptr) return;
            used_[j] = true;
            if (kind != MenuItemKind::Submenu) continue;
            for (uint32_t k : LaterLinesWith(item->Data().link, j)) {
                const LineFields<4> third(lines_[k]);
                if (Append(item, {KindOfLetter(third.Raw(0)), third.Text(1), third.Text(2), third.Text(3)}) == nullptr)
                    return;
                used_[k] = true;
            }
        }
    }

    // The kind a submenu entry's first field gives its item, by the field's
    // first letter. Any other letter, or none, makes a plain item: it opens no
    // submenu here and the page's runtime draws it as an entry. The field as
    // it stands serves: an escape starts with a backslash and stands for a
    // quote or a backslash, none of them a kind letter.
    static MenuItemKind KindOfLetter(std::string_view field) {
        if (field.empty()) return MenuItemKind::Plain;
        switch (field.front()) {
            case 'M': return MenuItemKind::Submenu;
            case 'S': return MenuItemKind::Separator;
            default: return MenuItemKind::Plain;
        }
    }

    // The lines after `after` that hold the name followed by "[". An empty
    // name would be "[" alone, which every entry line holds: it names nothing.
    std::span<const uint32_t> LaterLinesWith(std::string_view name, size_t after) {
        if (name.empty() || result_.truncated) return {};
        std::string prefix(name);
        prefix += '[';
        const std::vector<uint32_t>* all = index_.LinesContaining(prefix);
        if (all == nullptr) {
            result_.truncated = true;
            return {};
        }
        auto first = std::upper_bound(all->begin(), all->end(), after);
        return {first, all->end()};
    }

    MenuItem* Append(MenuItem* parent, MenuItemData data) {
        const size_t bytes = data.caption.size() + data.hint.size() + data.link.size();
        if (result_.items >= limits_.maxItems || bytes > limits_.maxBytes - bytes_) {
            result_.truncated = true;
            return nullptr;
        }
        ++result_.items;
        bytes_ += bytes;
        return tree_.AppendChild(parent, std::move(data));
    }

    // A line that the writer writes and that holds no item.
    static bool IsDeclaration(std::string_view line) {
        return line.rfind("var ", 0) == 0 && line.find('"') == std::string_view::npos &&
               line.find("= new Array()") != std::string_view::npos;
    }

    void CountDropped() {
        for (size_t i = 0; i < lines_.size(); ++i) {
            const std::string_view line = lines_[i];
            if (used_[i] || line.find_first_not_of(" \t\r\n") == std::string_view::npos || IsDeclaration(line))
                continue;
            if (result_.droppedLines++ == 0) {
                result_.firstDroppedLine = i + 1;
                result_.firstDropped = std::string(line.substr(0, kShownLineLimit));
            }
        }
    }

    static constexpr size_t kShownLineLimit = 200;

    std::vector<std::string_view> lines_;
    std::vector<bool> used_ = std::vector<bool>(lines_.size());
    BracketIndex index_;
    MenuTree& tree_;
    const ScriptReadLimits& limits_;
    ScriptReadResult result_;
    size_t bytes_ = 0;
    MenuItem* lastTop_ = nullptr;
};

}  // namespace

ScriptReadResult LoadTreeFromScript(std::string_view script, MenuTree& tree, const ScriptReadLimits& limits) {
    MenuTree::BulkLoad load(tree);
    // Line numbers and positions are kept in 32 bits.
    if (script.size() >= UINT32_MAX) {
        ScriptReadResult tooLong;
        tooLong.truncated = true;
        return tooLong;
    }
    return Reader(script, tree, limits).Run();
}

}  // namespace tavel
