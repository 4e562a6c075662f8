#include "ui/PageDesignDialog.h"

#include "ui/FixedDialog.h"

namespace tavel {

PageDesignDialog::PageDesignDialog(QWidget* parent) : QDialog(parent) { MakeFixedDialog(*this, "TForm5", "Project properties"); }

}  // namespace tavel
