#pragma once

#include <QDialog>

namespace tavel {

// The Program Tools window: a small tool window that stays on top of the
// main window and lets the user go on editing. Created hidden at start-up.
class TForm8 : public QDialog {
    Q_OBJECT

public:
    explicit TForm8(QWidget* parent = nullptr);
};

}  // namespace tavel
