#include "ScriptedServices.h"

#include <QDialog>
#include <QWidget>
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

QString ScriptedServices::ScriptMismatch() const {
    QStringList problems;
    if (!dialogs.empty()) problems << QString("%1 dialog answers never asked for").arg(dialogs.size());
    if (!answers.empty()) problems << QString("%1 question answers never asked for").arg(answers.size());
    if (!filesToOpen.empty()) problems << QString("%1 files to open never asked for").arg(filesToOpen.size());
    if (!filesToSave.empty()) problems << QString("%1 files to save never asked for").arg(filesToSave.size());
    if (unexpectedDialogs != 0) problems << QString("%1 dialogs shown without an answer").arg(unexpectedDialogs);
    return problems.join("; ");
}

QStringList ScriptedServices::MessageTexts() const {
    QStringList texts;
    for (const Shown& shown : messages) texts << shown.text;
    return texts;
}

void ScriptedServices::Message(QWidget* parent, const QString& caption, const QString& text, QMessageBox::Icon icon) {
    messages.push_back({caption, text, icon, parent != nullptr ? parent->geometry() : QRect()});
    if (onMessage) onMessage();
}

QMessageBox::StandardButton ScriptedServices::Ask(QWidget* parent, const QString& caption, const QString& text,
                                                  QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                                  QMessageBox::StandardButton defaultButton) {
    questions.push_back({caption, text, icon, parent != nullptr ? parent->geometry() : QRect()});
    lastButtons = buttons;
    lastDefaultButton = defaultButton;
    if (answers.empty()) {
        ++unexpectedDialogs;
        return QMessageBox::Cancel;
    }
    const QMessageBox::StandardButton answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedServices::ChooseFileToOpen(QWidget*, const QString& filter, const QString&) {
    lastOpenFilter = filter;
    if (filesToOpen.empty()) {
        ++unexpectedDialogs;
        return {};
    }
    QString file = filesToOpen.front();
    filesToOpen.pop_front();
    return file;
}

QString ScriptedServices::ChooseFileToSave(QWidget*, const QString&, const QString&, const QString& suggested) {
    lastSaveSuggestion = suggested;
    if (filesToSave.empty()) {
        ++unexpectedDialogs;
        return {};
    }
    QString file = filesToSave.front();
    filesToSave.pop_front();
    return file;
}

bool ScriptedServices::OpenWithSystem(const QString& target) {
    opened.push_back(target);
    return openSucceeds;
}

std::unique_ptr<QPrinter> ScriptedServices::DefaultPrinter() {
    if (printerPdf.isEmpty()) return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(printerPdf);
    return printer;
}

}  // namespace tavel::test
