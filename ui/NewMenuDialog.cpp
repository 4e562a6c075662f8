#include "ui/NewMenuDialog.h"

#include "ui/FixedDialog.h"

namespace tavel {

NewMenuDialog::NewMenuDialog(QWidget* parent) : QDialog(parent) { MakeFixedDialog(*this, "TForm2", "New Menu"); }

}  // namespace tavel
