// Kills Create site with SIGKILL at random moments and checks what the disk
// holds after each kill: every page and project file whole, as one of the
// runs wrote it or as it was; nothing else in the folder but the hidden
// files a write keeps beside its targets; and the project opens, so the
// next run can start. A last run that is left to finish must then find and
// clear every leftover.
//
//   tavel_kill_check <work folder> [kills=20] [pages=10000] [seed]
#include "menu/MenuTree.h"
#include "platform/StagedFile.h"
#include "platform/TextFile.h"
#include "project/Preview.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"
#include "tools/CreateSite.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace tavel;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string Page(int run) { return "<html>run " + std::to_string(run) + "</html>\r\n"; }
std::string Sheet(int run) { return "A.menu { z-index : " + std::to_string(run) + "; }\r\n"; }
std::string SiteName(int run) { return "Run " + std::to_string(run); }

// A tree of `pages` leaves, a hundred under each top-level item, linked to
// p0.htm, p1.htm, ...
void BuildSiteTree(MenuTree& tree, size_t pages) {
    MenuItem* top = nullptr;
    for (size_t i = 0; i < pages; ++i) {
        if (i % 100 == 0)
            top = tree.AppendChild(nullptr, {MenuItemKind::Submenu, "Part " + std::to_string(i / 100), "", ""});
        tree.AppendChild(top, {MenuItemKind::Plain, "Item " + std::to_string(i), "", "p" + std::to_string(i) + ".htm"});
    }
}

// One run as the program makes it: the project opened from disk, its page
// and sheet edited, then Create site.
void CreateSiteRun(const std::string& work, const std::string& project, int run) {
    Workspace workspace(work);
    NoPreview preview;
    OpenProject(workspace, preview, project + "/temp.js");
    workspace.Texts().page = Page(run);
    workspace.Texts().styleSheet = Sheet(run);
    SiteOptions options;
    options.title.siteName = SiteName(run);
    // Whole files are the point here: pages without the menu's plain links
    // keep 10,000 of them small (with the links each would carry all 10,000).
    options.writeLinks = false;
    CreateSite(workspace, preview, options);
}

// Runs `run` in a child; kills it after `delay` unless it ends first.
// Whether it was killed, and how long it ran.
std::pair<bool, double> RunChild(const std::string& work, const std::string& project, int run,
                                 std::chrono::microseconds delay) {
    const auto start = Clock::now();
    const pid_t child = ::fork();
    if (child < 0) std::exit(2);
    if (child == 0) {
        try {
            CreateSiteRun(work, project, run);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "run %d: %s\n", run, error.what());
            ::_exit(1);
        }
        ::_exit(0);
    }
    int status = 0;
    bool killed = false;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (Clock::now() - start >= delay) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            killed = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (!killed && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) {
        std::fprintf(stderr, "run %d failed on its own\n", run);
        std::exit(1);
    }
    return {killed, std::chrono::duration<double>(Clock::now() - start).count()};
}

struct Check {
    size_t newest = 0;  // pages as the last run wrote them
    size_t older = 0;   // pages as an earlier run wrote them
    size_t leftovers = 0;
    std::vector<std::string> faults;
};

// Every file of the folder whole and accounted for, after runs 1 to `last`.
Check CheckFolder(const std::string& work, const std::string& project, const MenuTree& tree, int last) {
    Check check;
    std::map<std::string, std::vector<std::string>> allowed;  // file name -> whole versions
    for (int run = 1; run <= last; ++run) {
        allowed["index.htm"].push_back(Page(run));
        allowed["stt.css"].push_back(Sheet(run));
    }
    allowed["index.htm"].push_back(Page(0));
    allowed["stt.css"].push_back(Sheet(0));
    allowed["sys.js"].push_back("function buildMenu(name) {}\r\n");
    allowed["temp.js"].push_back(ReadTextFile(work + "expected.js"));
    std::map<std::string, const MenuItem*> pages;
    for (size_t i = 0; i < tree.Count(); ++i)
        if (!tree.ItemAt(i)->HasChildren()) pages[tree.ItemAt(i)->Data().link] = tree.ItemAt(i);

    for (const auto& entry : fs::directory_iterator(project)) {
        const std::string name = entry.path().filename().string();
        if (IsSideFileName(name)) {
            ++check.leftovers;
            continue;
        }
        const std::string bytes = ReadFileBytes(entry.path().string());
        if (const auto known = allowed.find(name); known != allowed.end()) {
            bool whole = false;
            for (const std::string& version : known->second) whole = whole || bytes == version;
            if (!whole) check.faults.push_back(name + " is not whole");
            continue;
        }
        const auto page = pages.find(name);
        if (page == pages.end()) {
            check.faults.push_back("stray file " + name);
            continue;
        }
        TitleFormat format;
        int writtenBy = 0;
        for (int run = last; run >= 1 && writtenBy == 0; --run) {
            format.siteName = SiteName(run);
            const std::string title = PageTitle(*page->second, format);
            if (bytes == SitePageText({"en", title})) writtenBy = run;
        }
        if (writtenBy == 0) check.faults.push_back(name + " is not whole");
        (writtenBy == last ? check.newest : check.older) += 1;
    }
    try {
        Workspace workspace(work);
        NoPreview preview;
        OpenProject(workspace, preview, project + "/temp.js");
        if (workspace.Tree().Count() != tree.Count()) check.faults.push_back("the project opens with another tree");
    } catch (const std::exception& error) {
        check.faults.push_back(std::string("the project does not open: ") + error.what());
    }
    return check;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <work folder> [kills] [pages] [seed]\n", argv[0]);
        return 2;
    }
    const std::string work = fs::absolute(argv[1]).string() + "/";
    const int kills = argc > 2 ? std::atoi(argv[2]) : 20;
    const size_t pages = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 10000;
    const unsigned seed = argc > 4 ? static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)) : std::random_device{}();
    std::printf("kill check: %d kills, %zu pages, seed %u\n", kills, pages, seed);
    const auto begin = Clock::now();

    const std::string project = work + "Site";
    fs::remove_all(project);
    fs::create_directories(project);
    Workspace workspace(work);
    NoPreview preview;
    workspace.SetProject(project, "Site");
    workspace.Texts() = {"", Page(0), Sheet(0), "function buildMenu(name) {}\r\n"};
    BuildSiteTree(workspace.Tree(), pages);
    SaveProjectTexts(workspace, preview, project);
    // The script every save writes: in link-name mode the links stay.
    WriteTextFile(work + "expected.js", workspace.Texts().script);

    // Two runs left to finish: the first writes every page, the second
    // replaces them as the later runs do and tells how long that takes; the
    // kills fall anywhere in that time and a little beyond.
    RunChild(work, project, 1, std::chrono::hours(1));
    const double full = RunChild(work, project, 2, std::chrono::hours(1)).second;
    std::printf("a whole run takes %.2f s\n", full);
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> moment(0, static_cast<long>(full * 1.1e6));
    int failures = 0;
    int run = 2;
    for (int kill = 1; kill <= kills; ++kill) {
        const auto delay = std::chrono::microseconds(moment(random));
        const bool killed = RunChild(work, project, ++run, delay).first;
        const Check check = CheckFolder(work, project, workspace.Tree(), run);
        std::printf("kill %2d at %6.3f s%s: %zu pages new, %zu older, %zu hidden leftovers%s\n", kill,
                    static_cast<double>(delay.count()) / 1e6, killed ? "" : " (run had ended)", check.newest,
                    check.older, check.leftovers, check.faults.empty() ? "" : ", FAULTY:");
        for (const std::string& fault : check.faults) std::printf("    %s\n", fault.c_str());
        failures += !check.faults.empty();
    }
    RunChild(work, project, ++run, std::chrono::hours(1));
    const Check last = CheckFolder(work, project, workspace.Tree(), run);
    std::printf("last run: %zu pages new, %zu older, %zu hidden leftovers\n", last.newest, last.older, last.leftovers);
    if (!last.faults.empty() || last.older != 0 || last.newest != pages || last.leftovers != 0) ++failures;
    std::printf("%s in %.1f s\n", failures == 0 ? "passed" : "FAILED",
                std::chrono::duration<double>(Clock::now() - begin).count());
    if (failures == 0) fs::remove_all(project);
    return failures == 0 ? 0 : 1;
}
