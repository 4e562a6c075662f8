#include "MenuFixtures.h"
#include "project/Preview.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tavel::bench {
namespace {

// Save of a named project: the script generated from the tree, four files
// written by atomic replace (each flushed to disk).
void BM_SaveProject(benchmark::State& state) {
    ScratchFolder folder;
    Workspace workspace(folder.path);
    BuildThreeLevelMenu(workspace.Tree(), static_cast<size_t>(state.range(0)));
    workspace.Texts() = {"", "<html></html>\r\n", "A.menu {}\r\n", std::string(20'000, 'x')};
    workspace.SetProject(folder.path + "/Shop", "Shop");
    NoPreview preview;
    for (auto _ : state) SaveProjectTexts(workspace, preview, workspace.ProjectFolder());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveProject)->Arg(100000)->Unit(benchmark::kMillisecond);

// Open: four files read, the tree rebuilt from the script.
void BM_OpenProject(benchmark::State& state) {
    ScratchFolder folder;
    Workspace workspace(folder.path);
    BuildThreeLevelMenu(workspace.Tree(), static_cast<size_t>(state.range(0)));
    workspace.Texts() = {"", "<html></html>\r\n", "A.menu {}\r\n", std::string(20'000, 'x')};
    NoPreview preview;
    SaveProjectTexts(workspace, preview, folder.path + "/Shop");
    for (auto _ : state) {
        OpenResult result = OpenProject(workspace, preview, folder.path + "/Shop/temp.js");
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenProject)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavel::bench
