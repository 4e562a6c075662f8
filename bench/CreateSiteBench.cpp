#include "MenuFixtures.h"
#include "project/Preview.h"
#include "project/Workspace.h"
#include "tools/CreateSite.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tavel::bench {
namespace {

// `leaves` pages below 100 top-level items, each page linked by name.
void BuildSiteMenu(MenuTree& tree, size_t leaves) {
    const size_t tops = 100;
    for (size_t t = 0; t < tops; ++t) {
        MenuItem* top = tree.AppendChild(nullptr, {MenuItemKind::Submenu, "Section " + std::to_string(t), "", ""});
        for (size_t c = t; c < leaves; c += tops) {
            tree.AppendChild(top, {MenuItemKind::Plain, "Page " + std::to_string(c), "A page",
                                   "page" + std::to_string(c) + ".htm"});
        }
    }
}

// Create site into a fresh project folder on the local disk, every page
// replaced atomically as the program writes it.
void BM_CreateSite(benchmark::State& state, bool linkNames) {
    ScratchFolder folder;
    const std::string& base = folder.path;
    Workspace workspace(base + "/");
    workspace.Texts() = {"", "<html></html>\r\n", "a { }\r\n", "function buildMenu(n) {}\r\n"};
    workspace.SetProject(base + "/site", "Bench");
    BuildSiteMenu(workspace.Tree(), static_cast<size_t>(state.range(0)));
    NoPreview preview;
    SiteOptions options;
    options.title.siteName = "Bench";
    options.linkNames = linkNames;
    // The time to put pages in place, not to write ever larger ones: with the
    // plain links each page of a 10,000-item menu would carry all of them.
    options.writeLinks = false;
    for (auto _ : state) {
        SiteReport report = CreateSite(workspace, preview, options);
        if (report.pagesWritten != static_cast<size_t>(state.range(0))) state.SkipWithError("pages missing");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(BM_CreateSite, link_names, true)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_CreateSite, digit_names, false)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tavel::bench
