#pragma once

#include <QMessageBox>

#include <functional>
#include <string>

class QWidget;

namespace tavel {

class UiServices;

// Runs the main window's commands and reports on them. `beforeEach` runs
// first (it brings what the user typed into the project texts to the core);
// an error that ends a command is shown in a message box over the window it
// came from, and the program goes on.
class CommandRunner {
public:
    CommandRunner(UiServices& services, QWidget& window, std::function<void()> beforeEach);

    void Run(const std::function<void()>& command) { RunOver(&window_, command); }
    // `over` is the window the message stands on: this one, or a tool
    // window on top of it.
    void RunOver(QWidget* over, const std::function<void()>& command);
    // Runs one step of a command and shows its failure; true when it
    // succeeded (a question the user said No to counts as a failure).
    bool Attempt(const std::function<void()>& step);

    // A message box with the program's name as caption.
    void Message(QWidget* over, const QString& text, QMessageBox::Icon icon);
    void ShowError(const std::string& text);
    // No icon, one OK button.
    void PlainMessage(const QString& text) { Message(&window_, text, QMessageBox::NoIcon); }

private:
    UiServices& services_;
    QWidget& window_;
    std::function<void()> beforeEach_;
};

}  // namespace tavel
