#include "project/tvStyleMaster.h"

#include "ui/FixedDialog.h"

namespace tavel {

TForm3::TForm3(QWidget* parent) : QDialog(parent) { MakeFixedDialog(*this, "TForm3", "Style Master"); }

}  // namespace tavel
