#include "ui/common/TavelApplication.h"

#include "project/ApplicationTitle.h"
#include "project/CommandDeclined.h"
#include "ui/common/FocusFrameStyle.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"

#include <QStyle>

#include <exception>

// The icons live in a static library, whose resources are not registered
// until asked for.
static void InitResources() { Q_INIT_RESOURCE(icons); }

namespace tavel {

TavelApplication::TavelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    InitResources();
    setApplicationName(kApplicationTitle);
    setApplicationVersion(kApplicationVersion);
    // The desktop entry's name, so that docks and task bars match the window to it.
    setDesktopFileName(TAVEL_APP_ID);
    setWindowIcon(QIcon(":/icons/tavel.svg"));
    // The style chosen for the desktop (or with -style), with its focus frame.
    setStyle(new FocusFrameStyle(style()->name()));
}

void TavelApplication::SetErrorWindow(QWidget* window, UiServices* services) {
    window_ = window;
    services_ = services;
}

bool TavelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const CommandDeclined&) {
        // The user said No to a question; there is nothing to report.
    } catch (const std::exception& error) {
        if (services_ != nullptr) services_->Message(window_, kApplicationTitle, Shown(error.what()), QMessageBox::Critical);
    }
    return false;
}

}  // namespace tavel
