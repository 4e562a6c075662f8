// Builds what the browser tests open: a site created from the template
// project's menu, or the menu integrated into a page, exactly as the
// program's Create and Integrate do.
//
//   tavel_site_fixture site <program folder> <project folder> link|digit
//   tavel_site_fixture integrate <program folder> <page>
#include "project/Preview.h"
#include "project/StartupLoad.h"
#include "project/Workspace.h"
#include "tools/CreateSite.h"
#include "tools/PageIntegration.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

class NoPreview : public tavel::Preview {
public:
    void Navigate(const std::string&) override {}
    void Reload() override {}
};

int Usage() {
    std::fputs("usage: tavel_site_fixture site <program folder> <project folder> link|digit\n"
               "       tavel_site_fixture integrate <program folder> <page>\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return Usage();
    const std::string command = argv[1];
    try {
        tavel::Workspace workspace(argv[2]);
        NoPreview preview;
        const tavel::StartupLoadResult loaded = tavel::LoadDefaultProject(workspace, preview);
        if (!loaded.failures.empty()) {
            std::fprintf(stderr, "%s\n", tavel::StartupFailureMessage(loaded.failures).c_str());
            return 1;
        }
        std::string message;
        if (command == "site" && argc == 5) {
            workspace.SetProject(argv[3], "Shop");
            tavel::SiteOptions options;
            options.title.siteName = "Shop";
            options.linkNames = std::string(argv[4]) != "digit";
            message = tavel::SiteReportMessage(tavel::CreateSite(workspace, preview, options));
        } else if (command == "integrate" && argc == 4) {
            message = tavel::IntegrateReportMessage(tavel::IntegrateMenu(workspace.Texts(), argv[3]));
        } else {
            return Usage();
        }
        std::printf("%s\n", message.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
