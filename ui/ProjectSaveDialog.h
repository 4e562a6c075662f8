#pragma once

#include <QDialog>

namespace tavel {

// The "Save" dialog: the dialog that names a project and picks its folder.
// Created once at start-up; its controls come with the command that opens it.
class ProjectSaveDialog : public QDialog {
    Q_OBJECT

public:
    explicit ProjectSaveDialog(QWidget* parent = nullptr);
};

}  // namespace tavel
