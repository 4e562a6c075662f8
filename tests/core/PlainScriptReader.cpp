#include "PlainScriptReader.h"

#include "menu/MenuTree.h"
#include "menu/ScriptLines.h"

#include <string>

namespace tavel::test {
namespace {

struct Budget {
    const ScriptReadLimits& limits;
    ScriptReadResult result;
    size_t bytes = 0;

    bool Take(const MenuItemData& d) {
        size_t more = d.caption.size() + d.hint.size() + d.link.size();
        if (result.items + 1 > limits.maxItems || bytes + more > limits.maxBytes) {
            result.truncated = true;
            return false;
        }
        ++result.items;
        bytes += more;
        return true;
    }
};

MenuItemData SubmenuRecord(std::string_view line) {
    QuotedField f1 = NextQuotedField(line, 1);
    QuotedField f2 = NextQuotedField(line, f1.next);
    QuotedField f3 = NextQuotedField(line, f2.next);
    QuotedField f4 = NextQuotedField(line, f3.next);
    const std::string letter = FieldText(f1.text);
    // "M" a submenu, "S" a separator, anything else (or nothing) a plain item.
    const char first = letter.empty() ? 'L' : letter[0];
    const MenuItemKind kind = first == 'M'   ? MenuItemKind::Submenu
                              : first == 'S' ? MenuItemKind::Separator
                                             : MenuItemKind::Plain;
    return {kind, FieldText(f2.text), FieldText(f3.text), FieldText(f4.text)};
}

}  // namespace

ScriptReadResult PlainLoadTreeFromScript(std::string_view script, MenuTree& tree,
                                         const ScriptReadLimits& limits) {
    tree.Clear();
    Budget budget{limits, {}};
    const auto lines = SplitScriptLines(script);
    const size_t count = lines.size();
    if (count < 2) return budget.result;
    MenuItem* lastTop = nullptr;
    for (size_t i = 1; i < count; ++i) {
        if (lines[i].find("theMenu") == std::string_view::npos) continue;
        QuotedField caption = NextQuotedField(lines[i], 1);
        QuotedField link = NextQuotedField(lines[i], caption.next);
        MenuItemData top{MenuItemKind::Submenu, FieldText(caption.text), "there is no hint here", FieldText(link.text)};
        if (!budget.Take(top)) break;
        tree.Select(lastTop = tree.AppendChild(nullptr, top));
        if (top.link.empty()) continue;
        const std::string prefix = top.link + "[";
        for (size_t j = i + 1; j < count && !budget.result.truncated; ++j) {
            if (lines[j].find(prefix) == std::string_view::npos) continue;
            MenuItemData record = SubmenuRecord(lines[j]);
            if (!budget.Take(record)) break;
            MenuItem* item = tree.AppendChild(tree.Selected(), record);
            if (record.kind != MenuItemKind::Submenu || record.link.empty()) continue;
            const std::string own = record.link + "[";
            tree.Select(item);
            for (size_t k = j + 1; k < count; ++k) {
                if (lines[k].find(own) == std::string_view::npos) continue;
                MenuItemData third = SubmenuRecord(lines[k]);
                if (!budget.Take(third)) break;
                tree.AppendChild(tree.Selected(), third);
            }
            tree.Select(item->Parent());
        }
        if (budget.result.truncated) break;
    }
    tree.Select(lastTop);
    return budget.result;
}

}  // namespace tavel::test
