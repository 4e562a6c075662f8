#include "platform/TextEncoding.h"

namespace tavel {
namespace {

// Decodes one UTF-8 character at `i`, moving past it; false for a byte
// sequence that is not well-formed (overlong, a surrogate, past U+10FFFF,
// cut short).
bool NextUtf8(std::string_view bytes, size_t& i, char32_t& out) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                                                     : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return false;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    out = c;
    i += length;
    return true;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t Windows1252Character(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? char32_t{kWindows1252High[byte - 0x80]} : char32_t{byte};
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    char32_t c = 0;
    for (size_t i = 0; i < bytes.size();)
        if (!NextUtf8(bytes, i, c)) return false;
    return true;
}

std::u32string TextCharacters(std::string_view bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    if (IsValidUtf8(bytes)) {
        char32_t c = 0;
        for (size_t i = 0; i < bytes.size();) {
            NextUtf8(bytes, i, c);
            text += c;
        }
        return text;
    }
    for (char b : bytes) text += Windows1252Character(static_cast<unsigned char>(b));
    return text;
}

std::string AsUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Windows1252AsUtf8(bytes);
}

std::string Windows1252AsUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char b : bytes) AppendUtf8(out, Windows1252Character(static_cast<unsigned char>(b)));
    return out;
}

}  // namespace tavel
