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
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(SiteReportMessage(Create(Digits())), "Site succesfully created!");
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
              "<link rel=stylesheet href=\"stt.css\" type=\"text/css\"><!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 "
              "Transitional//EN\"><html><head><meta charset=\"utf-8\"><title>S A :: A1</title><script "
              "language=\"javascript\" src=\"sys.js\"></script><script language=\"javascript\" "
              "src=\"temp.js\"></script></head><body onLoad=\"buildMenu('theMenu')\"><div "
              "id=\"menuHolder\"></div></body></html>");
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
        {true, "Title", " :: ", "Item", "S  :: Top", "S Q :: C"},
        {true, "title", " :: ", "Item", "S title :: Top", "S title :: C"},
        {true, "", " :: ", "", "S  :: ", "S  :: "},
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
    const SiteReport report = Create(SiteOptions{{"S"}, true});
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

TEST_F(CreateSiteTest, PagesCarryTheMenuAsLinksToThePagesAndTitlesInUtf8) {
    // A Windows-1252 project: its captions are the code page's bytes.
    test::BuildTree(workspace.Tree(), {{0, Submenu, "Caf\xE9", "", ""},
                                       {1, Plain, "\xDC" "ber", "About", "old.htm"},
                                       {1, Separator, "----------", "", ""},
                                       {0, Plain, "Web", "", "http://x"}});
    SiteOptions options = Digits();
    options.writeLinks = true;
    for (int run = 0; run < 2; ++run) Create(options);
    const std::string page = Page("tavelitem1.htm");
    EXPECT_TRUE(test::Mentions(page, "<title>S Caf\xC3\xA9 :: \xC3\x9C" "ber</title>"));
    const std::string links = "<body onLoad=\"buildMenu('theMenu')\">" + std::string(menulinks::kBegin) +
                              "<nav class=\"tvm-links\" aria-label=\"Site menu\" style=\"line-height:1.75\"><ul><li>Caf&#233;<ul><li><a "
                              "href=\"tavelitem1.htm\" title=\"About\">&#220;ber</a></li><li role=\"separator\"></li></ul></li><li><a "
                              "href=\"tavelitem3.htm\">Web</a></li></ul></nav>" +
                              std::string(menulinks::kEnd) + "<div id=\"menuHolder\"></div></body></html>";
    EXPECT_TRUE(test::Mentions(page, links));
    EXPECT_EQ(Page("tavelitem3.htm").substr(Page("tavelitem3.htm").find("<body")), links);
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

}  // namespace
}  // namespace tavel
