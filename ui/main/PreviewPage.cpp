#include "ui/main/PreviewPage.h"

#include <QUrl>

namespace tavel {

PreviewPage::PreviewPage(QObject* parent) : QWebEnginePage(parent) {}

QString PreviewPage::ErrorText(const QString& message, const QString& sourceUrl, int line) {
    const QString file = QUrl(sourceUrl).fileName();
    if (file.isEmpty()) return QString("Script error: %1").arg(message);
    return QString("Script error in %1, line %2: %3").arg(file).arg(line).arg(message);
}

void PreviewPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                           const QString& sourceUrl) {
    QWebEnginePage::javaScriptConsoleMessage(level, message, line, sourceUrl);
    if (level == ErrorMessageLevel) emit ScriptFailed(ErrorText(message, sourceUrl, line));
}

}  // namespace tavel
