#include "tools/PageIntegration.h"

#include "TestSupport.h"
#include "platform/FileError.h"
#include "project/Workspace.h"
#include "tools/AsciiScript.h"
#include "tools/HtmlDocument.h"
#include "tools/MenuLinks.h"
#include "tools/MenuPageEdit.h"
#include "tools/MenuStyleSheet.h"
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
const std::string kXmlLink = "<link rel=\"stylesheet\" href=\"stt.css\" type=\"text/css\" />";
const std::string kXmlLoad = " onload=\"buildMenu('theMenu')\"";
const std::string kBegin(menulinks::kBegin);
const std::string kEnd(menulinks::kEnd);

std::string Repeated(std::string_view piece, size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) text += piece;
    return text;
}

MenuPageEdit Edit(const std::string& page, const std::string& path = "page.htm", const std::string& links = "") {
    const HtmlDocument document(page, path);
    return EditPageForMenu(document, MarkupOfPage(document, path), links);
}

// Where browsers read the head and the body's own start, never in comments,
// scripts or values; the page's own onload keeps running after the menu's.
TEST(MenuPageEdit, PutsTheMenuWhereBrowsersReadItAndNothingElse) {
    const std::string decoys = "<!-- <body> </title> --><script>'<body onload=x></title>'</script>";
    const struct {
        const char* what;
        std::string path, page, edited;  // edited empty: refused, left as it is
    } cases[] = {
        {"after the title; the doctype stays first", "a.htm",
         "<!DOCTYPE html>\n<html><head><title>T</title></head>\n<body class=x>b</body></html>",
         "<!DOCTYPE html>\n<html><head><title>T</title>" + kLink + kPair + "</head>\n<body" + kLoad + " class=x>b</body></html>"},
        {"XHTML: byte-order mark, declaration and doctype first, well-formed markup", "a.xhtml",
         "\xEF\xBB\xBF<?xml version=\"1.0\"?><!DOCTYPE html><html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>T</title>"
         "</head><body onLoad=\"x()\"></body></html>",
         "\xEF\xBB\xBF<?xml version=\"1.0\"?><!DOCTYPE html><html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>T</title>" +
             kXmlLink + kPair + "</head><body" + kXmlLoad + " onLoad=\"x()\"></body></html>"},
        {"an XML declaration alone makes it XML", "a.htm", "<?xml version=\"1.0\"?><html><head><title>T</title></head><body>",
         "<?xml version=\"1.0\"?><html><head><title>T</title>" + kXmlLink + kPair + "</head><body" + kXmlLoad + ">"},
        {"no title: before </head>", "a.htm", "<HEAD><META CHARSET=utf-8></HEAD><BODY>",
         "<HEAD><META CHARSET=utf-8>" + kLink + kPair + "</HEAD><BODY" + kLoad + ">"},
        {"no head tags: before <body", "a.htm", "<meta charset=utf-8>\r\n<body>", "<meta charset=utf-8>\r\n" + kLink + kPair + "<body" + kLoad + ">"},
        {"an encoding declared below the title stays in front", "a.htm",
         "<title>T</title><meta http-equiv=Content-Type content='text/html; charset=iso-8859-1'><body>",
         "<title>T</title><meta http-equiv=Content-Type content='text/html; charset=iso-8859-1'>" + kLink + kPair + "<body" + kLoad + ">"},
        {"decoys are passed over; the page's onload runs after the menu's call", "a.htm",
         decoys + "<title>a</title><body onload=\"init()\">",
         decoys + "<title>a</title>" + kLink + kPair + "<body onload=\"buildMenu('theMenu');init()\">"},
        {"a handler in single quotes", "a.htm", "<title>a</title><body onLoad='go(\"x\")'>",
         "<title>a</title>" + kLink + kPair + "<body onLoad='buildMenu(\"theMenu\");go(\"x\")'>"},
        {"a handler without quotes", "a.htm", "<title>a</title><body onload=go()>",
         "<title>a</title>" + kLink + kPair + "<body onload=buildMenu(&#39;theMenu&#39;);go()>"},
        {"an onload without a value", "a.htm", "<title>a</title><body onload>",
         "<title>a</title>" + kLink + kPair + "<body onload=\"buildMenu('theMenu')\">"},
        {"content before the body tag: the body has no tag of its own", "a.htm", "<title>a</title><p>x</p><body>", ""},
        {"a frameset has no body", "a.htm", "<title>a</title><frameset><frame src=a.htm></frameset>", ""},
    };
    for (const auto& c : cases) {
        const MenuPageEdit edit = Edit(c.page, c.path);
        EXPECT_EQ(edit.result, c.edited.empty() ? MenuPageEdit::Result::NoBodyTag : MenuPageEdit::Result::Edited) << c.what;
        EXPECT_EQ(edit.bytes, c.edited.empty() ? c.page : c.edited) << c.what;
    }
}

TEST(MenuPageEdit, APageThatLoadsTheMenuInAnyFormGetsTheLinksAlone) {
    const std::string head = "<html><head><title>T</title>";
    const std::pair<std::string, bool> cases[] = {
        {head + "<script src=\"sys.js\"></script>\n<script src=\"temp.js\"></script></head><body onLoad=\"buildMenu('theMenu')\">", true},
        {head + "<SCRIPT type=text/javascript SRC=./SYS.JS></SCRIPT><script src=' temp.js'></script></head><body>"
                "<script>buildMenu(\"theMenu\")</script>", true},
        // Not all three: the menu is put in.
        {head + "<script src=\"sys.js\"></script><script src=\"temp.js\"></script></head><body>", false},
        {head + "<script src=\"js/sys.js\"></script><script src=\"temp.js\"></script></head><body onLoad=\"buildMenu('theMenu')\">", false},
        {head + "<script src=\"sys.js\"></script><!-- <script src=\"temp.js\"></script> --></head><body onload=\"buildMenu('theMenu')\">", false},
    };
    for (const auto& [page, loads] : cases) {
        const MenuPageEdit edit = Edit(page, "a.htm", kBegin + "L" + kEnd);
        EXPECT_EQ(edit.result, loads ? MenuPageEdit::Result::AlreadyLoadsMenu : MenuPageEdit::Result::Edited) << page;
        // Integrated already, it gets the links alone.
        EXPECT_EQ(edit.splices.size(), loads ? 1u : 3u) << page;
    }
}

TEST(MenuPageEdit, TheLinksReplaceTheFirstMarkedBlockAndGoAfterTheBodyTagWithoutOne) {
    const std::string pair = "<script src=sys.js></script><script src=temp.js></script>";
    const std::string body = "<title>T</title>" + pair + "<BODY class=\"a>b\" onLoad='buildMenu(\"theMenu\")'>";
    const std::string block = kBegin + "new" + kEnd;
    const struct {
        std::string page, links, edited;
    } cases[] = {
        {body + "text", block, body + block + "text"},
        {body + "<h1>x</h1>" + kBegin + "old" + kEnd + "mid" + kBegin + "b" + kEnd + "end", block, body + "<h1>x</h1>" + block + "midend"},
        // Without links the blocks go; markers in a script are text, not blocks.
        {body + kBegin + "old" + kEnd + "<script>'" + kBegin + "'</script>", "", body + "<script>'" + kBegin + "'</script>"},
        {body + kBegin + "no end", block, body + block + kBegin + "no end"},
        // A block edited into an unclosed element holds the rest of the page:
        // it stays, and the links go after the body tag. A block in a
        // paragraph is replaced, though the links end the paragraph.
        {body + kBegin + "<div>old" + kEnd + "</div>end", block, body + block + kBegin + "<div>old" + kEnd + "</div>end"},
        {body + "<div>" + kBegin + "old</div>" + kEnd + "end", block, body + block + "<div>" + kBegin + "old</div>" + kEnd + "end"},
        {body + "<p>" + kBegin + "old" + kEnd + "</p>", kBegin + "<nav>new</nav>" + kEnd, body + "<p>" + kBegin + "<nav>new</nav>" + kEnd + "</p>"},
        // In SVG the links' list would end the drawing early.
        {body + "<svg>" + kBegin + "<g>old</g>" + kEnd + "</svg>", block, body + block + "<svg>" + kBegin + "<g>old</g>" + kEnd + "</svg>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Edit(c.page, "a.htm", c.links).bytes, c.edited) << c.page;
        // A second run finds its own block and changes nothing.
        EXPECT_EQ(Edit(c.edited, "a.htm", c.links).bytes, c.edited) << c.page;
    }
}

TEST(AsciiScript, WritesEveryCharacterBeyondAsciiAsItsEscape) {
    const std::pair<std::string, std::string> cases[] = {
        {"a(\"Caf\xC3\xA9 \xC3\x9C" "ber\"); // \xE2\x82\xAC", "a(\"Caf\\u00e9 \\u00dcber\"); // \\u20ac"},
        {"\"\xF0\x9F\x98\x80\"", "\"\\ud83d\\ude00\""},
        {"\"Caf\xE9\x80\"", "\"Caf\\u00e9\\u20ac\""},  // not UTF-8: Windows-1252
        {"\"\\\xC3\xA9 \\\\\xC3\xA9\"", "\"\\u00e9 \\\\\\u00e9\""},
    };
    for (const auto& [script, ascii] : cases) EXPECT_EQ(AsciiScript(script), ascii) << script;
}

class IntegrateMenuTest : public ::testing::Test {
protected:
    IntegrateMenuTest() : work(program.path()) {
        work.Texts() = {"var theMenu = new Array();\r\ntheMenu[0] = new Array(\"Caf\xC3\xA9\", \"a.htm\");\r\n", "unused page",
                        "A.menu {\r\n  color : #FFF;\r\n}\r\nBODY {\r\n  margin : 0;\r\n}\r\n", "js\r\n"};
        fs::create_directory(site.File("shop"));
        work.SetProject(site.File("shop"), "shop");
    }

    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(site.path())) names.insert(entry.path().filename().string());
        return names;
    }

    test::TempFolder program;
    test::TempFolder site;
    Workspace work;
};

// A page keeps its line ends (a script's first line with them), its own
// handler and every byte but the insertions, integrated twice.
TEST_F(IntegrateMenuTest, ThePageKeepsEveryByteButTheInsertions) {
    const std::string page = "<?php header('X-Page: mine'); ?>\n<html>\r\n<head><title>Mine</title></head>\r\n"
                             "<body onload=\"init()\">\n<p>My text</p>\r\n</body></html>";
    site.Write("page.php", page);
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(IntegrateMenu(work, site.File("page.php")).outcome,
                  run == 0 ? IntegrateReport::Outcome::Integrated : IntegrateReport::Outcome::AlreadyIntegrated);
    }
    std::string written = site.Read("page.php");
    const size_t begin = written.find(kBegin);
    const size_t end = written.find(kEnd);
    ASSERT_TRUE(begin != std::string::npos && end != std::string::npos);
    written.erase(begin, end + kEnd.size() - begin);
    for (const std::string& inserted : {kLink + kPair, std::string("buildMenu('theMenu');")}) {
        const size_t at = written.find(inserted);
        ASSERT_NE(at, std::string::npos) << inserted;
        written.erase(at, inserted.size());
    }
    EXPECT_EQ(written, page);
}

TEST_F(IntegrateMenuTest, APageKeepsItsLookAndReadsTheCaptionsInAnyEncodingOutsideTheProject) {
    const std::string page = "<title>T</title><body>";
    site.Write("page.htm", page);
    IntegrateMenu(work, site.File("page.htm"));
    EXPECT_EQ(site.Read("temp.js"), AsciiScript(work.Texts().script));
    EXPECT_EQ(site.Read("stt.css"), "a.menu {\r\n  color : #FFF !important;\r\n}\r\n");
    EXPECT_EQ(site.Read("sys.js"), "js\r\n");

    IntegrateOptions whole;
    whole.keepPageLook = false;
    IntegrateMenu(work, site.File("page.htm"), whole);
    EXPECT_EQ(site.Read("stt.css"), work.Texts().styleSheet);

    // The project's own folder holds the project's own files.
    site.Write("shop/page.htm", page);
    IntegrateMenu(work, site.File("shop/page.htm"));
    EXPECT_EQ(site.Read("shop/temp.js"), work.Texts().script);
    EXPECT_EQ(site.Read("shop/stt.css"), work.Texts().styleSheet);
}

TEST_F(IntegrateMenuTest, RefusalsSayWhyAndWriteNothing) {
    const std::string utf16("\xFF\xFE<\0b\0o\0d\0y\0>\0", 14);
    site.Write("utf16.htm", utf16);
    site.Write("nobody.htm", "<title>T</title>text<body>");
    site.Write("blank.htm", " \r\n\t");
    site.Write("binary.htm", std::string("<body>\x89PNG\0\x1A", 12));
    const std::pair<std::string, std::string> cases[] = {
        {"blank.htm", "the page is empty."},
        {"binary.htm", "the page holds binary data, not the text of a web page."},
        {"utf16.htm", "the page is written in UTF-16, in which the menu's files cannot be read; save it as UTF-8 first."},
        {"nobody.htm", "the page has no <body> tag in front of its content, where the menu is started."},
    };
    for (const auto& [file, why] : cases) {
        const IntegrateReport report = IntegrateMenu(work, site.File(file));
        EXPECT_EQ(report.outcome, IntegrateReport::Outcome::Refused);
        EXPECT_EQ(IntegrateReportMessage(report),
                  "The menu was not integrated into \"" + site.File(file) + "\": " + why + " Nothing was written.");
    }
    EXPECT_EQ(site.Read("utf16.htm"), utf16);

    site.Write("deep.htm", Repeated("<div>", 100000));
    EXPECT_TRUE(test::Mentions(test::ThrownMessage<FileError>([&] { IntegrateMenu(work, site.File("deep.htm")); }),
                               "\"" + site.File("deep.htm") + "\" nests its elements more than 512 deep"));
    EXPECT_TRUE(test::Mentions(test::ThrownMessage<FileError>([&] { IntegrateMenu(work, site.File("missing.htm")); }),
                               site.File("missing.htm")));
    EXPECT_EQ(IntegrateMenu(work, "  ").outcome, IntegrateReport::Outcome::NoPage);
    EXPECT_EQ(Files(), (std::set<std::string>{"shop", "utf16.htm", "nobody.htm", "blank.htm", "binary.htm", "deep.htm"}));
}

TEST_F(IntegrateMenuTest, LongAttributesAndLargePagesIntegrate) {
    const std::pair<std::string, std::string> pages[] = {
        {"<script src=\"data:text/javascript;base64," + Repeated("QUJD", 256 * 1024) + "\"></script>", ""},
        {"", Repeated("<p>A line of the page's own text, <b>bold</b> in part.</p>\n", 5 * 1024 * 1024 / 60)},
    };
    IntegrateOptions noLinks;
    noLinks.writeLinks = false;
    for (const auto& [head, body] : pages) {
        site.Write("big.htm", "<title>T</title>" + head + "<body>" + body);
        EXPECT_EQ(IntegrateMenu(work, site.File("big.htm"), noLinks).outcome, IntegrateReport::Outcome::Integrated);
        EXPECT_TRUE(site.Read("big.htm") == "<title>T</title>" + kLink + kPair + head + "<body" + kLoad + ">" + body);
    }
}

// A page in the project's folder gets the script as the project holds it:
// the user is told when the page will not read its captions right.
TEST_F(IntegrateMenuTest, AnEncodingTheProjectsScriptWillNotReadRightInIsTold) {
    const std::string utf8 = work.Texts().script;
    const std::string cp1252 = "theMenu[0] = new Array(\"Caf\xE9\", \"x.htm\");\r\n";
    const struct {
        std::string script, head, told;
    } cases[] = {
        {cp1252, "<meta charset=utf-8>", ""},
        {utf8, "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1252\">", "windows-1252"},
        {cp1252, "<meta charset=\"iso-8859-1\">", ""},
        {utf8, "", "none"},
    };
    for (const auto& c : cases) {
        work.Texts().script = c.script;
        site.Write("shop/a.htm", c.head + "<title>T</title><body>");
        EXPECT_EQ(IntegrateMenu(work, site.File("shop/a.htm")).foreignCharset, c.told) << c.head;
    }
    EXPECT_TRUE(test::Mentions(IntegrateReportMessage(IntegrateMenu(work, site.File("shop/a.htm"))),
                               "but the page declares no encoding, so browsers guess one (mostly Windows-1252): the "
                               "menu's captions will not show correctly until the page declares UTF-8"));
}

}  // namespace
}  // namespace tavel
