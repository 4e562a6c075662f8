#pragma once

#include "tools/CommandLineTable.h"
#include "tools/LinkCheckPlan.h"

#include <string>

namespace tavel {

class Preview;
class Workspace;

// What a command run from the command line has to say: its result for
// standard output, warnings for standard error, and its exit status.
struct CommandOutcome {
    int status = 0;
    std::string output;
    std::string warnings;
};

// The commands of the command line on the request's project, which each
// opens into `workspace` first, through the core calls the Program Tools
// window makes and with the same defaults. A project or page that cannot be
// read, a page Integrate refuses and a failed write throw FileError or
// CommandLineError, whose message names the file; each leaves nothing half
// written.

// Create site. A project whose menu data script could not be read whole is
// refused before anything is written: the saves would write over what the
// tree lacks, where the window would have warned when it opened the project.
CommandOutcome RunCreateSite(Workspace& workspace, Preview& preview, const CommandRequest& request,
                             const SiteProgress& progress = {});

CommandOutcome RunIntegrate(Workspace& workspace, Preview& preview, const CommandRequest& request);

// Import: the menu tree replaced by the page's navigation (the one with
// the most links where it has several), and the project saved, all four
// files or none. A page without a menu is refused before anything changes.
CommandOutcome RunImport(Workspace& workspace, Preview& preview, const CommandRequest& request);

// The first half of check-links: the project opened and its links planned,
// the files checked; with `offline` the web addresses are settled as not
// checked. What opening the project had to say goes into `warnings`.
LinkCheckPlan PlanCheckLinks(Workspace& workspace, Preview& preview, const CommandRequest& request,
                             std::string& warnings);

}  // namespace tavel
