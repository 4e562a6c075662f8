#pragma once

#include "project/Preview.h"

#include <QWebEngineView>

namespace tavel {

// The preview browser: the core's Preview on a QWebEngineView.
class WebPreview : public QWebEngineView, public Preview {
    Q_OBJECT

public:
    explicit WebPreview(QWidget* parent = nullptr);

    void Navigate(const std::string& location) override;
    void Reload() override;

signals:
    void FirstPageLoaded();
    // What the program asked of the preview, in its own terms.
    void Navigated(const QString& location);
    void Reloaded();
    // A script of the shown page stopped, in words for the status bar.
    void ScriptFailed(const QString& text);

protected:
    void childEvent(QChildEvent* event) override;

private:
    void NameFocusProxy();

    bool loadedOnce_ = false;
};

}  // namespace tavel
