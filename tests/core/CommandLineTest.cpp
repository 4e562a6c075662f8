// The command line's rules without a process: the values it refuses, the
// link check's reports and exit statuses, the paths that name a project,
// the recent projects, and create-site's refusal of a menu it cannot read.
// What each command writes is compared with the window's in tests/cli.
#include "TestSupport.h"
#include "platform/FileError.h"
#include "project/ProjectOperations.h"
#include "project/RecentProjects.h"
#include "project/Workspace.h"
#include "tools/CommandRuns.h"
#include "tools/ExitStatus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace tavel {
namespace {

using namespace std::chrono_literals;
using Kind = LinkResultKind;

const OptionEntry& Option(const std::string& command, const std::string& name) {
    for (const OptionEntry& option : FindCommandEntry(command)->options)
        if (option.name == name) return option;
    throw std::logic_error("no option --" + name + " of " + command);
}

TEST(CommandLine, RefusesValuesItCannotUseAndNamesThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"format", "xml"}, {"format", "TSV"}, {"format", ""},  {"timeout", "0"},     {"timeout", "-1"},
        {"timeout", "abc"}, {"timeout", "5s"}, {"timeout", ""}, {"timeout", "86401"}, {"timeout", "nan"},
    };
    for (const auto& [option, value] : cases) {
        SCOPED_TRACE(std::string(option) + " " + value);
        CommandRequest request;
        const OptionEntry& entry = Option("check-links", option);
        const std::string given = value;
        const std::string message = test::ThrownMessage<CommandLineError>([&] { entry.set(request, given); });
        EXPECT_TRUE(test::Mentions(message, "--" + entry.name + ": \"" + given + "\""));
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

TEST(CommandLine, APathNamesAProjectByItsFolderOrItsPage) {
    test::TempFolder root;
    std::filesystem::create_directory(root.File("shop"));
    root.Write("shop/index.htm", "");
    root.Write("shop/temp.js", "");
    const std::string shop = root.File("shop/");
    EXPECT_EQ(ProjectFolderNamed(root.File("shop")), shop);
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
        const std::string named = path;
        const std::string message = test::ThrownMessage<FileError>([&] { ProjectFolderNamed(named); });
        EXPECT_TRUE(test::Mentions(message, "\"" + named + "\""));
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

// Where the window would have warned on opening the project, a save over
// its script could lose what the tree lacks.
TEST(CommandLine, CreateSiteRefusesAScriptItCannotReadAndWritesNothing) {
    test::TempFolder root;
    std::filesystem::create_directory(root.File("shop"));
    const std::map<std::string, std::string> files = {
        {"temp.js", "this is no menu\r\n"}, {"index.htm", "<p>page</p>"}, {"stt.css", ""}, {"sys.js", ""}};
    for (const auto& [name, text] : files) root.Write("shop/" + name, text);
    Workspace workspace(root.path());
    NoPreview preview;
    CommandRequest request;
    request.project = root.File("shop");
    const std::string message =
        test::ThrownMessage<CommandLineError>([&] { RunCreateSite(workspace, preview, request); });
    EXPECT_TRUE(test::Mentions(message, root.File("shop/temp.js")));
    EXPECT_TRUE(test::Mentions(message, "Nothing was written"));
    for (const auto& [name, text] : files) EXPECT_EQ(root.Read("shop/" + name), text);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.File("shop")), {}), 4);
}

}  // namespace
}  // namespace tavel
