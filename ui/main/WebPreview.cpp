#include "ui/main/WebPreview.h"

#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"
#include "ui/main/PreviewPage.h"

#include <QChildEvent>

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

// The page takes the keyboard through a widget of the engine's own inside
// the view, which is what a screen reader meets on the way: it goes by the
// view's name. The engine makes it when it needs it, after the view is named.
void WebPreview::childEvent(QChildEvent* event) {
    QWebEngineView::childEvent(event);
    if (event->added()) QMetaObject::invokeMethod(this, &WebPreview::NameFocusProxy, Qt::QueuedConnection);
}

void WebPreview::NameFocusProxy() {
    QWidget* proxy = focusProxy();
    if (proxy == nullptr) return;
    proxy->setAccessibleName(accessibleName());
    proxy->setAccessibleDescription(accessibleDescription());
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
