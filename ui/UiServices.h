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
    // Asks a question with the given buttons and returns the one chosen.
    virtual QMessageBox::StandardButton Ask(QWidget* parent, const QString& caption, const QString& text,
                                            QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) = 0;
    // Opens a file, folder or address the way the desktop does; the result
    // is not looked at.
    virtual void OpenWithSystem(const QString& target) = 0;
    // The printer reports go to; throws PrintError when there is none.
    virtual std::unique_ptr<QPrinter> DefaultPrinter() = 0;
};

// The desktop itself.
class DesktopServices : public UiServices {
public:
    bool RunDialog(QDialog& dialog) override;
    void Message(QWidget* parent, const QString& caption, const QString& text,
                 QMessageBox::Icon icon) override;
    QMessageBox::StandardButton Ask(QWidget* parent, const QString& caption, const QString& text,
                                    QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override;
    void OpenWithSystem(const QString& target) override;
    std::unique_ptr<QPrinter> DefaultPrinter() override;
};

// Turns a target the program writes ("file:" with three backslashes, a plain
// path, a web address) into a URL the desktop can open.
QUrl TargetUrl(const QString& target);

}  // namespace tavel
