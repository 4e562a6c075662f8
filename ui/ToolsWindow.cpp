#include "ui/ToolsWindow.h"

namespace tavel {

ToolsWindow::ToolsWindow(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("TForm8");
    setWindowTitle("Program Tools");
    setModal(false);
    setFixedSize(230, 221);
}

}  // namespace tavel
