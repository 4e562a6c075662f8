#pragma once

#include "tools/SitePages.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tavel {

class Preview;
class Workspace;

// How Create site writes the pages. Default-constructed, these are what the
// Program Tools window starts with, but for the site name, which follows
// the project (DefaultSiteName).
struct SiteOptions {
    TitleFormat title;
    // Pages named by the items' links; otherwise by digit names, which then
    // become the items' links.
    bool linkNames = true;
    // Every page also carries the menu as plain links (MenuLinksBlock), a
    // skip link and a <main> with the item's caption as its heading.
    bool writeLinks = true;
    // The pages' language (IsLanguageTag); empty: the page template's
    // (DefaultPageLanguage).
    std::string language;
};

// Asked once, before anything is written, when pages the run would replace
// were not written by this program (IsOwnSitePage): their names. Yes
// replaces them; no, or no question to ask, writes nothing.
using ReplaceQuestion = std::function<bool(const std::vector<std::string>& names)>;

// The words of that question.
std::string ReplaceQuestionText(const std::vector<std::string>& names);

// No page's links block grows beyond this: a larger menu gives each page the
// top level and its own branch, and one more page, the site map, every link.
inline constexpr size_t kLinksBlockLimit = 64 * 1024;
inline constexpr std::string_view kSiteMapName = "sitemap.htm";

// Told before each page how many are done of how many; returning false
// stops the run before that page.
using SiteProgress = std::function<bool(size_t done, size_t total)>;

struct SkippedItem {
    std::string caption;
    std::string link;
};

struct SiteReport {
    enum class Outcome { NeedsSavedProject, Created, Cancelled, BadLanguage, KeptForeignPages };
    Outcome outcome = Outcome::Created;
    size_t pagesWritten = 0;
    size_t pagesPlanned = 0;  // the items that get a page
    // Items whose link names no page file of the project folder.
    std::vector<SkippedItem> skipped;
    // Pages of others the run would have replaced (KeptForeignPages) or did.
    std::vector<std::string> foreign;
    // Links that digit names replaced, one step of the edit history.
    size_t linksReplaced = 0;
    // Whether the menu was too large for every page: sitemap.htm was written.
    bool siteMap = false;
};

// The name the edit history gives the links that digit names replaced.
inline constexpr const char* kDigitNamesEditName = "Digit page names";

// Writes one page for every item without children into the open project's
// folder, between two saves of the project: the first puts the project's
// own files in place, the second records the links that digit names gave
// the items. Nothing is written outside that folder: in link-name mode an
// item whose link is not a plain page name gets no page and is reported. A
// separator gets no page in either mode, keeps its link and is not counted
// in the progress or the report. The default project
// writes nothing. A cancelled run keeps the pages written so far and still
// saves the project, so the script and the pages agree. Pages go in place in
// groups, each whole or not at all, the last one together with the second
// save. A failed write ends the run with FileError: the groups already in
// place stay, and the project (the tree with its links, the texts, the
// files) stays as the first save left it. The links digit names give are
// one step that Undo takes back. Pages of others are replaced only when
// `replaceForeign` says yes; otherwise nothing at all is written.
SiteReport CreateSite(Workspace& workspace, Preview& preview, const SiteOptions& options,
                      const SiteProgress& progress = {}, const ReplaceQuestion& replaceForeign = {});

// The site name a project's pages get unless the user names the site: the
// project's name.
std::string DefaultSiteName(const Workspace& workspace);

// What the user is told when the run ends: one message, "Site succesfully
// created!" followed by the skipped items when there are any.
std::string SiteReportMessage(const SiteReport& report);

}  // namespace tavel
