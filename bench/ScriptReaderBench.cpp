#include "MenuFixtures.h"
#include "menu/ScriptReader.h"
#include "menu/ScriptWriter.h"

#include <benchmark/benchmark.h>

namespace tavel::bench {
namespace {

// Reads the script of a three-level menu of range(0) items whose captions end
// in `captionEnd`.
void ReadBack(benchmark::State& state, std::string_view captionEnd) {
    MenuTree source;
    BuildThreeLevelMenu(source, static_cast<size_t>(state.range(0)), captionEnd);
    const std::string script = WriteMenuScript(source);
    MenuTree tree;
    for (auto _ : state) {
        ScriptReadResult result = LoadTreeFromScript(script, tree);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(script.size()));
}

void BM_LoadTreeFromScript(benchmark::State& state) { ReadBack(state, {}); }
BENCHMARK(BM_LoadTreeFromScript)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Every caption holds two double quotes and a backslash, each read unescaped.
void BM_LoadTreeFromScriptEscaped(benchmark::State& state) { ReadBack(state, kEscapedCaptionEnd); }
BENCHMARK(BM_LoadTreeFromScriptEscaped)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavel::bench
