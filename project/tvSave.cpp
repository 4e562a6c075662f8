#include "project/tvSave.h"

#include "ui/FixedDialog.h"

namespace tavel {

TForm6::TForm6(QWidget* parent) : QDialog(parent) { MakeFixedDialog(*this, "TForm6", "Save"); }

}  // namespace tavel
