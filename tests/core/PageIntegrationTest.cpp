#include "tools/PageIntegration.h"

#include "TestSupport.h"
#include "platform/FileError.h"
#include "project/Workspace.h"
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
        const IntegrateReport report = IntegrateMenu(texts, site.File("page.htm"));
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

TEST_F(IntegrateMenuTest, AForeignEncodingIsToldOnlyWhenTheMenuNeedsMore) {
    // The http-equiv form declares an encoding as well.
    const std::string page =
        "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1252\"><title>T</title><body>charset=utf-8";
    site.Write("a.htm", page);
    EXPECT_EQ(IntegrateMenu(texts, site.File("a.htm")).foreignCharset, "");
    texts.script = "theMenu[0] = new Array(\"Caf\xC3\xA9\", \"x.htm\");\r\n";
    site.Write("a.htm", page);
    const IntegrateReport report = IntegrateMenu(texts, site.File("a.htm"));
    EXPECT_EQ(report.outcome, IntegrateReport::Outcome::Integrated);
    EXPECT_EQ(report.foreignCharset, "windows-1252");
}

}  // namespace
}  // namespace tavel
