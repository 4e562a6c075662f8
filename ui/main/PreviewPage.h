#pragma once

#include <QWebEnginePage>

namespace tavel {

// The preview's page. A script error in the project's files leaves the
// preview without a menu and the user without a clue, so the page reports
// it in words the user can act on: the message, the file and the line.
class PreviewPage : public QWebEnginePage {
    Q_OBJECT

public:
    explicit PreviewPage(QObject* parent = nullptr);

    // "Script error in temp.js, line 12: Uncaught SyntaxError: ..."
    static QString ErrorText(const QString& message, const QString& sourceUrl, int line);

    // Public so that what the browser reports can be replayed.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& sourceUrl) override;

signals:
    void ScriptFailed(const QString& text);
};

}  // namespace tavel
