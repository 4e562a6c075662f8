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
    // Every page also carries the menu as plain links (MenuLinksBlock).
    bool writeLinks = true;
};

// Told before each page how many are done of how many; returning false
// stops the run before that page.
using SiteProgress = std::function<bool(size_t done, size_t total)>;

struct SkippedItem {
    std::string caption;
    std::string link;
};

struct SiteReport {
    enum class Outcome { NeedsSavedProject, Created, Cancelled };
    Outcome outcome = Outcome::Created;
    size_t pagesWritten = 0;
    size_t pagesPlanned = 0;  // the items that get a page
    // Items whose link names no page file of the project folder.
    std::vector<SkippedItem> skipped;
};

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
// files) stays as the first save left it.
SiteReport CreateSite(Workspace& workspace, Preview& preview, const SiteOptions& options,
                      const SiteProgress& progress = {});

// The site name a project's pages get unless the user names the site: the
// project's name.
std::string DefaultSiteName(const Workspace& workspace);

// What the user is told when the run ends: one message, "Site succesfully
// created!" followed by the skipped items when there are any.
std::string SiteReportMessage(const SiteReport& report);

}  // namespace tavel
