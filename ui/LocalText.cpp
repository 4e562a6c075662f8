#include "ui/LocalText.h"

#include <QStringDecoder>

#include <array>

namespace tavel {
namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes the code page leaves
// undefined map to the C1 controls of the same number, so every byte comes
// back as it was.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString FromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += QChar(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t(byte));
    }
    return text;
}

std::string ToWindows1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80 || (unit >= 0xA0 && unit < 0x100)) {
            bytes += static_cast<char>(unit);
            continue;
        }
        bool found = false;
        for (size_t k = 0; k < kHighControls.size() && !found; ++k) {
            if (kHighControls[k] != unit) continue;
            bytes += static_cast<char>(0x80 + k);
            found = true;
        }
        if (found) continue;
        // Not in the code page: kept as UTF-8 (a surrogate pair together).
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        bytes += text.mid(i, length).toStdString();
        i += length - 1;
    }
    return bytes;
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    // The decoder works when its result is taken, not before.
    const QString decoded = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

QString Shown(std::string_view bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return decoder.hasError() ? FromWindows1252(bytes) : text;
}

std::string Bytes(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

std::string EncodedLike(const QString& text, std::string_view original) {
    return IsUtf8(original) ? Bytes(text) : ToWindows1252(text);
}

std::string EncodedFor(const QString& text, bool eightBitFile) {
    return eightBitFile ? ToWindows1252(text) : Bytes(text);
}

QString EditorText(std::string_view crlfText) {
    QString text = Shown(crlfText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string ProjectText(const QString& editorText, std::string_view shownFrom) {
    QString text = editorText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return EncodedLike(text, shownFrom);
}

}  // namespace tavel
