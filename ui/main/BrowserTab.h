#pragma once

#include <QWidget>

namespace tavel {

class CommandRunner;
class UiServices;
class WebPreview;
class Workspace;

// The "Browser" tab: the preview of the project's page under its own
// toolbar (back, forward, the project's page, the page in the desktop's
// browser).
class BrowserTab : public QWidget {
    Q_OBJECT

public:
    BrowserTab(const Workspace& workspace, UiServices& services, CommandRunner& runner, QWidget* parent = nullptr);

    WebPreview& Preview() { return *preview_; }

    void GoBack();
    void GoForward();
    void GoHome();
    void OpenInExternalBrowser();

private:
    const Workspace& workspace_;
    UiServices& services_;
    WebPreview* preview_ = nullptr;
};

}  // namespace tavel
