#include "ui/LocalText.h"

namespace tavel {

QString EditorText(std::string_view crlfText) {
    QString text = Shown(crlfText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string ProjectText(const QString& editorText) {
    QString text = editorText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return Bytes(text);
}

}  // namespace tavel
