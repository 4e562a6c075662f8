#pragma once

#include "ui/UiServices.h"

#include <QString>

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
    };
    std::vector<Shown> messages;
    // One answer per question, in order; each question is also recorded.
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<Shown> questions;
    std::vector<QString> opened;
    // Where the default printer writes; empty means there is no printer.
    QString printerPdf;

    bool RunDialog(QDialog& dialog) override;
    void Message(QWidget* parent, const QString& caption, const QString& text,
                 QMessageBox::Icon icon) override;
    QMessageBox::StandardButton Ask(QWidget* parent, const QString& caption, const QString& text,
                                    QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override;
    void OpenWithSystem(const QString& target) override;
    std::unique_ptr<QPrinter> DefaultPrinter() override;

    int unexpectedDialogs = 0;
};

}  // namespace tavel::test
