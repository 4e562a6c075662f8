#include "ui/main/WebPreview.h"

#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"
#include "ui/main/PreviewPage.h"

namespace tavel {

WebPreview::WebPreview(QWidget* parent) : QWebEngineView(parent) {
    auto* page = new PreviewPage(this);
    setPage(page);
    connect(page, &PreviewPage::ScriptFailed, this, &WebPreview::ScriptFailed);
    connect(this, &QWebEngineView::loadFinished, this, [this](bool) {
        if (loadedOnce_) return;
        loadedOnce_ = true;
        emit FirstPageLoaded();
    });
}

void WebPreview::Navigate(const std::string& location) {
    const QString shown = Shown(location);
    setUrl(TargetUrl(shown));
    emit Navigated(shown);
}

void WebPreview::Reload() {
    reload();
    emit Reloaded();
}

}  // namespace tavel
