#include "tools/PageIntegration.h"

#include "TestSupport.h"
#include "platform/FileError.h"
#include "project/Workspace.h"
#include "tools/MenuLinks.h"
#include "tools/SitePages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace tavel {
namespace {

namespace fs = std::filesystem;

const std::string kLink(pagetext::kStyleLink);
const std::string kPair(pagetext::kScriptPair);
const std::string kLoad(pagetext::kLoadAttribute);

TEST(PageIntegrationTest, EditsPlaceTheMenuFilesAndRefuseIncompletePages) {
    struct Case {
        std::string page;
        std::string edited;  // empty: left as it is
        std::string missing;
    };
    const Case cases[] = {
        {"<html><head><title>T</title></head><body>x</body></html>",
         kLink + "<html><head><title>T</title>" + kPair + "</head><body" + kLoad + ">x</body></html>", ""},
        {"<HTML><HEAD><TITLE>T</TITLE></HEAD><BODY bgcolor=white>x</BODY>",
         kLink + "<HTML><HEAD><TITLE>T</TITLE>" + kPair + "</HEAD><BODY" + kLoad + " bgcolor=white>x</BODY>", ""},
        // The attribute goes to the first "<body" as the text stands, even
        // one above the title.
        {"<!-- <body --><title>T</title><body>", kLink + "<!-- <body" + kLoad + " --><title>T</title>" + kPair + "<body>", ""},
        {"<title>T</title>no body here", "", "\"<body\""},
    };
    for (const Case& c : cases) {
        const PageEdit edit = EditPageForMenu(c.page);
        EXPECT_EQ(edit.missing, c.missing) << c.page;
        EXPECT_EQ(edit.text, c.edited.empty() ? c.page : c.edited) << c.page;
    }
}

TEST(PageIntegrationTest, APageThatLoadsTheMenuInAnyFormIsIntegratedAlready) {
    const std::string head = "<html><head><title>T</title>";
    const std::pair<std::string, bool> cases[] = {
        {head + kPair + "</head><body>", true},
        // The project's own page, and other spellings of the tags and the call.
        {head + "<script src=\"sys.js\"></script>\n<script src=\"temp.js\"></script></head><body onLoad=\"buildMenu('theMenu')\">", true},
        {head + "<SCRIPT type=text/javascript SRC=./SYS.JS></SCRIPT><script src='temp.js'></script></head><body>"
                "<script>buildMenu(\"theMenu\")</script>", true},
        // Not all three: the menu is put in.
        {head + "<script src=\"sys.js\"></script><script src=\"temp.js\"></script></head><body>", false},
        {head + "<script src=\"js/sys.js\"></script><script src=\"temp.js\"></script></head><body onLoad=\"buildMenu('theMenu')\">", false},
        {head + "<script src=\"sys.js\"></script></head><body onLoad=\"buildMenu('theMenu')\"> temp.js", false},
    };
    for (const auto& [page, integrated] : cases) {
        const PageEdit edit = EditPageForMenu(page);
        EXPECT_EQ(edit.alreadyIntegrated, integrated) << page;
        EXPECT_EQ(edit.text == page, integrated) << page;
    }
}

class IntegrateMenuTest : public ::testing::Test {
protected:
    IntegrateMenuTest() { texts = {"var theMenu = new Array();\r\n", "unused page", "css\r\n", "js\r\n"}; }

    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(site.path())) names.insert(entry.path().filename().string());
        return names;
    }

    test::TempFolder site;
    ProjectTexts texts;
};

TEST_F(IntegrateMenuTest, WritesTheThreeFilesBesideThePageAndIntegratesOnce) {
    site.Write("page.htm", "<html>\n<head><title>Mine</title></head>\n<body>\n<p>My text</p>\n</body></html>\n");
    const std::string expected = kLink + "<html>\r\n<head><title>Mine</title>" + kPair + "</head>\r\n<body" + kLoad +
                                 ">\r\n<p>My text</p>\r\n</body></html>\r\n";
    for (int run = 0; run < 2; ++run) {
        const IntegrateReport report = IntegrateMenu(texts, site.File("page.htm"), {.writeLinks = false});
        EXPECT_EQ(report.outcome,
                  run == 0 ? IntegrateReport::Outcome::Integrated : IntegrateReport::Outcome::AlreadyIntegrated);
        EXPECT_EQ(IntegrateReportMessage(report), "");
        EXPECT_EQ(site.Read("page.htm"), expected);
        texts.script = "var theMenu = new Array(); // run " + std::to_string(run) + "\r\n";
    }
    // The second run still refreshed the files beside the page.
    EXPECT_EQ(site.Read("temp.js"), "var theMenu = new Array(); // run 0\r\n");
    EXPECT_EQ(site.Read("stt.css"), "css\r\n");
    EXPECT_EQ(site.Read("sys.js"), "js\r\n");
}

TEST_F(IntegrateMenuTest, RefusalsWriteNothing) {
    site.Write("no-title.htm", "<html><body>x</body></html>");
    const IntegrateReport refused = IntegrateMenu(texts, site.File("no-title.htm"));
    EXPECT_EQ(refused.outcome, IntegrateReport::Outcome::Refused);
    EXPECT_TRUE(test::Mentions(IntegrateReportMessage(refused), site.File("no-title.htm")));
    EXPECT_EQ(site.Read("no-title.htm"), "<html><body>x</body></html>");

    EXPECT_EQ(IntegrateMenu(texts, "  ").outcome, IntegrateReport::Outcome::NoPage);
    EXPECT_TRUE(test::Mentions(test::ThrownMessage<FileError>([&] { IntegrateMenu(texts, site.File("missing.htm")); }),
                               site.File("missing.htm")));
    EXPECT_EQ(Files(), std::set<std::string>{"no-title.htm"});
}

TEST_F(IntegrateMenuTest, AnEncodingTheMenuWillNotReadRightInIsTold) {
    const std::string ascii = "theMenu[0] = new Array(\"Cafe\", \"x.htm\");\r\n";
    const std::string utf8 = "theMenu[0] = new Array(\"Caf\xC3\xA9\", \"x.htm\");\r\n";
    const std::string cp1252 = "theMenu[0] = new Array(\"Caf\xE9\", \"x.htm\");\r\n";
    // The http-equiv form declares an encoding as well; only the head counts.
    const std::string windows = "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1252\">";
    const struct {
        std::string script, head, told;
    } cases[] = {
        {ascii, "", ""},
        {utf8, "<meta charset=\"UTF-8\">", ""},
        {cp1252, "<meta charset=utf-8>", ""},  // the runtime reads it again as Windows-1252
        {utf8, windows, "windows-1252"},
        {cp1252, windows, ""},
        {cp1252, "<meta charset=\"iso-8859-1\">", ""},
        {cp1252, "<meta charset=\"shift_jis\">", "shift_jis"},
        {utf8, "", "none"},
        {cp1252, "", "none"},
    };
    for (const auto& c : cases) {
        texts.script = c.script;
        site.Write("a.htm", c.head + "<title>T</title><body>charset=utf-8");
        const IntegrateReport report = IntegrateMenu(texts, site.File("a.htm"));
        EXPECT_EQ(report.outcome, IntegrateReport::Outcome::Integrated);
        EXPECT_EQ(report.foreignCharset, c.told) << c.head;
    }
    EXPECT_TRUE(test::Mentions(IntegrateReportMessage(IntegrateMenu(texts, site.File("a.htm"))),
                               "but the page declares no encoding, so browsers guess one (mostly Windows-1252): the "
                               "menu's captions will not show correctly until the page declares UTF-8"));
}

TEST_F(IntegrateMenuTest, ThePageCarriesTheScriptsMenuAsLinksOnceAndFresh) {
    // The project's own page loads the menu already: it gets only the links.
    const std::string own = "<html><head><title>Mine</title><script src=\"sys.js\"></script><script src=\"temp.js\">"
                            "</script></head>\r\n<body onLoad=\"buildMenu('theMenu')\">\r\n<p>Text</p></body></html>\r\n";
    site.Write("own.htm", own);
    for (const std::string caption : {"First", "Second"}) {
        texts.script = "var theMenu = new Array();\r\ntheMenu[0] = new Array(\"" + caption + "\", \"a.htm\");\r\n";
        EXPECT_EQ(IntegrateMenu(texts, site.File("own.htm")).outcome, IntegrateReport::Outcome::AlreadyIntegrated);
        const std::string links = std::string(menulinks::kBegin) + "<nav class=\"tvm-links\" aria-label=\"Site menu\" style=\"line-height:1.75\"><ul><li><a "
                                  "href=\"a.htm\">" + caption + "</a></li></ul></nav>" + std::string(menulinks::kEnd);
        std::string expected = own;
        expected.insert(expected.find("\r\n<p>"), links);
        EXPECT_EQ(site.Read("own.htm"), expected);
    }
    // Without links the old list goes and the page is as it was.
    IntegrateMenu(texts, site.File("own.htm"), {.writeLinks = false});
    EXPECT_EQ(site.Read("own.htm"), own);
}

}  // namespace
}  // namespace tavel
