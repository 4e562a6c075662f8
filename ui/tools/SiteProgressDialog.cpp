#include "ui/tools/SiteProgressDialog.h"

#include "ui/common/AccessibleNames.h"
#include "ui/common/FormNames.h"

#include <QProgressBar>

namespace tavel {

SiteProgressDialog::SiteProgressDialog(QWidget* parent)
    : QProgressDialog("Creating the site's pages...", "Cancel", 0, 0, parent) {
    setWindowTitle("Create site");
    setWindowModality(Qt::ApplicationModal);
    setMinimumDuration(kDelayMs);
    setAutoReset(false);
    auto* bar = new QProgressBar(this);
    setBar(bar);

    SetFormNames({{this, "SiteProgress"}});
    SetAccessibleNames({{bar, "Pages created"}});
}

}  // namespace tavel
