#include "tools/LinkCheckPlan.h"

#include "menu/MenuTree.h"
#include "platform/Paths.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"
#include "tools/FileLinkCheck.h"
#include "tools/SitePages.h"

#include <array>
#include <unordered_map>

namespace tavel {
namespace {

std::string Caption(const MenuItem& item) {
    const std::string& caption = item.Data().caption;
    return caption.find_first_not_of(" \t") == std::string::npos ? "(no caption)" : caption;
}

std::string Counted(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

void AppendField(std::string& text, const std::string& field) {
    for (char c : field) text += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
}

}  // namespace

LinkCheckPlan PlanLinkCheck(const MenuTree& tree, const std::string& folder) {
    LinkCheckPlan plan;
    std::unordered_map<std::string, size_t> addressIndex;
    const size_t count = tree.Count();
    plan.rows.reserve(count);
    for (size_t index = 0; index < count; ++index) {
        const MenuItem& item = *tree.ItemAt(index);
        LinkCheckRow row;
        const MenuItem* parent = item.Parent();
        row.place = parent == nullptr ? Caption(item)
                                      : plan.rows[tree.AbsoluteIndex(parent)].place + " > " + Caption(item);
        row.link = item.Data().link;
        if (IsSeparator(item)) {
            row.result = NotChecked("separator");
            row.isLink = false;
        } else if (item.HasChildren()) {
            // The menu opens the submenu there; the item's link is not used
            // (a menu read from a script holds the submenu's array name).
            row.link.clear();
            row.result = NotChecked("opens a submenu");
            row.isLink = false;
        } else {
            LinkRoute route = ClassifyLink(row.link);
            if (route.kind == LinkRoute::Kind::File) {
                row.result = CheckFileLink(folder, route.path);
            } else if (route.kind == LinkRoute::Kind::Web) {
                auto [it, added] = addressIndex.try_emplace(route.web.address, plan.addresses.size());
                if (added) {
                    plan.addresses.push_back(std::move(route.web));
                    plan.rowsOfAddress.emplace_back();
                }
                plan.rowsOfAddress[it->second].push_back(index);
                row.result = LinkPending();
            } else {
                row.result = std::move(route.result);
            }
        }
        plan.rows.push_back(std::move(row));
    }
    return plan;
}

LinkCheckPlan PlanProjectLinkCheck(const Workspace& workspace) {
    return PlanLinkCheck(workspace.Tree(), FolderOfPath(workspace.ProjectFilePath(projectfile::kPage)));
}

void LeaveOutWebLinks(LinkCheckPlan& plan) {
    for (const std::vector<size_t>& rows : plan.rowsOfAddress)
        for (size_t row : rows) plan.rows[row].result = NotChecked("web address, the check is offline");
    plan.addresses.clear();
    plan.rowsOfAddress.clear();
}

std::string LinkCheckSummary(std::span<const LinkCheckRow> rows, bool apartUnreachable) {
    // By kind, with the unreachable ones last.
    std::array<size_t, 5> counts{};
    size_t links = 0;
    for (const LinkCheckRow& row : rows) {
        if (!row.isLink) continue;
        ++links;
        if (row.result.kind == LinkResultKind::Pending) continue;
        ++counts[apartUnreachable && row.result.unreachable ? 4 : static_cast<size_t>(row.result.kind)];
    }
    std::string summary = Counted(links, "link", "links");
    const std::array<std::string, 5> parts{
        std::to_string(counts[0]) + " OK",
        Counted(counts[1], "warning", "warnings"),
        std::to_string(counts[2]) + " broken",
        std::to_string(counts[3]) + " not checked",
        std::to_string(counts[4]) + " unreachable",
    };
    const std::array<size_t, 5> order{0, 1, 2, 4, 3};
    const char* between = ": ";
    for (size_t kind : order) {
        if (counts[kind] == 0) continue;
        summary += between + parts[kind];
        between = ", ";
    }
    return summary;
}

std::string NetworkHint(std::span<const LinkResult> webResults) {
    if (webResults.size() < 2) return {};
    const LinkResult& first = webResults.front();
    if (!first.unreachable) return {};
    for (const LinkResult& result : webResults)
        if (result != first) return {};
    return "Every web link failed with \"" + first.text +
           "\": the network looks unreachable. Check the connection, then run the check again.";
}

std::string LinkCheckReport(std::span<const LinkCheckRow> rows) {
    std::string text = "Place\tLink\tResult\n";
    for (const LinkCheckRow& row : rows) {
        AppendField(text, row.place);
        text += '\t';
        AppendField(text, row.link);
        text += '\t';
        AppendField(text, row.result.text);
        text += '\n';
    }
    return text;
}

}  // namespace tavel
