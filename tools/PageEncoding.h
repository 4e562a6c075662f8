#pragma once

#include <string>
#include <string_view>

namespace tavel {

class HtmlDocument;

// The encoding a browser reads a page in, by its canonical name
// ("utf-8", "windows-1252", "iso-8859-2", "shift_jis", "utf-16le", ...).
struct PageEncoding {
    enum class Source {
        ByteOrderMark,  // the page starts with one
        Declared,       // a <meta charset> or an http-equiv Content-Type in the page
        Assumed,        // the page says nothing: browsers read it as windows-1252
    };
    std::string name;
    Source source = Source::Assumed;

    bool IsUtf8() const { return name == "utf-8"; }
    bool IsUtf16() const { return name == "utf-16le" || name == "utf-16be"; }
};

// A byte-order mark wins, then the first declaration in the page; a page
// with neither is read as windows-1252, as browsers read it.
PageEncoding EncodingOfPage(const HtmlDocument& page);

// The canonical name for an encoding label as pages write it, case and
// surrounding spaces aside ("latin1", "ISO-8859-1" and "ascii" are all
// "windows-1252" to a browser; "utf8" is "utf-8"); a label it does not know
// comes back lower-cased.
std::string CanonicalEncodingName(std::string_view label);

// The page's bytes as UTF-8, read in `encoding` (a byte-order mark
// dropped; bytes the encoding does not define become U+FFFD, as browsers
// show them); throws FileError naming the page `name` when the system
// cannot read that encoding at all.
std::string PageTextAsUtf8(std::string_view bytes, const PageEncoding& encoding, const std::string& name);

// Whether a file chosen as a page holds nothing but blanks, or binary data
// (a NUL byte, which no page outside UTF-16 has) rather than a page: the
// user is told that, not what the page lacks.
bool IsBlankPage(std::string_view bytes);
bool IsBinaryPage(std::string_view bytes);

}  // namespace tavel
