#pragma once

#include <QDialog>

namespace tavel {

// The "Style Master" dialog: the list a style file is loaded into while a style is applied.
// Created once at start-up; its controls come with the command that opens it.
class StyleMasterDialog : public QDialog {
    Q_OBJECT

public:
    explicit StyleMasterDialog(QWidget* parent = nullptr);
};

}  // namespace tavel
