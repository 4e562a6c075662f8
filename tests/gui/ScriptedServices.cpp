#include "ScriptedServices.h"

#include "ui/PrintError.h"

#include <QDialog>
#include <QPrinter>

namespace tavel::test {

bool ScriptedServices::RunDialog(QDialog& dialog) {
    if (dialogs.empty()) {
        ++unexpectedDialogs;
        return false;
    }
    DialogAnswer answer = std::move(dialogs.front());
    dialogs.pop_front();
    return answer(dialog);
}

void ScriptedServices::Message(QWidget*, const QString& caption, const QString& text, QMessageBox::Icon icon) {
    messages.push_back({caption, text, icon});
}

QMessageBox::StandardButton ScriptedServices::Ask(QWidget*, const QString& caption, const QString& text,
                                                  QMessageBox::Icon icon, QMessageBox::StandardButtons) {
    questions.push_back({caption, text, icon});
    if (answers.empty()) {
        ++unexpectedDialogs;
        return QMessageBox::Cancel;
    }
    const QMessageBox::StandardButton answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedServices::OpenWithSystem(const QString& target) { opened.push_back(target); }

std::unique_ptr<QPrinter> ScriptedServices::DefaultPrinter() {
    if (printerPdf.isEmpty()) throw PrintError("There is no default printer.");
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(printerPdf);
    return printer;
}

}  // namespace tavel::test
