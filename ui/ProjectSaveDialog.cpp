#include "ui/ProjectSaveDialog.h"

#include "ui/FixedDialog.h"

namespace tavel {

ProjectSaveDialog::ProjectSaveDialog(QWidget* parent) : QDialog(parent) { MakeFixedDialog(*this, "TForm6", "Save"); }

}  // namespace tavel
