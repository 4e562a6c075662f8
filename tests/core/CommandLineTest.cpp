// The command line's rules without a process: what each option sets, the
// values it refuses, the link check's reports and exit statuses, the paths
// that name a project, the recent projects, and the refusals of the runs.
#include "TestSupport.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "project/ProjectOperations.h"
#include "project/RecentProjects.h"
#include "project/Workspace.h"
#include "tools/CommandRuns.h"
#include "tools/ExitStatus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

namespace tavel {
namespace {

using namespace std::chrono_literals;
using Kind = LinkResultKind;

const OptionSpec& Option(const std::string& command, const std::string& name) {
    for (const OptionSpec& option : FindCommandSpec(command)->options)
        if (option.name == name) return option;
    throw std::logic_error("no option --" + name + " of " + command);
}

TEST(CommandLine, EachOptionSetsItsOwnField) {
    struct Case {
        const char* command;
        const char* option;
        const char* value;
        bool (*took)(const CommandRequest&);
    };
    const Case cases[] = {
        {"create-site", "site-name", "Shop", [](const CommandRequest& r) { return r.siteName == "Shop"; }},
        {"create-site", "digit-names", "", [](const CommandRequest& r) { return !r.site.linkNames; }},
        {"create-site", "no-titles", "", [](const CommandRequest& r) { return !r.site.title.addTitles; }},
        {"create-site", "title-first", "A", [](const CommandRequest& r) { return r.site.title.first == "A"; }},
        {"create-site", "title-separator", "-", [](const CommandRequest& r) { return r.site.title.separator == "-"; }},
        {"create-site", "title-second", "B", [](const CommandRequest& r) { return r.site.title.second == "B"; }},
        {"create-site", "no-plain-links", "", [](const CommandRequest& r) { return !r.site.writeLinks; }},
        {"integrate", "no-plain-links", "", [](const CommandRequest& r) { return !r.integrate.writeLinks; }},
        {"check-links", "format", "json", [](const CommandRequest& r) { return r.links.format == LinkReportFormat::Json; }},
        {"check-links", "format", "tsv", [](const CommandRequest& r) { return r.links.format == LinkReportFormat::Tsv; }},
        {"check-links", "timeout", "2.5", [](const CommandRequest& r) { return r.links.timeout == 2500ms; }},
        {"check-links", "timeout", "0.0001", [](const CommandRequest& r) { return r.links.timeout == 1ms; }},
        {"check-links", "offline", "", [](const CommandRequest& r) { return r.links.offline; }},
    };
    std::set<std::string> covered;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " --" + c.option + " " + c.value);
        CommandRequest request;
        EXPECT_FALSE(c.took(request)) << "the default already holds it";
        Option(c.command, c.option).set(request, c.value);
        EXPECT_TRUE(c.took(request));
        covered.insert(std::string(c.command) + " --" + c.option);
    }
    for (const CommandSpec& spec : CommandSpecs())
        for (const OptionSpec& option : spec.options) EXPECT_TRUE(covered.contains(spec.name + " --" + option.name));
    // The defaults are the Program Tools window's.
    const CommandRequest defaults;
    EXPECT_EQ(defaults.site.title.first, "Title");
    EXPECT_EQ(defaults.links.timeout, kLinkRequestTimeout);
}

TEST(CommandLine, RefusesValuesItCannotUseAndNamesThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"format", "xml"}, {"format", "TSV"}, {"format", ""},  {"timeout", "0"},     {"timeout", "-1"},
        {"timeout", "abc"}, {"timeout", "5s"}, {"timeout", ""}, {"timeout", "86401"}, {"timeout", "nan"},
    };
    for (const auto& [option, value] : cases) {
        SCOPED_TRACE(std::string(option) + " " + value);
        CommandRequest request;
        const std::string message =
            test::ThrownMessage<CommandLineError>([&] { Option("check-links", option).set(request, value); });
        EXPECT_TRUE(test::Mentions(message, "--" + std::string(option) + ": \"" + value + "\""));
    }
    CommandRequest request;
    Option("check-links", "timeout").set(request, "86400");
    EXPECT_EQ(request.links.timeout, 86400s);
}

std::vector<LinkCheckRow> RowsOfEveryKind() {
    return {
        {"Home", "index.htm", LinkOk()},
        {"Shop > Moved", "http://a.test/", {Kind::Warning, "moved permanently to http://b.test/"}},
        {"Shop > Gone\tnow", "gone.htm", {Kind::Broken, "missing file"}},
        {"Caf\xe9", "http://c.test/\"q\"", {Kind::Broken, "timed out", true}},
        {"----------", "", NotChecked("separator")},
    };
}

TEST(CommandLine, LinkReportsGiveEveryRowTheSameFourFields) {
    const std::vector<LinkCheckRow> rows = RowsOfEveryKind();
    EXPECT_EQ(FormatLinkCheck(rows, LinkReportFormat::Tsv),
              "result\tlink\tplace\tdetail\n"
              "ok\tindex.htm\tHome\tOK\n"
              "warning\thttp://a.test/\tShop > Moved\tmoved permanently to http://b.test/\n"
              "broken\tgone.htm\tShop > Gone now\tmissing file\n"
              "unreachable\thttp://c.test/\"q\"\tCaf\xc3\xa9\ttimed out\n"
              "skipped\t\t----------\tnot checked: separator\n");
    EXPECT_EQ(FormatLinkCheck(rows, LinkReportFormat::Json),
              "[\n"
              "  {\"result\": \"ok\", \"link\": \"index.htm\", \"place\": \"Home\", \"detail\": \"OK\"},\n"
              "  {\"result\": \"warning\", \"link\": \"http://a.test/\", \"place\": \"Shop > Moved\", "
              "\"detail\": \"moved permanently to http://b.test/\"},\n"
              "  {\"result\": \"broken\", \"link\": \"gone.htm\", \"place\": \"Shop > Gone\\u0009now\", "
              "\"detail\": \"missing file\"},\n"
              "  {\"result\": \"unreachable\", \"link\": \"http://c.test/\\\"q\\\"\", \"place\": \"Caf\xc3\xa9\", "
              "\"detail\": \"timed out\"},\n"
              "  {\"result\": \"skipped\", \"link\": \"\", \"place\": \"----------\", \"detail\": \"not checked: separator\"}\n"
              "]\n");
    EXPECT_EQ(FormatLinkCheck({}, LinkReportFormat::Json), "[]\n");
    EXPECT_EQ(FormatLinkCheck(rows, LinkReportFormat::Text),
              "warning: Shop > Moved (http://a.test/): moved permanently to http://b.test/\n"
              "broken: Shop > Gone now (gone.htm): missing file\n"
              "unreachable: Caf\xc3\xa9 (http://c.test/\"q\"): timed out\n"
              "5 links: 1 OK, 1 warning, 1 broken, 1 unreachable, 1 not checked\n");
    // The window counts a server out of reach among the broken.
    EXPECT_EQ(LinkCheckSummary(rows), "5 links: 1 OK, 1 warning, 2 broken, 1 not checked");
}

TEST(CommandLine, LinkCheckExitStatusPutsBrokenBeforeUnreachable) {
    const std::vector<LinkCheckRow> all = RowsOfEveryKind();
    const auto status = [&](std::vector<size_t> picked) {
        std::vector<LinkCheckRow> rows;
        for (size_t i : picked) rows.push_back(all[i]);
        return LinkCheckExitStatus(rows);
    };
    EXPECT_EQ(status({}), exitstatus::kDone);
    EXPECT_EQ(status({0, 1, 4}), exitstatus::kDone);
    EXPECT_EQ(status({0, 3}), exitstatus::kLinksUnchecked);
    EXPECT_EQ(status({3, 2}), exitstatus::kBrokenLinks);
    EXPECT_EQ(status({2, 3}), exitstatus::kBrokenLinks);
    EXPECT_EQ(LinkCheckExitStatus(std::vector<LinkCheckRow>{{"Left", "http://d.test/", LinkPending()}}),
              exitstatus::kLinksUnchecked);
}

TEST(CommandLine, OfflineSettlesEveryWebLinkAndAsksNothing) {
    MenuTree tree;
    test::BuildTree(tree, {{0, MenuItemKind::Plain, "A", "", "http://a.test/"},
                           {0, MenuItemKind::Plain, "B", "", "b.htm"},
                           {0, MenuItemKind::Plain, "C", "", "https://a.test/x"}});
    test::TempFolder folder;
    LinkCheckPlan plan = PlanLinkCheck(tree, folder.path());
    LeaveOutWebLinks(plan);
    EXPECT_TRUE(plan.addresses.empty());
    EXPECT_EQ(plan.rows[0].result, NotChecked("web address, the check is offline"));
    EXPECT_EQ(plan.rows[1].result.kind, Kind::Broken);
    EXPECT_EQ(plan.rows[2].result, plan.rows[0].result);
}

TEST(CommandLine, APathNamesAProjectByItsFolderOrItsPage) {
    test::TempFolder root;
    std::filesystem::create_directory(root.File("shop"));
    root.Write("shop/index.htm", "");
    root.Write("shop/temp.js", "");
    const std::string shop = root.File("shop/");
    EXPECT_EQ(ProjectFolderNamed(root.File("shop")), shop);
    EXPECT_EQ(ProjectFolderNamed(root.File("shop/")), shop);
    EXPECT_EQ(ProjectFolderNamed(root.File("shop/./x/..")), shop);
    EXPECT_EQ(ProjectFolderNamed(root.File("shop/index.htm")), shop);
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(shop);
    EXPECT_EQ(ProjectFolderNamed("."), shop);
    std::filesystem::current_path(cwd);

    const std::pair<std::string, std::string> refused[] = {
        {root.File("shop/temp.js"), "is a file, not a project folder"},
        {root.File("none"), "There is no project folder"},
        {"", "There is no project folder \"\""},
    };
    for (const auto& [path, why] : refused) {
        const std::string message = test::ThrownMessage<FileError>([&] { ProjectFolderNamed(path); });
        EXPECT_TRUE(test::Mentions(message, "\"" + path + "\""));
        EXPECT_TRUE(test::Mentions(message, why));
    }
}

TEST(CommandLine, RecentProjectsKeepTheNewestEightOnceEach) {
    std::vector<std::string> recent;
    for (int i = 1; i <= 8; ++i) recent = WithRecentProject(recent, "/p" + std::to_string(i));
    EXPECT_EQ(recent.size(), kRecentProjectsKept);
    EXPECT_EQ(recent.back(), "/p1");
    recent = WithRecentProject(recent, "/p5/");
    EXPECT_EQ(recent, (std::vector<std::string>{"/p5/", "/p8", "/p7", "/p6", "/p4", "/p3", "/p2", "/p1"}));
    recent = WithRecentProject(recent, "/p9");
    EXPECT_EQ(recent.size(), kRecentProjectsKept);
    EXPECT_EQ(recent.back(), "/p2");
    EXPECT_EQ(WithRecentProject(recent, ""), recent);

    const RecentProjectsCheck check =
        CheckRecentProjects({"/a", "/b", "/c"}, [](const std::string& folder) { return folder != "/b"; });
    EXPECT_EQ(check.kept, (std::vector<std::string>{"/a", "/c"}));
    EXPECT_EQ(GoneProjectsLine(check.gone), "Taken off the recent projects, since it is no longer there: /b");
    EXPECT_EQ(GoneProjectsLine({}), "");
}

// A copy of a project whose files the test can compare before and after.
struct ProjectCopy {
    test::TempFolder root;
    std::string folder = root.File("shop");
    explicit ProjectCopy(const std::string& script) {
        std::filesystem::create_directory(folder);
        root.Write("shop/temp.js", script);
        root.Write("shop/index.htm", "<html><head><title>t</title></head><body></body></html>\r\n");
        root.Write("shop/stt.css", "A.menu {}\r\n");
        root.Write("shop/sys.js", "function buildMenu(n) {}\r\n");
    }
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            files[entry.path().filename().string()] = ReadTextFile(entry.path().string());
        return files;
    }
};

TEST(CommandLine, CreateSiteNamesTheSiteAfterTheProjectAndRefusesAScriptItCannotRead) {
    ProjectCopy copy(test::ExampleScript());
    Workspace workspace(copy.root.path());
    NoPreview preview;
    CommandRequest request;
    request.project = copy.folder;
    const CommandOutcome outcome = RunCreateSite(workspace, preview, request);
    EXPECT_EQ(outcome.status, exitstatus::kDone);
    EXPECT_TRUE(test::Mentions(outcome.output, "Site succesfully created!"));
    EXPECT_TRUE(test::Mentions(copy.root.Read("shop/editor.html"), "<title>shop Software :: Editor</title>"));

    ProjectCopy unreadable("this is no menu\r\n");
    const auto before = unreadable.Files();
    Workspace other(unreadable.root.path());
    request.project = unreadable.folder;
    const std::string message =
        test::ThrownMessage<CommandLineError>([&] { RunCreateSite(other, preview, request); });
    EXPECT_TRUE(test::Mentions(message, unreadable.folder + "/temp.js"));
    EXPECT_TRUE(test::Mentions(message, "Nothing was written"));
    EXPECT_EQ(unreadable.Files(), before);
}

TEST(CommandLine, IntegrateRefusesAPageWithoutItsTagsAndWritesNothing) {
    ProjectCopy copy(test::ExampleScript());
    copy.root.Write("page.htm", "<p>no title, no body</p>");
    Workspace workspace(copy.root.path());
    NoPreview preview;
    CommandRequest request;
    request.project = copy.folder;
    request.page = copy.root.File("page.htm");
    const std::string message = test::ThrownMessage<CommandLineError>([&] { RunIntegrate(workspace, preview, request); });
    EXPECT_TRUE(test::Mentions(message, "\"" + request.page + "\""));
    EXPECT_FALSE(FileExists(copy.root.File("temp.js")));
    EXPECT_EQ(copy.root.Read("page.htm"), "<p>no title, no body</p>");
}

}  // namespace
}  // namespace tavel
