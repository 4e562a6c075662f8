#include "ui/main/CommandRunner.h"

#include "project/ApplicationTitle.h"
#include "project/CommandDeclined.h"
#include "platform/WriteJournal.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"

namespace tavel {

CommandRunner::CommandRunner(UiServices& services, QWidget& window, std::function<void()> beforeEach)
    : services_(services), window_(window), beforeEach_(std::move(beforeEach)) {}

void CommandRunner::RunOver(QWidget* over, const std::function<void()>& command) {
    try {
        beforeEach_();
        command();
    } catch (const CommandDeclined&) {
        // The user said No to the command's question: nothing to report.
    } catch (const std::exception& error) {
        // FileError and PrintError name the file or printer at fault.
        Message(over, Shown(error.what()), QMessageBox::Critical);
    }
    // A write cut short by an earlier run, found and mended by this command.
    for (const std::string& repaired : TakeWriteNotices()) Message(over, Shown(repaired), QMessageBox::Information);
}

bool CommandRunner::Attempt(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const CommandDeclined&) {
        return false;
    } catch (const std::exception& error) {
        ShowError(error.what());
        return false;
    }
}

void CommandRunner::Message(QWidget* over, const QString& text, QMessageBox::Icon icon) {
    services_.Message(over, kApplicationTitle, text, icon);
}

void CommandRunner::ShowError(const std::string& text) { Message(&window_, Shown(text), QMessageBox::Critical); }

}  // namespace tavel
