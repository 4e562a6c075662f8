#include "MenuFixtures.h"
#include "menu/ScriptWriter.h"

#include <benchmark/benchmark.h>

namespace tavel::bench {
namespace {

// Writes the script of a three-level menu of range(0) items whose captions end
// in `captionEnd`.
void WriteOut(benchmark::State& state, std::string_view captionEnd) {
    MenuTree tree;
    BuildThreeLevelMenu(tree, static_cast<size_t>(state.range(0)), captionEnd);
    tree.Count();  // index the tree once, as a window would have by now
    for (auto _ : state) {
        std::string script = WriteMenuScript(tree);
        benchmark::DoNotOptimize(script);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_WriteMenuScript(benchmark::State& state) { WriteOut(state, {}); }
BENCHMARK(BM_WriteMenuScript)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Every caption holds two double quotes and a backslash, each written escaped.
void BM_WriteMenuScriptEscaped(benchmark::State& state) { WriteOut(state, kEscapedCaptionEnd); }
BENCHMARK(BM_WriteMenuScriptEscaped)->Arg(100000)->Unit(benchmark::kMillisecond);

// After an edit the absolute indices are rebuilt once, never per item.
void BM_WriteMenuScriptAfterEdit(benchmark::State& state) {
    MenuTree tree;
    BuildThreeLevelMenu(tree, static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        tree.SetExpanded(tree.Top(0), true);
        tree.MoveBefore(tree.Top(tree.TopCount() - 1), tree.Top(0));
        std::string script = WriteMenuScript(tree);
        benchmark::DoNotOptimize(script);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteMenuScriptAfterEdit)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavel::bench
