#include "ui/common/LocalText.h"

#include "platform/TextEncoding.h"

#include <QStringDecoder>

#include <array>

namespace tavel {
namespace {

QString FromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += QChar(byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t(byte));
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
        for (size_t k = 0; k < kWindows1252High.size() && !found; ++k) {
            if (kWindows1252High[k] != unit) continue;
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
