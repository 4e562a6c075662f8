#include "tools/CreateSite.h"

#include "menu/MenuTree.h"
#include "platform/AtomicFileBatch.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/EditHistory.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"
#include "tools/MenuLinks.h"

#include <algorithm>
#include <memory>
#include <optional>
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

// The planned pages already in the folder that this program did not write.
std::vector<std::string> ForeignPages(const std::string& folder, const std::vector<std::string>& names) {
    std::vector<std::string> foreign;
    for (const std::string& name : names) {
        const std::string path = JoinPath(folder, name);
        if (!FileExists(path)) continue;
        if (!IsOwnSitePage(ReadFileBytes(path)) && std::find(foreign.begin(), foreign.end(), name) == foreign.end())
            foreign.push_back(name);
    }
    return foreign;
}

// Writes each page's links block: the whole menu when it is small enough,
// else the top level and the page's own branch, with a link to the site map.
class PageLinks {
public:
    PageLinks(const MenuTree& tree, ItemLink linkOf) : tree_(tree), linkOf_(std::move(linkOf)) {
        whole_ = MenuLinksLayout(tree_, linkOf_);
        fits_ = whole_.text.size() <= kLinksBlockLimit;
    }
    bool NeedsSiteMap() const { return !fits_; }
    const std::string& Whole() const { return whole_.text; }
    std::string For(const MenuItem& item) {
        if (fits_) return MarkedLinks(whole_, item);
        // Items of one list share their block, and come one after another
        // in the order pages are written: it is made once for them all.
        if (!branch_ || branchParent_ != item.Parent()) {
            branch_ = MenuLinksLayout(tree_, linkOf_, &item, kSiteMapName);
            branchParent_ = item.Parent();
        }
        return MarkedLinks(*branch_, item);
    }

private:
    const MenuTree& tree_;
    ItemLink linkOf_;
    LinksLayout whole_;
    bool fits_ = true;
    std::optional<LinksLayout> branch_;
    const MenuItem* branchParent_ = nullptr;
};

}  // namespace

std::string ReplaceQuestionText(const std::vector<std::string>& names) {
    std::string text = std::to_string(names.size()) +
                       (names.size() == 1 ? " page in the project folder was not written by Tavel Builder"
                                          : " pages in the project folder were not written by Tavel Builder") +
                       ", and Create site would replace " + (names.size() == 1 ? "it" : "them") + ":";
    for (size_t i = 0; i < names.size() && i < kSkippedNamed * 2; ++i) text += "\n" + names[i];
    if (names.size() > kSkippedNamed * 2) text += "\nand " + std::to_string(names.size() - kSkippedNamed * 2) + " more.";
    text += "\n\nReplace " + std::string(names.size() == 1 ? "it" : "them") + "? No writes nothing.";
    return text;
}

SiteReport CreateSite(Workspace& workspace, Preview& preview, const SiteOptions& options,
                      const SiteProgress& progress, const ReplaceQuestion& replaceForeign) {
    SiteReport report;
    if (workspace.IsDefaultProject()) {
        report.outcome = SiteReport::Outcome::NeedsSavedProject;
        return report;
    }
    const std::string language = options.language.empty() ? DefaultPageLanguage(workspace.Texts().page) : options.language;
    if (!IsLanguageTag(language)) {
        report.outcome = SiteReport::Outcome::BadLanguage;
        report.badLanguage = language;
        return report;
    }
    const std::string folder = workspace.ProjectFolder();
    MenuTree& tree = workspace.Tree();
    std::vector<PlannedPage> pages = PlanPages(tree, options.linkNames, report.skipped);

    // The links carry the names the pages get.
    std::unordered_map<const MenuItem*, std::string> names;
    if (!options.linkNames)
        for (const PlannedPage& page : pages) names.emplace(page.item, page.name);
    std::optional<PageLinks> links;
    if (options.writeLinks) {
        links.emplace(tree, [&names](const MenuItem& item) {
            const auto named = names.find(&item);
            return named == names.end() ? item.Data().link : named->second;
        });
    }
    const bool siteMap = links && links->NeedsSiteMap();
    if (siteMap) {
        // The site map's name is the site map's: an item linking it gets no page.
        std::erase_if(pages, [&](const PlannedPage& page) {
            if (page.name != kSiteMapName) return false;
            report.skipped.push_back({page.item->Data().caption, page.name});
            return true;
        });
    }
    report.pagesPlanned = pages.size();

    // The owner's own pages are asked about before anything is written.
    std::vector<std::string> toWrite;
    for (const PlannedPage& page : pages) toWrite.push_back(page.name);
    if (siteMap) toWrite.emplace_back(kSiteMapName);
    report.foreign = ForeignPages(folder, toWrite);
    if (!report.foreign.empty() && !(replaceForeign && replaceForeign(report.foreign))) {
        report.outcome = SiteReport::Outcome::KeptForeignPages;
        return report;
    }
    SaveProjectTexts(workspace, preview, folder);

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
        const std::string title = PageTitle(*page.item, options.title);
        const std::string block = links ? links->For(*page.item) : std::string();
        const std::string heading = links ? PageHeading(*page.item) : std::string();
        batch->Add(JoinPath(folder, page.name), SitePageText({language, title, block, heading}));
        if (page.item->Data().link != page.name) linksToGive.emplace_back(page.item, page.name);
        if (batch->Pending() == kPagesPerFlush) {
            batch->Commit();
            report.pagesWritten += kPagesPerFlush;
            batch = std::make_unique<AtomicFileBatch>();
            batch->KeepInside(folder);
        }
    }
    if (progress && report.outcome != SiteReport::Outcome::Cancelled) progress(pages.size(), pages.size());

    // Every link in one page, for a menu too large for every page to carry.
    if (siteMap && report.outcome != SiteReport::Outcome::Cancelled) {
        batch->Add(JoinPath(folder, kSiteMapName),
                   SitePageText({language, PlainHtmlText(options.title.siteName + " Site map"), links->Whole(), "Site map"}));
        report.siteMap = true;
    }
    const size_t lastPages = batch->Pending() - (report.siteMap ? 1 : 0);
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
    // The new links become one step of the history, after the save that
    // wrote them: Undo takes them back (and leaves the project modified).
    if (!linksBefore.empty()) {
        EditHistory& history = workspace.History();
        history.Begin(kDigitNamesEditName);
        for (auto& [item, before] : linksBefore) {
            MenuItemData after = item->Data();
            tree.SetData(item, std::move(before));
            history.SetData(item, std::move(after));
        }
        history.Commit();
        workspace.MarkSaved();
        report.linksReplaced = linksBefore.size();
    }
    return report;
}

std::string DefaultSiteName(const Workspace& workspace) { return workspace.ProjectName(); }

std::string SiteReportMessage(const SiteReport& report) {
    using Outcome = SiteReport::Outcome;
    if (report.outcome == Outcome::NeedsSavedProject) return "Please, save project at first";
    if (report.outcome == Outcome::BadLanguage)
        return "\"" + report.badLanguage + "\" is not a language tag (such as en, de or pt-BR); nothing was written.";
    if (report.outcome == Outcome::KeptForeignPages) {
        std::string message = "Nothing was written: these pages were not written by Tavel Builder and are kept:";
        for (size_t i = 0; i < report.foreign.size() && i < kSkippedNamed * 2; ++i) message += "\n" + report.foreign[i];
        if (report.foreign.size() > kSkippedNamed * 2)
            message += "\nand " + std::to_string(report.foreign.size() - kSkippedNamed * 2) + " more.";
        return message;
    }
    std::string message;
    if (report.outcome == Outcome::Cancelled) {
        message = "Site creation stopped after " + std::to_string(report.pagesWritten) + " of " +
                  std::to_string(report.pagesPlanned) + " pages; the project was saved with the pages written.";
    } else if (report.pagesWritten == 0 && !report.skipped.empty()) {
        // Every item was passed over: success would say otherwise.
        message = "No page was written; the project was saved.";
    } else {
        message = "Site succesfully created!";
    }
    if (!report.skipped.empty()) {
        message += "\n\n" + std::to_string(report.skipped.size()) +
                   (report.skipped.size() == 1 ? " item got no page: its link is" : " items got no page: their links are") +
                   " not a plain page name of the project folder (a web address, a path, empty, a hidden "
                   "name starting with a dot, or one of the project's own files):";
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
