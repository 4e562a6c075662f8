// Reading pages as browsers do: the nesting guard in front of the parser,
// the parsed page's positions in its own bytes, and the encoding a page is
// read in.
#include "platform/FileError.h"
#include "tools/HtmlDocument.h"
#include "tools/HtmlNesting.h"
#include "tools/PageEncoding.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

std::string Repeated(std::string_view piece, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// What opens, what closes and what does not count, each at the limit's
// boundary: 4 levels pass a limit of 4, 5 do not.
TEST(HtmlNesting, CountsWhatBrowsersNest) {
    const struct {
        const char* what;
        std::string page;
        bool deeper;
    } cases[] = {
        {"four levels", "<div><div><div><div>x</div></div></div></div>", false},
        {"five levels", "<div><div><div><div><div>", true},
        {"end tags close what they match", Repeated("<div></div>", 50), false},
        {"an end tag closes the elements left open inside", "<div><span><b></div>" + Repeated("<i></i>", 9), false},
        {"void elements hold nothing", Repeated("<br><img src=x><hr/>", 50), false},
        {"list items close their open sibling", "<ul>" + Repeated("<li>item", 50) + "</ul>", false},
        {"a nested list keeps its item open", "<ul><li><ul><li><ul><li>", true},
        {"cells, rows and paragraphs close their sibling",
         "<table>" + Repeated("<tr><td>a<td>b<p>c<p>d", 20), false},
        {"a self-closed div stays open in HTML", Repeated("<div/>", 5), true},
        {"inside SVG a self-closed element is closed", "<svg>" + Repeated("<g/>", 50) + "</svg>", false},
        {"comments, scripts and quoted values hold no tags",
         "<!-- <div><div><div><div><div> --><script>'<div><div><div><div><div>'</script>"
         "<p title='<div><div><div><div><div>'>" + Repeated("<textarea><div><div><div><div><div></TEXTAREA>", 3),
         false},
    };
    for (const auto& c : cases) EXPECT_EQ(NestsDeeperThan(c.page, 4), c.deeper) << c.what;
}

TEST(HtmlDocument, RefusesAPageNestedDeeperThanBrowsersBuildAndReadsOneAtTheLimit) {
    EXPECT_NO_THROW(HtmlDocument(Repeated("<div>", kBrowserNestingLimit - 3), "flat.htm"));  // with html, body
    try {
        HtmlDocument(Repeated("<ul><li>", 100000), "deep.htm");
        FAIL() << "a page nested 200,000 deep was parsed";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), "deep.htm");
        EXPECT_NE(std::string(error.what()).find("\"deep.htm\" nests its elements more than 512 deep"),
                  std::string::npos);
    }
}

// The parser's pieces point into the page's own bytes, so that an edit can
// keep every other byte; a tag the page leaves out has no place.
TEST(HtmlDocument, FindsElementsWhereThePageHasThem) {
    // The parser runs the ignored "</>" into the body tag's source text.
    const HtmlDocument page("\xEF\xBB\xBF<!DOCTYPE html><!-- <body> --><TITLE>T</TITLE></><Body onload='x()'>b\xE9</body>",
                            "page.htm");
    const GumboNode* body = HtmlDocument::FindFirst(page.Root(), GUMBO_TAG_BODY);
    ASSERT_NE(body, nullptr);
    const auto bodyTag = page.TagSpanOf(*body, HtmlDocument::Tag::Start);
    ASSERT_TRUE(bodyTag);
    EXPECT_EQ(page.Bytes().substr(bodyTag->start, bodyTag->end - bodyTag->start), "<Body onload='x()'>");
    EXPECT_EQ(AttributeOf(*body, "onload"), "x()");
    const GumboNode* head = HtmlDocument::FindFirst(page.Root(), GUMBO_TAG_HEAD);
    ASSERT_NE(head, nullptr);
    EXPECT_FALSE(page.TagSpanOf(*head, HtmlDocument::Tag::Start));
    EXPECT_EQ(TextOf(*HtmlDocument::FindFirst(page.Root(), GUMBO_TAG_TITLE)), "T");
}

TEST(PageEncoding, ByteOrderMarkThenDeclarationThenWindows1252) {
    const struct {
        std::string page;
        std::string name;
        PageEncoding::Source source;
    } cases[] = {
        {"\xEF\xBB\xBF<meta charset=latin1>", "utf-8", PageEncoding::Source::ByteOrderMark},
        {std::string("\xFF\xFE<\0h\0", 6), "utf-16le", PageEncoding::Source::ByteOrderMark},
        {"<meta charset=' ISO-8859-1 '><meta charset=utf-8>", "windows-1252", PageEncoding::Source::Declared},
        {"<META HTTP-EQUIV=Content-Type CONTENT='text/html; charset=\"Shift_JIS\"'>", "shift_jis",
         PageEncoding::Source::Declared},
        {"<meta http-equiv=refresh content='charset=koi8-r'><meta charset=UTF8>", "utf-8",
         PageEncoding::Source::Declared},
        {"<meta charset=utf-16>", "utf-8", PageEncoding::Source::Declared},
        {"<p>caf\xC3\xA9</p>", "windows-1252", PageEncoding::Source::Assumed},
    };
    for (const auto& c : cases) {
        const PageEncoding encoding = EncodingOfPage(HtmlDocument(c.page, "page.htm"));
        EXPECT_EQ(encoding.name, c.name) << c.page;
        EXPECT_EQ(encoding.source, c.source) << c.page;
    }
}

TEST(PageEncoding, TextComesOutAsUtf8) {
    EXPECT_EQ(PageTextAsUtf8("\xEF\xBB\xBF" "caf\xC3\xA9", {"utf-8"}, "p"), "caf\xC3\xA9");
    EXPECT_EQ(PageTextAsUtf8("caf\xE9 \x80", {"windows-1252"}, "p"), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(PageTextAsUtf8("\xB1", {"iso-8859-2"}, "p"), "\xC4\x85");
    EXPECT_EQ(PageTextAsUtf8(std::string("\xFF\xFE" "A\0\xE9\0", 6), {"utf-16le"}, "p"), "A\xC3\xA9");
    EXPECT_EQ(PageTextAsUtf8("a\xFF" "b", {"utf-8"}, "p"), "a\xFF" "b");  // the parser shows U+FFFD itself
    EXPECT_EQ(PageTextAsUtf8("a\x81", {"shift_jis"}, "p"), "a\xEF\xBF\xBD");
    EXPECT_THROW(PageTextAsUtf8("a", {"x-no-such-encoding"}, "p"), FileError);
}

}  // namespace
}  // namespace tavel
