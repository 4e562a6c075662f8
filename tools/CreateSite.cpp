#include "tools/CreateSite.h"

#include "menu/MenuTree.h"
#include "platform/AtomicFileBatch.h"
#include "platform/Paths.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"

#include <memory>

namespace tavel {
namespace {

constexpr size_t kSkippedNamed = 5;
// Pages are put in place in groups, each flushed to disk as a whole:
// waiting for the disk once per page would make a large site take minutes.
constexpr size_t kPagesPerFlush = 1024;

struct Leaf {
    MenuItem* item;
    size_t absoluteIndex;
};

// The items without children in the order of a walk that visits an item
// before its children, each with its position in that walk.
std::vector<Leaf> LeavesInWalkOrder(const MenuTree& tree) {
    std::vector<Leaf> leaves;
    size_t index = 0;
    std::vector<MenuItem*> pending;
    for (size_t row = tree.TopCount(); row-- > 0;) pending.push_back(tree.Top(row));
    while (!pending.empty()) {
        MenuItem* item = pending.back();
        pending.pop_back();
        if (!item->HasChildren()) leaves.push_back({item, index});
        ++index;
        for (size_t row = item->ChildCount(); row-- > 0;) pending.push_back(item->Child(row));
    }
    return leaves;
}

}  // namespace

SiteReport CreateSite(Workspace& workspace, Preview& preview, const SiteOptions& options,
                      const SiteProgress& progress) {
    SiteReport report;
    if (workspace.IsDefaultProject()) {
        report.outcome = SiteReport::Outcome::NeedsSavedProject;
        return report;
    }
    const std::string folder = workspace.ProjectFolder();
    SaveProjectTexts(workspace, preview, folder);

    MenuTree& tree = workspace.Tree();
    const std::vector<Leaf> leaves = LeavesInWalkOrder(tree);
    report.pagesPlanned = leaves.size();

    // Each group of pages goes in place whole or not at all; the last group
    // goes together with the save that records the links digit names give,
    // so the tree and the saved script change only once every page is in.
    auto batch = std::make_unique<AtomicFileBatch>();
    std::vector<std::pair<MenuItem*, std::string>> linksToGive;
    for (size_t done = 0; done < leaves.size(); ++done) {
        if (progress && !progress(done, leaves.size())) {
            report.outcome = SiteReport::Outcome::Cancelled;
            break;
        }
        MenuItem& item = *leaves[done].item;
        std::string name;
        if (options.linkNames) {
            if (IsSeparator(item)) continue;
            if (!IsPlainPageName(item.Data().link)) {
                report.skipped.push_back({item.Data().caption, item.Data().link});
                continue;
            }
            name = item.Data().link;
        } else {
            name = DigitPageName(leaves[done].absoluteIndex);
        }
        batch->Add(JoinPath(folder, name), SitePageText(PageTitle(item, options.title)));
        if (item.Data().link != name) linksToGive.emplace_back(&item, std::move(name));
        if (batch->Pending() == kPagesPerFlush) {
            batch->Commit();
            report.pagesWritten += kPagesPerFlush;
            batch = std::make_unique<AtomicFileBatch>();
        }
    }
    if (progress && report.outcome != SiteReport::Outcome::Cancelled) progress(leaves.size(), leaves.size());

    const size_t lastPages = batch->Pending();
    std::vector<std::pair<MenuItem*, MenuItemData>> linksBefore;
    try {
        for (auto& [item, name] : linksToGive) {
            linksBefore.emplace_back(item, item->Data());
            MenuItemData data = item->Data();
            data.link = std::move(name);
            tree.SetData(item, std::move(data));
        }
        ProjectSave save(workspace, folder, *batch);
        batch->Commit();
        save.Finish(preview);
    } catch (...) {
        // The pages of the groups before stay; the project stays as the
        // first save wrote it.
        for (auto& [item, data] : linksBefore) tree.SetData(item, std::move(data));
        throw;
    }
    report.pagesWritten += lastPages;
    return report;
}

std::string SiteReportMessage(const SiteReport& report) {
    using Outcome = SiteReport::Outcome;
    if (report.outcome == Outcome::NeedsSavedProject) return "Please, save project at first";
    std::string message;
    if (report.outcome == Outcome::Cancelled) {
        message = "Site creation stopped after " + std::to_string(report.pagesWritten) + " of " +
                  std::to_string(report.pagesPlanned) + " pages; the project was saved with the pages written.";
    } else if (report.skipped.empty()) {
        return "Site succesfully created!";
    } else {
        message = "Site created.";
    }
    if (!report.skipped.empty()) {
        message += "\n\n" + std::to_string(report.skipped.size()) +
                   (report.skipped.size() == 1 ? " item got no page: its link is" : " items got no page: their links are") +
                   " not a plain page name of the project folder (a web address, a path, empty, or one of the "
                   "project's own files):";
        for (size_t i = 0; i < report.skipped.size() && i < kSkippedNamed; ++i) {
            const SkippedItem& item = report.skipped[i];
            // A blank caption alone would leave a line the user cannot place.
            const bool blank = item.caption.find_first_not_of(" \t") == std::string::npos;
            message += "\n" + (blank ? std::string("(no caption)") : item.caption) + " (" +
                       (item.link.empty() ? "no link" : "\"" + item.link + "\"") + ")";
        }
        if (report.skipped.size() > kSkippedNamed)
            message += "\nand " + std::to_string(report.skipped.size() - kSkippedNamed) + " more.";
    }
    return message;
}

}  // namespace tavel
