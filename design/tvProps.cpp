#include "design/tvProps.h"

#include "ui/FixedDialog.h"

namespace tavel {

TForm5::TForm5(QWidget* parent) : QDialog(parent) { MakeFixedDialog(*this, "TForm5", "Project properties"); }

}  // namespace tavel
