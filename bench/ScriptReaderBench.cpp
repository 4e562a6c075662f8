#include "MenuFixtures.h"
#include "menu/ScriptReader.h"
#include "menu/ScriptWriter.h"

#include <benchmark/benchmark.h>

namespace tavel::bench {
namespace {

void BM_LoadTreeFromScript(benchmark::State& state) {
    MenuTree source;
    BuildThreeLevelMenu(source, static_cast<size_t>(state.range(0)));
    const std::string script = WriteMenuScript(source);
    MenuTree tree;
    for (auto _ : state) {
        ScriptReadResult result = LoadTreeFromScript(script, tree);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(script.size()));
}
BENCHMARK(BM_LoadTreeFromScript)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavel::bench
