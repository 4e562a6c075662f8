#include "project/tvNewMenu.h"

#include "ui/FixedDialog.h"

namespace tavel {

TForm2::TForm2(QWidget* parent) : QDialog(parent) { MakeFixedDialog(*this, "TForm2", "New Menu"); }

}  // namespace tavel
