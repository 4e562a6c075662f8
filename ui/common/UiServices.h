#pragma once

#include <QMessageBox>
#include <QString>

#include <memory>

class QDialog;
class QPrinter;
class QWidget;

namespace tavel {

// Everything a window does that waits for the user or reaches outside the
// program: modal dialogs, message boxes, the system's "open", the default
// printer. The program uses the real ones; tests answer from a script.
class UiServices {
public:
    virtual ~UiServices() = default;

    // Shows the dialog modally; true when it closed with OK.
    virtual bool RunDialog(QDialog& dialog) = 0;
    virtual void Message(QWidget* parent, const QString& caption, const QString& text,
                         QMessageBox::Icon icon) = 0;
    // A question: the button the user pressed, Cancel when the box was
    // closed without one.
    // `defaultButton` is what Enter presses; without one it is Yes.
    virtual QMessageBox::StandardButton Ask(QWidget* parent, const QString& caption, const QString& text,
                                            QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    // The file the user chose to open, or an empty string when cancelled.
    // `filter` is a file dialog filter such as "Java Script File (*.js)";
    // the dialog starts in `folder`.
    virtual QString ChooseFileToOpen(QWidget* parent, const QString& filter, const QString& folder) = 0;
    // The file the user chose to write, having agreed to replace it if it
    // exists, or an empty string when cancelled. The dialog offers
    // `suggested` (a path); the filter's first pattern gives the suffix a
    // bare name gets.
    virtual QString ChooseFileToSave(QWidget* parent, const QString& caption, const QString& filter,
                                     const QString& suggested) = 0;
    // Opens a file, folder or address the way the desktop does; false when
    // the desktop could not open it.
    virtual bool OpenWithSystem(const QString& target) = 0;
    // The printer reports go to; null when there is none.
    virtual std::unique_ptr<QPrinter> DefaultPrinter() = 0;
};

// The desktop itself.
class DesktopServices : public UiServices {
public:
    bool RunDialog(QDialog& dialog) override;
    void Message(QWidget* parent, const QString& caption, const QString& text,
                 QMessageBox::Icon icon) override;
    QMessageBox::StandardButton Ask(QWidget* parent, const QString& caption, const QString& text,
                                    QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) override;
    QString ChooseFileToOpen(QWidget* parent, const QString& filter, const QString& folder) override;
    QString ChooseFileToSave(QWidget* parent, const QString& caption, const QString& filter,
                             const QString& suggested) override;
    bool OpenWithSystem(const QString& target) override;
    std::unique_ptr<QPrinter> DefaultPrinter() override;
};

// Opens the target with the desktop and, when nothing opens it (no browser,
// no viewer, a missing file), says so in a message that names it.
void OpenOrSayWhyNot(UiServices& services, QWidget* parent, const QString& target);

// Turns a target the program writes ("file:" with three backslashes, a plain
// path, a web address) into a URL the desktop can open.
QUrl TargetUrl(const QString& target);

}  // namespace tavel
