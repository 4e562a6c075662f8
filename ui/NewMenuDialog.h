#pragma once

#include <QDialog>

namespace tavel {

// The "New Menu" dialog: the new menu dialog: starting a menu from a style, or restyling the open one.
// Created once at start-up; its controls come with the command that opens it.
class NewMenuDialog : public QDialog {
    Q_OBJECT

public:
    explicit NewMenuDialog(QWidget* parent = nullptr);
};

}  // namespace tavel
