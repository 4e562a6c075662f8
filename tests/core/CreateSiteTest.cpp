#include "tools/CreateSite.h"

#include "TestSupport.h"
#include "platform/FileError.h"
#include "project/Workspace.h"
#include "tools/MenuLinks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace tavel {
namespace {

using enum MenuItemKind;

namespace fs = std::filesystem;
using test::Row;

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.insert(fs::relative(entry.path(), folder).string());
    return names;
}

const std::set<std::string> kProjectFiles = {"temp.js", "index.htm", "stt.css", "sys.js"};

std::set<std::string> WithProjectFiles(std::set<std::string> names) {
    names.insert(kProjectFiles.begin(), kProjectFiles.end());
    return names;
}

class CreateSiteTest : public ::testing::Test {
protected:
    CreateSiteTest() : workspace(program.path() + "/") {
        fs::create_directory(program.File("system"));
        for (const std::string& name : kProjectFiles) program.Write("system/" + name, "template " + name + "\r\n");
        workspace.Texts() = {"", "<html>page</html>\r\n", "css\r\n", "js\r\n"};
        workspace.SetProject(projects.File("Shop"), "Shop");
    }

    std::string Project() const { return projects.File("Shop"); }
    std::string Page(const std::string& name) const { return projects.Read("Shop/" + name); }
    SiteReport Create(SiteOptions options, const SiteProgress& progress = {}) {
        return CreateSite(workspace, preview, options, progress);
    }
    // Without the plain links the pages are as they always were.
    static SiteOptions Digits() {
        SiteOptions options;
        options.title.siteName = "S";
        options.linkNames = false;
        options.writeLinks = false;
        return options;
    }

    test::TempFolder program;
    test::TempFolder projects;
    Workspace workspace;
    test::RecordingPreview preview;
};

TEST_F(CreateSiteTest, DigitNamesFollowAbsoluteIndicesAndBecomeTheLinks) {
    test::BuildTree(workspace.Tree(), {{0, Submenu, "A", "", "a.htm"},
                                       {1, Plain, "A1", "", ""},
                                       {1, Separator, "----------", "", ""},
                                       {0, Plain, "B", "", "b.htm"}});
    workspace.MarkModified();
    for (size_t run = 0; run < 2; ++run) {
        const SiteReport report = Create(Digits());
        EXPECT_EQ(SiteReportMessage(report), "Site succesfully created!");
        EXPECT_EQ(report.linksReplaced, run == 0 ? 2u : 0u);
        EXPECT_EQ(FilesIn(Project()), WithProjectFiles({"tavelitem1.htm", "tavelitem3.htm"}));
    }
    // The separator gets no page and keeps its empty link.
    EXPECT_EQ(test::RowsOf(workspace.Tree()), (std::vector<Row>{{0, Submenu, "A", "", "a.htm"},
                                                                {1, Plain, "A1", "", "tavelitem1.htm"},
                                                                {1, Separator, "----------", "", ""},
                                                                {0, Plain, "B", "", "tavelitem3.htm"}}));
    // The second save wrote the links into the project's script.
    EXPECT_NE(Page("temp.js").find("\"tavelitem3.htm\""), std::string::npos);
    EXPECT_FALSE(workspace.Modified());
    EXPECT_EQ(Page("tavelitem1.htm"),
              "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
              "content=\"width=device-width, initial-scale=1\"><meta name=\"generator\" content=\"Tavel Builder\">"
              "<title>S A :: A1</title><link rel=\"stylesheet\" href=\"stt.css\" type=\"text/css\"><script "
              "src=\"sys.js\"></script><script src=\"temp.js\"></script></head><body onLoad=\"buildMenu('theMenu')\">"
              "<div id=\"menuHolder\"></div></body></html>");
    // The links the first run gave are one step of the history, which the
    // second run (giving none) left alone.
    EXPECT_EQ(workspace.History().UndoName(), kDigitNamesEditName);
    workspace.History().Undo();
    workspace.FollowHistory();
    EXPECT_EQ(workspace.Tree().ItemAt(1)->Data().link, "");
    EXPECT_EQ(workspace.Tree().ItemAt(3)->Data().link, "b.htm");
    EXPECT_TRUE(workspace.Modified());
    // The template folder is never touched by a saved project.
    EXPECT_EQ(program.Read("system/temp.js"), "template temp.js\r\n");
}

TEST_F(CreateSiteTest, TitlesFollowTheFormatFields) {
    test::BuildTree(workspace.Tree(), {{0, Plain, "Top", "", ""},
                                       {0, Submenu, "P", "", ""},
                                       {1, Submenu, "Q", "", ""},
                                       {2, Plain, "C", "", ""}});
    struct Case {
        bool addTitles;
        std::string first, separator, second;
        std::string top, third;  // titles of tavelitem0.htm and tavelitem3.htm
    };
    const Case cases[] = {
        {true, "Title", " :: ", "Item", "S :: Top", "S Q :: C"},
        {true, "title", " :: ", "Item", "S title :: Top", "S title :: C"},
        {true, "", " :: ", "", "S ::", "S ::"},
        {true, "<b>A&B</b>", " <i>", "x</i> \"y\"", "S A&amp;B x &quot;y&quot;", "S A&amp;B x &quot;y&quot;"},
        {false, "Title", " :: ", "Item", "S", "S"},
    };
    for (const Case& c : cases) {
        SiteOptions options = Digits();
        options.title = {"S", c.addTitles, c.first, c.separator, c.second};
        Create(options);
        const auto title = [&](const std::string& name) {
            const std::string page = Page(name);
            const size_t from = page.find("<title>") + 7;
            return page.substr(from, page.find("</title>") - from);
        };
        EXPECT_EQ(title("tavelitem0.htm"), c.top) << c.first << c.second;
        EXPECT_EQ(title("tavelitem3.htm"), c.third) << c.first << c.second;
    }
}

TEST_F(CreateSiteTest, LinkNamesWriteOnlyPlainPagesOfTheProjectFolder) {
    test::BuildTree(workspace.Tree(), {{0, Submenu, "Hostile", "", ""},
                                       {1, Plain, "Up", "", "../x.htm"},
                                       {1, Plain, "Root", "", "/etc/x"},
                                       {1, Plain, "Abs", "", projects.File("outside.htm")},
                                       {1, Plain, "Deep", "", "a/b.htm"},
                                       {1, Plain, "Web", "", "http://x"},
                                       {1, Plain, "Empty", "", ""},
                                       {1, Separator, "----------", "", ""},
                                       {1, Plain, "Own", "", "STT.CSS"},
                                       {0, Submenu, "Fine", "", ""},
                                       {1, Plain, "First", "", "page.htm"},
                                       {1, Plain, "----------", "", ""},
                                       {1, Plain, "Second", "", "page.htm"},
                                       {1, Plain, "Other", "", "other page.html"}});
    const SiteReport report = Create(SiteOptions{{"S"}, true, true, ""});
    EXPECT_EQ(report.outcome, SiteReport::Outcome::Created);
    EXPECT_EQ(report.pagesWritten, 3u);
    EXPECT_EQ(FilesIn(projects.path()), std::set<std::string>({"Shop", "Shop/temp.js", "Shop/index.htm",
                                                               "Shop/stt.css", "Shop/sys.js", "Shop/page.htm",
                                                               "Shop/other page.html"}));
    // The later of two items with one link keeps the page; the project's own
    // files are the project's, not pages.
    EXPECT_NE(Page("page.htm").find("<title>S Fine :: Second</title>"), std::string::npos);
    EXPECT_EQ(Page("stt.css"), "css\r\n");

    ASSERT_EQ(report.skipped.size(), 7u);  // separators are not counted
    const std::string message = SiteReportMessage(report);
    EXPECT_EQ(message.rfind("Site succesfully created!\n\n7 items got no page: their links are not a plain page name", 0), 0u)
        << message;
    EXPECT_NE(message.find("Up (\"../x.htm\")\nRoot (\"/etc/x\")"), std::string::npos) << message;
    EXPECT_NE(message.find("and 2 more."), std::string::npos) << message;
}

TEST_F(CreateSiteTest, EmptyTreeStillSavesTheProjectAndSucceeds) {
    EXPECT_EQ(SiteReportMessage(Create(Digits())), "Site succesfully created!");
    EXPECT_EQ(FilesIn(Project()), kProjectFiles);
}

// A menu of web addresses gets no page: the message does not call that a
// created site.
TEST_F(CreateSiteTest, NoPageWrittenIsNotReportedAsACreatedSite) {
    test::BuildTree(workspace.Tree(), {{0, Plain, "Web", "", "https://example.org/"}});
    SiteOptions options = Digits();
    options.linkNames = true;
    const std::string message = SiteReportMessage(Create(options));
    EXPECT_EQ(message.rfind("No page was written; the project was saved.\n\n1 item got no page", 0), 0u) << message;
    EXPECT_EQ(FilesIn(Project()), kProjectFiles);
}

TEST_F(CreateSiteTest, TheDefaultProjectWritesNothing) {
    workspace.SetProject("", "");
    test::BuildTree(workspace.Tree(), {{0, Plain, "A", "", "a.htm"}});
    EXPECT_EQ(Create(Digits()).outcome, SiteReport::Outcome::NeedsSavedProject);
    EXPECT_EQ(FilesIn(program.File("system")), kProjectFiles);
    EXPECT_EQ(program.Read("system/temp.js"), "template temp.js\r\n");
    EXPECT_EQ(workspace.Tree().Top(0)->Data().link, "a.htm");
}

TEST_F(CreateSiteTest, CancellingKeepsThePagesWrittenAndSavesTheirLinks) {
    test::BuildTree(workspace.Tree(), {{0, Plain, "A", "", "a.htm"},
                                       {0, Separator, "----------", "", ""},
                                       {0, Plain, "Web", "", "http://x"},
                                       {0, Plain, "B", "", "b.htm"},
                                       {0, Plain, "C", "", "c.htm"}});
    // Only the items that get a page count: no separator, and by link
    // names no item whose link is not a page's name.
    for (const bool linkNames : {true, false}) {
        SiteOptions options = Digits();
        options.linkNames = linkNames;
        std::vector<std::pair<size_t, size_t>> told;
        const size_t pages = linkNames ? 3 : 4;
        const SiteReport report = Create(options, [&](size_t done, size_t total) {
            told.emplace_back(done, total);
            return done < pages - 1;
        });
        EXPECT_EQ(told.size(), pages);
        EXPECT_EQ(told.back(), (std::pair<size_t, size_t>{pages - 1, pages}));
        EXPECT_TRUE(test::Mentions(SiteReportMessage(report), "Site creation stopped after " + std::to_string(pages - 1) +
                                                                  " of " + std::to_string(pages) + " pages;"));
    }
    EXPECT_EQ(FilesIn(Project()), WithProjectFiles({"a.htm", "b.htm", "tavelitem0.htm", "tavelitem2.htm", "tavelitem3.htm"}));
    EXPECT_NE(Page("temp.js").find("tavelitem3.htm"), std::string::npos);
    EXPECT_NE(Page("temp.js").find("\"c.htm\""), std::string::npos);
}

TEST_F(CreateSiteTest, PagesCarryTheMenuAsLinksWithTheirOwnMarkedAndAHeading) {
    // A Windows-1252 project: its captions are the code page's bytes.
    test::BuildTree(workspace.Tree(), {{0, Submenu, "Caf\xE9", "", ""},
                                       {1, Plain, "\xDC" "ber", "About", "old.htm"},
                                       {1, Separator, "----------", "", ""},
                                       {0, Plain, "Web", "", "http://x"}});
    SiteOptions options = Digits();
    options.writeLinks = true;
    for (int run = 0; run < 2; ++run) Create(options);
    const std::string page = Page("tavelitem1.htm");
    EXPECT_TRUE(test::Mentions(page, "<title>S Caf&#233; :: &#220;ber</title>"));
    const auto body = [](const std::string& own, const std::string& branch, const std::string& web,
                         const std::string& heading) {
        return "<body onLoad=\"buildMenu('theMenu')\"><a class=\"tvm-skip\" href=\"#tvm-main\">Skip to content</a>" +
               std::string(menulinks::kBegin) +
               "<nav class=\"tvm-links\" aria-label=\"Site menu\" style=\"line-height:1.75\"><ul><li" + branch +
               ">Caf&#233;<ul><li><a" + own + " href=\"tavelitem1.htm\" title=\"About\">&#220;ber</a></li><li "
               "role=\"separator\"></li></ul></li><li><a" + web + " href=\"tavelitem3.htm\">Web</a></li></ul></nav>" +
               std::string(menulinks::kEnd) + "<div id=\"menuHolder\"></div><main id=\"tvm-main\" class=\"page\"><h1>" + heading +
               "</h1></main></body></html>";
    };
    const std::string current = " aria-current=\"page\"";
    EXPECT_EQ(page.substr(page.find("<body")), body(current, " class=\"tvm-here\"", "", "&#220;ber"));
    const std::string web = Page("tavelitem3.htm");
    EXPECT_EQ(web.substr(web.find("<body")), body("", "", current, "Web"));
}

TEST_F(CreateSiteTest, PagesOfOthersAreReplacedOnlyWhenTheQuestionSaysYes) {
    test::BuildTree(workspace.Tree(), {{0, Plain, "A", "", "a.htm"},
                                       {0, Plain, "B", "", "b.htm"},
                                       {0, Plain, "Hidden", "", ".htaccess"}});
    fs::create_directories(Project());
    projects.Write("Shop/a.htm", "<html><body>My own page</body></html>");
    projects.Write("Shop/b.htm", SitePageText({"en", "Older run"}));
    struct Case {
        bool question, answer;
        SiteReport::Outcome outcome;
        std::string pageA;  // what a.htm holds after the run
    };
    const Case cases[] = {
        {false, false, SiteReport::Outcome::KeptForeignPages, "My own page"},
        {true, false, SiteReport::Outcome::KeptForeignPages, "My own page"},
        {true, true, SiteReport::Outcome::Created, "Tavel Builder"},
    };
    for (const Case& c : cases) {
        std::vector<std::vector<std::string>> asked;
        const SiteReport report =
            CreateSite(workspace, preview, SiteOptions{{"S"}, true, false, ""}, {},
                       c.question ? ReplaceQuestion([&](const std::vector<std::string>& names) {
                           asked.push_back(names);
                           return c.answer;
                       })
                                  : ReplaceQuestion());
        EXPECT_EQ(report.outcome, c.outcome);
        // One question, naming only the page the program did not write.
        EXPECT_EQ(asked, c.question ? std::vector<std::vector<std::string>>{{"a.htm"}}
                                    : std::vector<std::vector<std::string>>{});
        EXPECT_TRUE(test::Mentions(Page("a.htm"), c.pageA));
        // Kept, nothing at all is written, not even the project.
        EXPECT_EQ(fs::exists(Project() + "/temp.js"), c.outcome == SiteReport::Outcome::Created);
    }
    SiteReport kept;
    kept.outcome = SiteReport::Outcome::KeptForeignPages;
    kept.foreign = {"a.htm"};
    EXPECT_EQ(SiteReportMessage(kept),
              "Nothing was written: these pages were not written by Tavel Builder and are kept:\na.htm");
    // A hidden name is refused, and said so.
    EXPECT_FALSE(fs::exists(Project() + "/.htaccess"));
    const SiteReport again = Create(SiteOptions{{"S"}, true, false, ""});
    ASSERT_EQ(again.skipped.size(), 1u);
    EXPECT_TRUE(test::Mentions(SiteReportMessage(again), "a hidden name starting with a dot"));
}

TEST_F(CreateSiteTest, AMenuTooLargeForEveryPageGivesEachItsBranchAndWritesASiteMap) {
    // Three submenus of 400 items with long captions: the whole menu is
    // well over the limit of a page's block, one submenu well under it.
    std::vector<test::Row> rows;
    for (int top = 0; top < 3; ++top) {
        rows.push_back({0, Submenu, "Top " + std::to_string(top), "", ""});
        for (int i = 0; i < 400; ++i)
            rows.push_back({1, Plain, "A rather long caption for item " + std::to_string(i), "",
                            "p" + std::to_string(top) + "_" + std::to_string(i) + ".htm"});
    }
    rows.push_back({0, Plain, "Map", "", "sitemap.htm"});
    test::BuildTree(workspace.Tree(), rows);
    SiteOptions options{{"S"}, true, true, ""};
    // A site map of the user's own is asked about like any page.
    fs::create_directories(Project());
    projects.Write("Shop/sitemap.htm", "<html><body>My map</body></html>");
    EXPECT_EQ(Create(options).foreign, std::vector<std::string>{"sitemap.htm"});
    fs::remove(Project() + "/sitemap.htm");
    const SiteReport report = Create(options);
    EXPECT_TRUE(report.siteMap);
    EXPECT_EQ(report.pagesWritten, 1200u);
    // The site map's name is taken: the item linking it gets no page.
    ASSERT_EQ(report.skipped.size(), 1u);
    EXPECT_EQ(report.skipped[0].link, "sitemap.htm");
    const auto block = [](const std::string& page) {
        const size_t from = page.find(menulinks::kBegin);
        return page.substr(from, page.find(menulinks::kEnd) - from);
    };
    const std::string page = Page("p1_7.htm");
    EXPECT_LE(block(page).size(), kLinksBlockLimit);
    // Its own branch and the top level, not the other branches; the site map.
    EXPECT_TRUE(test::Mentions(page, "<a aria-current=\"page\" href=\"p1_7.htm\">"));
    EXPECT_TRUE(test::Mentions(page, "href=\"p1_399.htm\""));
    EXPECT_TRUE(test::Mentions(page, "Top 2"));
    EXPECT_FALSE(test::Mentions(page, "href=\"p2_0.htm\""));
    EXPECT_TRUE(test::Mentions(page, "<a href=\"sitemap.htm\">Site map</a>"));
    const std::string map = Page("sitemap.htm");
    EXPECT_GT(block(map).size(), kLinksBlockLimit);
    for (const char* link : {"p0_0.htm", "p1_7.htm", "p2_399.htm"}) EXPECT_TRUE(test::Mentions(map, link)) << link;

    // The same menu a third the size fits every page: no site map.
    rows.resize(401);
    workspace.Tree().Clear();
    test::BuildTree(workspace.Tree(), rows);
    fs::remove(Project() + "/sitemap.htm");
    EXPECT_FALSE(Create(options).siteMap);
    EXPECT_FALSE(fs::exists(Project() + "/sitemap.htm"));
}

TEST_F(CreateSiteTest, AFailedPageEndsTheRunWithTheProjectAsTheFirstSaveLeftIt) {
    test::BuildTree(workspace.Tree(),
                    {{0, Plain, "A", "", "a.htm"}, {0, Plain, "B", "", "b.htm"}, {0, Plain, "C", "", "c.htm"}});
    workspace.MarkModified();
    fs::create_directories(projects.File("Shop/tavelitem1.htm"));
    try {
        Create(Digits());
        FAIL() << "a folder in the way of a page must end the run";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), projects.File("Shop") + "/tavelitem1.htm");
    }
    EXPECT_EQ(FilesIn(Project()), WithProjectFiles({"tavelitem1.htm"})) << "the group goes in whole or not at all";
    EXPECT_EQ(workspace.Tree().Top(0)->Data().link, "a.htm");
    EXPECT_FALSE(workspace.Modified()) << "the first save wrote the tree as it stands";
    EXPECT_NE(Page("temp.js").find("\"a.htm\""), std::string::npos);
}

// A page that is a link leading out of the project folder ends the run
// with a message naming it, even when the user agreed to replace it; the
// file outside stays as it was.
TEST_F(CreateSiteTest, NoPageIsWrittenThroughALinkOutOfTheFolder) {
    test::BuildTree(workspace.Tree(), {{0, Plain, "A", "", "a.htm"}});
    fs::create_directories(Project());
    program.Write("outside.htm", "the owner's");
    fs::create_symlink(program.File("outside.htm"), projects.File("Shop/a.htm"));
    SiteOptions options = Digits();
    options.linkNames = true;
    const std::string message = test::ThrownMessage<FileError>(
        [&] { CreateSite(workspace, preview, options, {}, [](const std::vector<std::string>&) { return true; }); });
    EXPECT_TRUE(test::Mentions(message, "Cannot create file \"" + Project() + "/a.htm\". It is a link to \"" +
                                            fs::canonical(program.File("outside.htm")).string() + "\", outside"));
    EXPECT_EQ(program.Read("outside.htm"), "the owner's");
}

}  // namespace
}  // namespace tavel
