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

class NoPreview : public Preview {
public:
    void Navigate(const std::string&) override {}
    void Reload() override {}
};

// A project folder of its own below the temporary folder, removed afterwards.
struct ProjectFolder {
    ProjectFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavel-bench-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        std::filesystem::create_directory(path + "/system");
    }
    ~ProjectFolder() { std::filesystem::remove_all(path); }
    std::string path;
};

// Save of a named project: the script generated from the tree, four files
// written by atomic replace (each flushed to disk).
void BM_SaveProject(benchmark::State& state) {
    ProjectFolder folder;
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
    ProjectFolder folder;
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
