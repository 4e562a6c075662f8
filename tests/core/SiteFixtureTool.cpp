// Builds what the browser tests open: a site created from the template
// project's menu, or the menu integrated into a page, exactly as the
// program's Create and Integrate do; or the template's runtime with one
// value written into every style slot, scheme line and gap, as New Menu and
// Page Design write them (style.js and design.js in the folder given). A
// menu data script given last replaces the template's menu.
//
//   tavel_site_fixture site <program folder> <project folder> link|digit [temp.js]
//   tavel_site_fixture integrate <program folder> <page> [temp.js]
//   tavel_site_fixture runtime <program folder> <folder> <value>
#include "design/PageDesignSettings.h"
#include "menu/ScriptReader.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/Preview.h"
#include "project/StartupLoad.h"
#include "project/StyleFile.h"
#include "project/Workspace.h"
#include "tools/CreateSite.h"
#include "tools/PageIntegration.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

int Usage() {
    std::fputs("usage: tavel_site_fixture site <program folder> <project folder> link|digit [temp.js]\n"
               "       tavel_site_fixture integrate <program folder> <page> [temp.js]\n"
               "       tavel_site_fixture runtime <program folder> <folder> <value>\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return Usage();
    const std::string command = argv[1];
    try {
        tavel::Workspace workspace(argv[2]);
        tavel::NoPreview preview;
        const tavel::StartupLoadResult loaded = tavel::LoadDefaultProject(workspace, preview);
        if (!loaded.failures.empty()) {
            std::fprintf(stderr, "%s\n", tavel::StartupFailureMessage(loaded.failures).c_str());
            return 1;
        }
        const auto useScript = [&](int index) {
            if (argc <= index) return;
            workspace.Texts().script = tavel::ReadTextFile(argv[index]);
            tavel::LoadTreeFromScript(workspace.Texts().script, workspace.Tree());
        };
        std::string message;
        if (command == "site" && (argc == 5 || argc == 6)) {
            useScript(5);
            workspace.SetProject(argv[3], "Shop");
            tavel::SiteOptions options;
            options.title.siteName = "Shop";
            options.linkNames = std::string(argv[4]) != "digit";
            message = tavel::SiteReportMessage(tavel::CreateSite(workspace, preview, options));
        } else if (command == "integrate" && (argc == 4 || argc == 5)) {
            useScript(4);
            message = tavel::IntegrateReportMessage(tavel::IntegrateMenu(workspace, argv[3]));
        } else if (command == "runtime" && argc == 5) {
            const std::string value = argv[4];
            const std::string& runtime = workspace.Texts().runtime;
            std::string styleFile = "Caption=odd\r\n";
            tavel::PageDesignSettings design;
            design.leftGap = design.rightGap = {true, value};
            design.scheme = "odd.csm";
            tavel::PageDesignFiles files;
            for (size_t slot = 1; slot <= tavel::kStyleSlots; ++slot) {
                styleFile += "Value=" + value + "\r\n";
                files.schemeLines += "var s" + std::to_string(slot) + " = \"" + value + "\";\r\n";
            }
            tavel::WriteTextFile(tavel::JoinPath(argv[3], "style.js"), tavel::RuntimeWithStyle(runtime, styleFile));
            tavel::WriteTextFile(tavel::JoinPath(argv[3], "design.js"),
                                 tavel::ApplyPageDesign({"", runtime}, design, files, tavel::ButtonLineForm::ProjectFolder).runtime);
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
