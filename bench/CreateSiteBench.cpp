#include "MenuFixtures.h"
#include "menu/ScriptWriter.h"
#include "platform/TextFile.h"
#include "project/Preview.h"
#include "project/Workspace.h"
#include "tools/CreateSite.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
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
// replaced atomically as the program writes it; with `writeLinks`, every
// page also carries its plain links (the top level and its own branch, as
// the whole menu is too large for each page), and the site map is written.
// The counter site_MB is the size of the folder the site fills.
void BM_CreateSite(benchmark::State& state, bool linkNames, bool writeLinks) {
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
    options.writeLinks = writeLinks;
    for (auto _ : state) {
        SiteReport report = CreateSite(workspace, preview, options);
        if (report.pagesWritten != static_cast<size_t>(state.range(0))) state.SkipWithError("pages missing");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(base + "/site"))
        if (entry.is_regular_file()) bytes += entry.file_size();
    state.counters["site_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK_CAPTURE(BM_CreateSite, link_names, true, false)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_CreateSite, digit_names, false, false)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_CreateSite, plain_links, true, true)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef TAVEL_EXECUTABLE
// The same site made by "tavel create-site" from a project folder on disk,
// as a script makes it: the process start, reading the project and its menu
// included. Set beside BM_CreateSite/link_names, the core call the Program
// Tools window makes.
void BM_CommandLineCreateSite(benchmark::State& state) {
    ScratchFolder folder;
    const std::string project = folder.path + "/site";
    std::filesystem::create_directory(project);
    MenuTree tree;
    BuildSiteMenu(tree, static_cast<size_t>(state.range(0)));
    const std::pair<const char*, std::string> files[] = {{"temp.js", WriteMenuScript(tree)},
                                                         {"index.htm", "<html></html>\r\n"},
                                                         {"stt.css", "a { }\r\n"},
                                                         {"sys.js", "function buildMenu(n) {}\r\n"}};
    for (const auto& [name, text] : files) WriteTextFile(project + "/" + name, text);
    const char* const arguments[] = {TAVEL_EXECUTABLE, "create-site",    project.c_str(),
                                     "--site-name",    "Bench",          "--no-plain-links",
                                     nullptr};
    // Its closing message would only clutter the table.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (::posix_spawn(&child, TAVEL_EXECUTABLE, &quiet, nullptr, const_cast<char* const*>(arguments), environ) != 0 ||
            ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("tavel create-site failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&quiet);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CommandLineCreateSite)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace
}  // namespace tavel::bench
