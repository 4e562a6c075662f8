#include "ui/StyleMasterDialog.h"

#include "ui/FixedDialog.h"

namespace tavel {

StyleMasterDialog::StyleMasterDialog(QWidget* parent) : QDialog(parent) { MakeFixedDialog(*this, "TForm3", "Style Master"); }

}  // namespace tavel
