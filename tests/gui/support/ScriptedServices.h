#pragma once

#include "ui/common/UiServices.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace tavel::test {

// Answers the program's modal questions from a script and records what it
// showed, so a test drives commands exactly as a user would, but without
// anyone at the screen.
class ScriptedServices : public UiServices {
public:
    // One answer per dialog the program will show, in order: it may read
    // and fill the dialog's fields, and returns true for OK.
    using DialogAnswer = std::function<bool(QDialog&)>;
    std::deque<DialogAnswer> dialogs;

    struct Shown {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QRect parentGeometry;  // where the window it stood on was, at that moment
    };
    std::vector<Shown> messages;
    // Runs as each message shows, as the desktop would act while a box is up.
    std::function<void()> onMessage;
    // The texts of the messages shown, in order.
    QStringList MessageTexts() const;

    // One button per question, in order; the questions asked, in order.
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<Shown> questions;
    QMessageBox::StandardButtons lastButtons;
    QMessageBox::StandardButton lastDefaultButton = QMessageBox::NoButton;
    // One path per open-file dialog; an empty one cancels it.
    std::deque<QString> filesToOpen;
    QString lastOpenFilter;
    // One path per save-file dialog; an empty one cancels it. What the
    // last one suggested.
    std::deque<QString> filesToSave;
    QString lastSaveSuggestion;
    std::vector<QString> opened;
    // Whether the desktop manages to open what it is given.
    bool openSucceeds = true;
    // Where the default printer writes; empty means there is no printer.
    QString printerPdf;

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

    // Dialogs, questions and open-file dialogs nobody scripted an answer for.
    int unexpectedDialogs = 0;

    // Empty when the script was used exactly: every answer asked for, and
    // nothing shown without one. An answer left over means the checks the
    // test put into it never ran.
    QString ScriptMismatch() const;
};

}  // namespace tavel::test
