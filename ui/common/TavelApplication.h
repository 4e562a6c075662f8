#pragma once

#include <QApplication>

namespace tavel {

class UiServices;

// The application object, with the top-level error handler: an exception
// that escapes an event handler is shown in a message box and the program
// goes on, as a failed command always has.
class TavelApplication : public QApplication {
    Q_OBJECT

public:
    TavelApplication(int& argc, char** argv);

    void SetErrorWindow(QWidget* window, UiServices* services);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    QWidget* window_ = nullptr;
    UiServices* services_ = nullptr;
};

}  // namespace tavel
