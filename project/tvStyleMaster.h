#pragma once

#include <QDialog>

namespace tavel {

// The "Style Master" dialog: the list a style file is loaded into while a style is applied.
// Created once at start-up; its controls come with the command that opens it.
class TForm3 : public QDialog {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);
};

}  // namespace tavel
