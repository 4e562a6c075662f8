#include "tools/PageEncoding.h"

#include "platform/FileError.h"
#include "platform/TextEncoding.h"
#include "tools/HtmlDocument.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <optional>

namespace tavel {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n\f");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n\f") - first + 1);
}

// The labels browsers know under another name; the rest are their own name.
struct Alias {
    std::string_view label;
    std::string_view name;
};
constexpr Alias kAliases[] = {
    {"unicode-1-1-utf-8", "utf-8"}, {"unicode11utf8", "utf-8"}, {"unicode20utf8", "utf-8"},
    {"utf8", "utf-8"}, {"x-unicode20utf8", "utf-8"},
    {"ansi_x3.4-1968", "windows-1252"}, {"ascii", "windows-1252"}, {"cp1252", "windows-1252"},
    {"cp819", "windows-1252"}, {"csisolatin1", "windows-1252"}, {"ibm819", "windows-1252"},
    {"iso-8859-1", "windows-1252"}, {"iso-ir-100", "windows-1252"}, {"iso8859-1", "windows-1252"},
    {"iso88591", "windows-1252"}, {"iso_8859-1", "windows-1252"}, {"iso_8859-1:1987", "windows-1252"},
    {"l1", "windows-1252"}, {"latin1", "windows-1252"}, {"us-ascii", "windows-1252"},
    {"x-cp1252", "windows-1252"}, {"x-user-defined", "windows-1252"},
    {"utf-16", "utf-16le"}, {"unicode", "utf-16le"}, {"ucs-2", "utf-16le"}, {"csunicode", "utf-16le"},
    {"iso-10646-ucs-2", "utf-16le"}, {"unicodefeff", "utf-16le"}, {"unicodefffe", "utf-16be"},
    {"iso-8859-9", "windows-1254"}, {"latin5", "windows-1254"}, {"l5", "windows-1254"},
    {"iso-8859-11", "windows-874"}, {"tis-620", "windows-874"},
    {"csshiftjis", "shift_jis"}, {"ms932", "shift_jis"}, {"ms_kanji", "shift_jis"}, {"sjis", "shift_jis"},
    {"windows-31j", "shift_jis"}, {"x-sjis", "shift_jis"},
    {"gb2312", "gbk"}, {"chinese", "gbk"}, {"x-gbk", "gbk"}, {"cp936", "gbk"},
    {"big5-hkscs", "big5"}, {"x-x-big5", "big5"}, {"cn-big5", "big5"},
    {"ks_c_5601-1987", "euc-kr"}, {"korean", "euc-kr"}, {"windows-949", "euc-kr"},
    {"latin2", "iso-8859-2"}, {"l2", "iso-8859-2"}, {"koi", "koi8-r"}, {"koi8", "koi8-r"},
};

// The encoding named by a Content-Type value: what follows "charset",
// spaces and "=", up to a quote, a space or a semicolon.
std::optional<std::string> CharsetOfContentType(std::string_view content) {
    const std::string lower = Lower(content);
    for (size_t at = lower.find("charset"); at != std::string::npos; at = lower.find("charset", at + 1)) {
        size_t i = at + 7;
        while (i < lower.size() && std::isspace(static_cast<unsigned char>(lower[i]))) ++i;
        if (i >= lower.size() || lower[i] != '=') continue;
        ++i;
        while (i < lower.size() && std::isspace(static_cast<unsigned char>(lower[i]))) ++i;
        char quote = 0;
        if (i < lower.size() && (lower[i] == '"' || lower[i] == '\'')) quote = lower[i++];
        const size_t end = quote != 0 ? lower.find(quote, i) : lower.find_first_of(" \t\r\n\f;", i);
        if (quote != 0 && end == std::string::npos) return std::nullopt;
        return std::string(content.substr(i, (end == std::string::npos ? lower.size() : end) - i));
    }
    return std::nullopt;
}

std::optional<std::string> DeclaredLabel(const HtmlDocument& page) {
    std::optional<std::string> label;
    HtmlDocument::ForEachElement(page.Root(), [&](const GumboNode& element) {
        if (element.v.element.tag != GUMBO_TAG_META) return true;
        if (auto charset = AttributeOf(element, "charset")) {
            label = std::string(*charset);
        } else if (auto equiv = AttributeOf(element, "http-equiv"); equiv && Lower(Trimmed(*equiv)) == "content-type") {
            if (auto content = AttributeOf(element, "content")) label = CharsetOfContentType(*content);
        }
        return !label;
    });
    return label;
}

std::string ConvertedWithIconv(std::string_view bytes, const std::string& encoding, const std::string& name) {
    iconv_t converter = iconv_open("UTF-8", encoding.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw FileError("\"" + name + "\" is written in the encoding \"" + encoding +
                            "\", which this system cannot read.",
                        name);
    std::string out;
    char buffer[4096];
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* to = buffer;
        size_t toLeft = sizeof buffer;
        const size_t done = iconv(converter, &in, &inLeft, &to, &toLeft);
        out.append(buffer, static_cast<size_t>(to - buffer));
        if (done != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // A byte the encoding does not define, or a sequence cut off at
        // the end: shown as the replacement character, as browsers do.
        out += "\xEF\xBF\xBD";
        ++in;
        --inLeft;
    }
    iconv_close(converter);
    return out;
}

}  // namespace

std::string CanonicalEncodingName(std::string_view label) {
    const std::string lower = Lower(Trimmed(label));
    for (const Alias& alias : kAliases)
        if (alias.label == lower) return std::string(alias.name);
    return lower;
}

PageEncoding EncodingOfPage(const HtmlDocument& page) {
    const std::string_view bytes = page.Bytes();
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return {"utf-8", PageEncoding::Source::ByteOrderMark};
    if (bytes.substr(0, 2) == "\xFF\xFE") return {"utf-16le", PageEncoding::Source::ByteOrderMark};
    if (bytes.substr(0, 2) == "\xFE\xFF") return {"utf-16be", PageEncoding::Source::ByteOrderMark};
    if (std::optional<std::string> label = DeclaredLabel(page)) {
        std::string name = CanonicalEncodingName(*label);
        // A page that could be read to find its declaration is not in
        // UTF-16, whatever it says: browsers read it as UTF-8.
        if (name == "utf-16le" || name == "utf-16be") name = "utf-8";
        if (!name.empty()) return {name, PageEncoding::Source::Declared};
    }
    return {"windows-1252", PageEncoding::Source::Assumed};
}

std::string PageTextAsUtf8(std::string_view bytes, const PageEncoding& encoding, const std::string& name) {
    if (encoding.IsUtf8()) return std::string(bytes.substr(bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0));
    if (encoding.name == "windows-1252") return Windows1252AsUtf8(bytes);
    if (encoding.IsUtf16() && bytes.size() >= 2 &&
        (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF"))
        bytes.remove_prefix(2);
    return ConvertedWithIconv(bytes, encoding.IsUtf16() ? (encoding.name == "utf-16le" ? "UTF-16LE" : "UTF-16BE")
                                                        : encoding.name,
                              name);
}

bool IsBlankPage(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); });
}

bool IsBinaryPage(std::string_view bytes) {
    const bool utf16 = bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
    return !utf16 && bytes.find('\0') != std::string_view::npos;
}

}  // namespace tavel
