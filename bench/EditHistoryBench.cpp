#include "MenuFixtures.h"
#include "project/TreeCommands.h"
#include "project/Workspace.h"

#include <benchmark/benchmark.h>

namespace tavel::bench {
namespace {

// Undo of Delete of one submenu of state.range(0) items, the rest of the
// menu beside it: the taken subtree goes back whole, nothing is copied.
void BM_UndoDeleteOfSubmenu(benchmark::State& state) {
    Workspace workspace("/nowhere/");
    TreeCommands commands(workspace);
    MenuTree& tree = workspace.Tree();
    BuildThreeLevelMenu(tree, 10 * static_cast<size_t>(state.range(0)));
    workspace.ClearHistory();
    for (auto _ : state) {
        state.PauseTiming();
        tree.Select(tree.Top(4));
        commands.DeleteSelected();
        state.ResumeTiming();
        commands.Undo();
        // What the next look at the tree costs (the absolute indices for the
        // writer, the report or a drop) belongs to the undo as well.
        benchmark::DoNotOptimize(tree.Count());
    }
}
BENCHMARK(BM_UndoDeleteOfSubmenu)->Arg(10000)->Unit(benchmark::kMillisecond);

// Undo of a top-level move (the first section, with its whole submenu, to
// the end) in a menu of state.range(0) items.
void BM_UndoTopLevelMove(benchmark::State& state) {
    Workspace workspace("/nowhere/");
    TreeCommands commands(workspace);
    MenuTree& tree = workspace.Tree();
    BuildThreeLevelMenu(tree, static_cast<size_t>(state.range(0)));
    workspace.ClearHistory();
    for (auto _ : state) {
        state.PauseTiming();
        tree.Select(tree.Top(0));
        commands.Drop(nullptr, true);
        state.ResumeTiming();
        commands.Undo();
        benchmark::DoNotOptimize(tree.Count());
    }
}
BENCHMARK(BM_UndoTopLevelMove)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavel::bench
