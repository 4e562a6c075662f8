#include "menu/ScriptReader.h"

#include "menu/BracketIndex.h"
#include "menu/MenuTree.h"
#include "menu/ScriptLines.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string>

namespace tavel {

namespace {

bool Escapable(char c) { return c == '"' || c == '\\'; }

}  // namespace

QuotedField NextQuotedField(std::string_view line, size_t position) {
    const size_t from = position == 0 ? 0 : position - 1;
    const size_t open = from < line.size() ? line.find('"', from) : std::string_view::npos;
    if (open == std::string_view::npos) return {{}, line.size() + 1};
    size_t close = line.find_first_of("\"\\", open + 1);
    while (close != std::string_view::npos && line[close] == '\\') {
        const bool escapes = close + 1 < line.size() && Escapable(line[close + 1]);
        close = line.find_first_of("\"\\", close + (escapes ? 2 : 1));
    }
    if (close == std::string_view::npos) return {line.substr(open + 1), line.size() + 1};
    return {line.substr(open + 1, close - open - 1), close + 2};
}

std::string FieldText(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (size_t at = field.find('\\'); at != std::string_view::npos; at = field.find('\\')) {
        const bool escapes = at + 1 < field.size() && Escapable(field[at + 1]);
        text += field.substr(0, escapes ? at : at + 1);
        if (escapes) text += field[at + 1];
        field.remove_prefix(at + (escapes ? 2 : 1));
    }
    text += field;
    return text;
}

namespace {

template <size_t N>
std::array<std::string, N> Fields(std::string_view line) {
    std::array<std::string, N> fields;
    size_t position = 1;
    for (auto& field : fields) {
        QuotedField next = NextQuotedField(line, position);
        field = FieldText(next.text);
        position = next.next;
    }
    return fields;
}

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
            auto [caption, link] = Fields<2>(lines_[i]);
            MenuItem* top = Append(nullptr, {MenuItemKind::Submenu, std::move(caption), kTopLevelHint, link});
            if (top == nullptr) break;
            lastTop_ = top;
            ReadSecondLevel(top, link, i);
        }
        tree_.Select(lastTop_);
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

    void ReadSecondLevel(MenuItem* top, std::string_view link, size_t after) {
        for (uint32_t j : LaterLinesWith(link, after)) {
            auto [letter, caption, hint, sublink] = Fields<4>(lines_[j]);
            const MenuItemKind kind = KindOfLetter(letter);
            MenuItem* item = Append(top, {kind, std::move(caption), std::move(hint), sublink});
            if (item == nullptr) return;
            if (kind != MenuItemKind::Submenu) continue;
            for (uint32_t k : LaterLinesWith(sublink, j)) {
                auto f = Fields<4>(lines_[k]);
                if (Append(item, {KindOfLetter(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3])}) == nullptr)
                    return;
            }
        }
    }

    // The kind a submenu entry's first field gives its item, by the field's
    // first letter. Any other letter, or none, makes a plain item: it opens no
    // submenu here and the page's runtime draws it as an entry.
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

    std::vector<std::string_view> lines_;
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
    if (script.size() >= UINT32_MAX) return {0, true};
    return Reader(script, tree, limits).Run();
}

}  // namespace tavel
