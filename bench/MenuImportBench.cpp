#include "project/Workspace.h"
#include "tools/HtmlDocument.h"
#include "tools/MenuImport.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <string>

namespace tavel::bench {
namespace {

constexpr size_t kPageBytes = 10 * 1024 * 1024;

// A flat page of about 10 MB that is one list of 100,000 links in three
// levels (10 x 100 x 100) in a <nav>, about 100 bytes a link, as a big
// site's map is written.
std::string NavigationPage() {
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Big</title></head>\n<body>\n<nav><ul>\n";
    size_t n = 0;
    for (int top = 0; top < 10; ++top) {
        const std::string part = std::to_string(top);
        page += "<li><a href=\"#\">Part " + part + "</a><ul>\n";
        for (int second = 0; second < 100; ++second) {
            const std::string chapter = std::to_string(second);
            page += "<li><button aria-expanded=\"false\">Chapter " + chapter + "</button><ul>\n";
            for (int third = 0; third < 100; ++third, ++n) {
                const std::string number = std::to_string(100000 + n);
                page += "<li><a href=\"part" + part + "/chapter" + chapter + "/page" + number + ".html\" title=\"Page " +
                        number + "\">Page " + number + " &amp; notes</a></li>\n";
            }
            page += "</ul></li>\n";
        }
        page += "</ul></li>\n";
    }
    page += "</ul></nav>\n";
    const std::string line = "<p>A line of the page's own text, <b>bold</b> in part, and plain again.</p>\n";
    while (page.size() + line.size() < kPageBytes - 64) page += line;
    return page + "</body></html>\n";
}

size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

size_t PeakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<size_t>(usage.ru_maxrss) * 1024;
}

// The page parsed, its navigation found and turned into the menu, the
// parse let go, and the menu put into the tree as the window's import does. The memory counter is
// the peak the first import added over what the process held before, as a
// multiple of the page's size.
void BM_ImportNavigationPage(benchmark::State& state) {
    const std::string page = NavigationPage();
    Workspace workspace("/nowhere/");
    double peakTimesPage = 0;
    size_t items = 0;
    for (auto _ : state) {
        const size_t before = ResidentBytes();
        // As a file read gives it: the page's own bytes, handed over.
        std::string bytes = page;
        auto navigation = std::make_unique<PageNavigation>(std::move(bytes), "big.htm");
        const ImportedMenu menu = navigation->MenuOf(navigation->Preselected());
        navigation.reset();
        ReplaceMenuTree(workspace, menu);
        items = menu.Size();
        if (peakTimesPage == 0) peakTimesPage = static_cast<double>(PeakResidentBytes() - before) / page.size();
        state.PauseTiming();
        workspace.ClearHistory();
        workspace.Tree().Clear();
        state.ResumeTiming();
    }
    state.counters["items"] = static_cast<double>(items);
    state.counters["peak_x_page"] = peakTimesPage;
    state.counters["page_MB"] = static_cast<double>(page.size()) / (1024 * 1024);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
}

// The parse alone, for comparison: the page's bytes through the HTML
// parser, with the same memory counter. Run each benchmark on its own for
// the memory figures: the peak is the process's.
void BM_ParseNavigationPage(benchmark::State& state) {
    const std::string page = NavigationPage();
    double peakTimesPage = 0;
    for (auto _ : state) {
        const size_t before = ResidentBytes();
        std::string bytes = page;
        HtmlDocument document(std::move(bytes), "big.htm");
        benchmark::DoNotOptimize(document.Root());
        if (peakTimesPage == 0) peakTimesPage = static_cast<double>(PeakResidentBytes() - before) / page.size();
    }
    state.counters["peak_x_page"] = peakTimesPage;
}
BENCHMARK(BM_ParseNavigationPage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCHMARK(BM_ImportNavigationPage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace tavel::bench
