#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tavel {

// The core keeps texts as 8-bit bytes; the windows show them through the
// local 8-bit codec.
inline QString Shown(std::string_view bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string Bytes(const QString& text) {
    const QByteArray local = text.toLocal8Bit();
    return std::string(local.constData(), static_cast<size_t>(local.size()));
}

// A project text in a text editor: CR LF becomes the editor's line break,
// and back.
QString EditorText(std::string_view crlfText);
std::string ProjectText(const QString& editorText);

}  // namespace tavel
