#include "tools/CreateSite.h"

#include "menu/MenuTree.h"
#include "platform/AtomicFileBatch.h"
#include "platform/Paths.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"
#include "tools/MenuLinks.h"

#include <memory>
#include <unordered_map>

namespace tavel {
namespace {

constexpr size_t kSkippedNamed = 5;
// Pages are put in place in groups, each flushed to disk as a whole:
// waiting for the disk once per page would make a large site take minutes.
constexpr size_t kPagesPerFlush = 1024;

struct PlannedPage {
    MenuItem* item;
    std::string name;
};

// The pages to write, in the order of a walk that visits an item before its
// children: one for every item without children but a separator, named by
// its link (an item whose link is no plain page name is skipped instead) or
// by its position in that walk.
std::vector<PlannedPage> PlanPages(const MenuTree& tree, bool linkNames, std::vector<SkippedItem>& skipped) {
    std::vector<PlannedPage> pages;
    size_t index = 0;
    std::vector<MenuItem*> pending;
    for (size_t row = tree.TopCount(); row-- > 0;) pending.push_back(tree.Top(row));
    while (!pending.empty()) {
        MenuItem* item = pending.back();
        pending.pop_back();
        const MenuItemData& data = item->Data();
        if (!item->HasChildren() && !IsSeparator(*item)) {
            if (!linkNames)
                pages.push_back({item, DigitPageName(index)});
            else if (IsPlainPageName(data.link))
                pages.push_back({item, data.link});
            else
                skipped.push_back({data.caption, data.link});
        }
        ++index;
        for (size_t row = item->ChildCount(); row-- > 0;) pending.push_back(item->Child(row));
    }
    return pages;
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
    const std::vector<PlannedPage> pages = PlanPages(tree, options.linkNames, report.skipped);
    report.pagesPlanned = pages.size();
    // Every page carries the same links, with the names the pages get.
    std::string links;
    if (options.writeLinks) {
        std::unordered_map<const MenuItem*, std::string> names;
        if (!options.linkNames)
            for (const PlannedPage& page : pages) names.emplace(page.item, page.name);
        links = MenuLinksBlock(tree, [&](const MenuItem& item) {
            const auto named = names.find(&item);
            return named == names.end() ? item.Data().link : named->second;
        });
    }

    // Each group of pages goes in place whole or not at all; the last group
    // goes together with the save that records the links digit names give,
    // so the tree and the saved script change only once every page is in.
    auto batch = std::make_unique<AtomicFileBatch>();
    // A link among the pages is written through only to a file inside the
    // folder: no write of Create leaves it.
    batch->KeepInside(folder);
    std::vector<std::pair<MenuItem*, std::string>> linksToGive;
    for (size_t done = 0; done < pages.size(); ++done) {
        if (progress && !progress(done, pages.size())) {
            report.outcome = SiteReport::Outcome::Cancelled;
            break;
        }
        const PlannedPage& page = pages[done];
        batch->Add(JoinPath(folder, page.name), SitePageText(PageTitle(*page.item, options.title), links));
        if (page.item->Data().link != page.name) linksToGive.emplace_back(page.item, page.name);
        if (batch->Pending() == kPagesPerFlush) {
            batch->Commit();
            report.pagesWritten += kPagesPerFlush;
            batch = std::make_unique<AtomicFileBatch>();
            batch->KeepInside(folder);
        }
    }
    if (progress && report.outcome != SiteReport::Outcome::Cancelled) progress(pages.size(), pages.size());

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

std::string DefaultSiteName(const Workspace& workspace) { return workspace.ProjectName(); }

std::string SiteReportMessage(const SiteReport& report) {
    using Outcome = SiteReport::Outcome;
    if (report.outcome == Outcome::NeedsSavedProject) return "Please, save project at first";
    std::string message;
    if (report.outcome == Outcome::Cancelled) {
        message = "Site creation stopped after " + std::to_string(report.pagesWritten) + " of " +
                  std::to_string(report.pagesPlanned) + " pages; the project was saved with the pages written.";
    } else {
        message = "Site succesfully created!";
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
