#include "ui/common/AccessibleNames.h"

#include "ui/common/AccessibleComboBox.h"
#include "ui/common/AccessibleTabBar.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace tavel {

void SetAccessibleNames(std::initializer_list<AccessibleName> table) {
    // Combo boxes and tab bars must say their names too; the first window
    // to name its controls sees to that for all of them.
    UseNamedComboBoxes();
    UseNamedTabBars();
    for (const AccessibleName& row : table) {
        if (row.control == nullptr) continue;
        const QString name = QString::fromUtf8(row.name);
        row.control->setAccessibleName(name);
        if (row.description != nullptr) row.control->setAccessibleDescription(QString::fromUtf8(row.description));
        // The field of an editable combo box takes the keyboard and is what
        // the reader meets first.
        if (auto* box = qobject_cast<QComboBox*>(row.control); box != nullptr && box->lineEdit() != nullptr)
            box->lineEdit()->setAccessibleName(name);
    }
}

void NameFileDialogLists(QFileDialog& dialog) {
    // Qt's names for the parts of its dialog; there is no other way to reach them.
    const std::pair<const char*, const char*> lists[] = {{"lookInLabel", "lookInCombo"}, {"fileTypeLabel", "fileTypeCombo"}};
    for (const auto& [label, list] : lists) {
        auto* caption = dialog.findChild<QLabel*>(label);
        auto* box = dialog.findChild<QComboBox*>(list);
        if (caption != nullptr && box != nullptr && caption->buddy() == nullptr) caption->setBuddy(box);
    }
}

QWidget* OverflowButton(const QToolBar& bar) {
    // Qt's own name for its part; there is no other way to reach it.
    return bar.findChild<QToolButton*>("qt_toolbar_ext_button", Qt::FindDirectChildrenOnly);
}

}  // namespace tavel
