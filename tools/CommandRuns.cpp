#include "tools/CommandRuns.h"

#include "project/ProjectOperations.h"
#include "project/Workspace.h"
#include "tools/ExitStatus.h"
#include "tools/MenuImport.h"

namespace tavel {
namespace {

std::string Lines(const std::vector<std::string>& texts) {
    std::string lines;
    for (const std::string& text : texts) lines += text + "\n";
    return lines;
}

}  // namespace

CommandOutcome RunCreateSite(Workspace& workspace, Preview& preview, const CommandRequest& request,
                             const SiteProgress& progress) {
    const OpenResult opened = OpenNamedProject(workspace, preview, request.project);
    if (!opened.warnings.empty())
        throw CommandLineError(Lines(opened.warnings) + "Nothing was written; open the project in the window "
                                                        "to see what it holds.");
    SiteOptions options = request.site;
    options.title.siteName = request.siteName.value_or(DefaultSiteName(workspace));
    const bool force = request.force;
    const SiteReport report =
        CreateSite(workspace, preview, options, progress, [force](const std::vector<std::string>&) { return force; });
    using Outcome = SiteReport::Outcome;
    if (report.outcome == Outcome::KeptForeignPages)
        throw CommandLineError(SiteReportMessage(report) + "\nRun again with --force to replace them.");
    if (report.outcome == Outcome::BadLanguage) throw CommandLineError(SiteReportMessage(report));
    return {exitstatus::kDone, SiteReportMessage(report) + "\n", {}};
}

CommandOutcome RunIntegrate(Workspace& workspace, Preview& preview, const CommandRequest& request) {
    CommandOutcome outcome;
    outcome.warnings = Lines(OpenNamedProject(workspace, preview, request.project).warnings);
    const IntegrateReport report = IntegrateMenu(workspace, request.page, request.integrate);
    const std::string message = IntegrateDoneMessage(report);
    using Outcome = IntegrateReport::Outcome;
    if (report.outcome == Outcome::Refused || report.outcome == Outcome::NoPage) throw CommandLineError(message);
    (report.foreignCharset.empty() ? outcome.output : outcome.warnings) += message + "\n";
    return outcome;
}

CommandOutcome RunImport(Workspace& workspace, Preview& preview, const CommandRequest& request) {
    // The page is read first: one without a menu leaves the project unopened.
    auto navigation = ReadPageNavigation(request.page);
    CommandOutcome outcome;
    outcome.warnings = Lines(OpenNamedProject(workspace, preview, request.project).warnings);
    const ImportedMenu menu = navigation->MenuOf(navigation->Preselected());
    const NavigationCandidate chosen = navigation->Candidates()[navigation->Preselected()];
    const size_t count = navigation->Candidates().size();
    // The parse is let go before the tree is built: the two never take
    // memory at once.
    navigation.reset();
    ReplaceMenuTree(workspace, menu);
    // The whole menu is replaced, so a script read only in part is written
    // over as the command asked.
    workspace.ForgetPartlyRead();
    SaveProjectTexts(workspace, preview, workspace.ProjectFolder());
    outcome.output = "Imported " + std::to_string(menu.Size()) + (menu.Size() == 1 ? " menu item" : " menu items") + " from \"" + request.page + "\" (" +
                     chosen.place +
                     (count > 1 ? "; the page has " + std::to_string(count) + " navigations" : std::string()) +
                     ") into \"" + workspace.ProjectFilePath("temp.js") + "\".\n";
    if (const std::string notes = ImportNotesMessage(menu); !notes.empty()) outcome.warnings += notes + "\n";
    return outcome;
}

LinkCheckPlan PlanCheckLinks(Workspace& workspace, Preview& preview, const CommandRequest& request,
                             std::string& warnings) {
    warnings = Lines(OpenNamedProject(workspace, preview, request.project).warnings);
    LinkCheckPlan plan = PlanProjectLinkCheck(workspace);
    if (request.links.offline) LeaveOutWebLinks(plan);
    return plan;
}

}  // namespace tavel
