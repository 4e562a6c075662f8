#include "tools/tvTools.h"

namespace tavel {

TForm8::TForm8(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("TForm8");
    setWindowTitle("Program Tools");
    setModal(false);
    setFixedSize(230, 221);
}

}  // namespace tavel
