#include "MenuFixtures.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "project/Workspace.h"
#include "tools/PageIntegration.h"

#include <benchmark/benchmark.h>

#include <string>

namespace tavel::bench {
namespace {

std::string Repeated(std::string_view piece, size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// A page of about `megabytes` MB of flat paragraphs.
std::string FlatPage(size_t megabytes) {
    const std::string line = "<p>A line of the page's own text, <b>bold</b> in part, <a href=\"x.htm\">a link</a>.</p>\n";
    return "<!DOCTYPE html>\n<html><head><title>Flat</title></head>\n<body>\n" +
           Repeated(line, megabytes * 1024 * 1024 / line.size()) + "</body></html>\n";
}

// One megabyte of script in a data: address.
std::string DataAttributePage() {
    return "<!DOCTYPE html>\n<html><head><title>Data</title><script src=\"data:text/javascript;base64," +
           Repeated("QUJD", 256 * 1024) + "\"></script></head>\n<body>\n<p>Text</p>\n</body></html>\n";
}

// Integrate into a fresh copy of the page each time: the page read, parsed,
// edited, and written with its three files beside it, flushed to disk.
void Integrate(benchmark::State& state, const std::string& page) {
    ScratchFolder folder;
    Workspace workspace(folder.path + "/");
    BuildThreeLevelMenu(workspace.Tree(), 100);
    workspace.Texts() = {"var theMenu = new Array();\r\n", "", "A.menu {\r\n  color : #FFF;\r\n}\r\n", "function buildMenu(n) {}\r\n"};
    const std::string path = folder.path + "/page.htm";
    for (auto _ : state) {
        state.PauseTiming();
        WriteTextFile(path, page);
        state.ResumeTiming();
        if (IntegrateMenu(workspace, path).outcome != IntegrateReport::Outcome::Integrated) state.SkipWithError("not integrated");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
}

void BM_IntegrateFlatPage(benchmark::State& state) { Integrate(state, FlatPage(static_cast<size_t>(state.range(0)))); }
BENCHMARK(BM_IntegrateFlatPage)->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IntegrateDataAttribute(benchmark::State& state) { Integrate(state, DataAttributePage()); }
BENCHMARK(BM_IntegrateDataAttribute)->Unit(benchmark::kMillisecond)->UseRealTime();

// A page of 100,000 nested lists is measured and refused before parsing.
void BM_RefuseDeepPage(benchmark::State& state) {
    ScratchFolder folder;
    Workspace workspace(folder.path + "/");
    const std::string path = folder.path + "/deep.htm";
    WriteTextFile(path, "<title>Deep</title><body>" + Repeated("<ul><li>", static_cast<size_t>(state.range(0))));
    for (auto _ : state) {
        try {
            IntegrateMenu(workspace, path);
            state.SkipWithError("a deep page was integrated");
        } catch (const FileError&) {
        }
    }
}
BENCHMARK(BM_RefuseDeepPage)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tavel::bench
