#pragma once

#include <QDialog>

namespace tavel {

// The "Project properties" dialog: the page design dialog.
// Created once at start-up; its controls come with the command that opens it.
class PageDesignDialog : public QDialog {
    Q_OBJECT

public:
    explicit PageDesignDialog(QWidget* parent = nullptr);
};

}  // namespace tavel
