#pragma once

#include <QDialog>

namespace tavel {

// The Program Tools window: a small tool window that stays on top of the
// main window and lets the user go on editing. Created hidden at start-up.
class ToolsWindow : public QDialog {
    Q_OBJECT

public:
    explicit ToolsWindow(QWidget* parent = nullptr);
};

}  // namespace tavel
