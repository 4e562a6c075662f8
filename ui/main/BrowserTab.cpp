#include "ui/main/BrowserTab.h"

#include "platform/Paths.h"
#include "project/ExternalBrowserTarget.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"
#include "ui/common/StartupTiming.h"
#include "ui/common/UiServices.h"
#include "ui/main/CommandRunner.h"
#include "ui/main/WebPreview.h"

#include <QToolBar>
#include <QVBoxLayout>

namespace tavel {

BrowserTab::BrowserTab(const Workspace& workspace, UiServices& services, CommandRunner& runner, QWidget* parent)
    : QWidget(parent), workspace_(workspace), services_(services) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QToolBar;
    bar->setIconSize(QSize(18, 18));
    const struct {
        const char* hint;
        const char* icon;
        void (BrowserTab::*handler)();
    } buttons[] = {
        {"Previous", "back", &BrowserTab::GoBack},
        {"Next", "forward", &BrowserTab::GoForward},
        {"Home", "home", &BrowserTab::GoHome},
        {"Open in external browser", "external", &BrowserTab::OpenInExternalBrowser},
    };
    QWidget* shown[std::size(buttons)];
    for (size_t i = 0; i < std::size(buttons); ++i) {
        QAction* action = bar->addAction(QIcon(QString(":/icons/%1.svg").arg(buttons[i].icon)), buttons[i].hint);
        action->setToolTip(buttons[i].hint);
        action->setStatusTip(buttons[i].hint);
        shown[i] = bar->widgetForAction(action);
        // These commands are on no menu and have no key: Tab reaches them.
        shown[i]->setFocusPolicy(Qt::TabFocus);
        connect(action, &QAction::triggered, this,
                [this, &runner, handler = buttons[i].handler] { runner.Run([this, handler] { (this->*handler)(); }); });
    }
    layout->addWidget(bar);

    preview_ = new WebPreview;
    connect(preview_, &WebPreview::FirstPageLoaded, this, [] {
        qCInfo(lcStartup, "first preview page loaded after %.0f ms", MillisecondsSinceProcessStart());
    });
    layout->addWidget(preview_, 1);

    SetFormNames({
        {bar, "ToolBar1"},
        {shown[0], "ToolButton1"},
        {shown[1], "ToolButton2"},
        {shown[2], "ToolButton3"},
        {shown[3], "ToolButton4"},
        {preview_, "Web"},
    });
    SetAccessibleNames({
        {this, "Browser"},
        {bar, "Browser commands"},
        {OverflowButton(*bar), "More browser commands"},
        {preview_, "Preview", "Tab goes from link to link in the page and on out of it"},
    });
}

void BrowserTab::GoBack() { preview_->back(); }

void BrowserTab::GoForward() { preview_->forward(); }

// The preview has no home page of its own: home is the open project's page.
void BrowserTab::GoHome() { preview_->Navigate(FileLocation(workspace_.ProjectFilePath(projectfile::kPage))); }

void BrowserTab::OpenInExternalBrowser() {
    OpenOrSayWhyNot(services_, window(), Shown(ExternalBrowserTarget(workspace_)));
}

}  // namespace tavel
