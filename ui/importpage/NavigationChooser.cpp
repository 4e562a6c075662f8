#include "ui/importpage/NavigationChooser.h"

#include "tools/PageNavigation.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FixedDialog.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tavel {
namespace {

// A place's last steps tell it apart ("... > ul#menu-main"), so a long one
// loses its start; the captions, first ones first, keep theirs.
class PlaceDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideLeft;
    }
};

}  // namespace

NavigationChooser::NavigationChooser(QWidget* parent) : QDialog(parent) {
    MakeFixedDialog(*this, "Import menu from page");
    label_ = new QLabel(this);
    label_->setWordWrap(true);
    list_ = new QTreeWidget(this);
    list_->setColumnCount(3);
    list_->setHeaderLabels({"Where", "First captions", "Links"});
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setMinimumWidth(640);
    list_->setItemDelegateForColumn(0, new PlaceDelegate(list_));
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    label_->setBuddy(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemActivated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(list_);
    layout->addWidget(buttons);

    SetFormNames({
        {this, "NavigationChooser"},
        {label_, "NavigationLabel"},
        {list_, "NavigationList"},
        {buttons, "NavigationButtons"},
    });
    SetAccessibleNames({
        {list_, "Navigations of the page", "Where each sits, its first captions and its number of links"},
    });
}

void NavigationChooser::Show(const QString& page, const std::vector<NavigationCandidate>& candidates,
                             size_t preselected) {
    label_->setText(QString("The page %1 has %2 navigations. Choose the one to import as the &menu:")
                        .arg(page)
                        .arg(candidates.size()));
    list_->clear();
    for (const NavigationCandidate& candidate : candidates) {
        QStringList captions;
        for (const std::string& caption : candidate.firstCaptions) captions << Shown(caption);
        auto* row = new QTreeWidgetItem(list_, {Shown(candidate.place), captions.join(", ") + (candidate.links > static_cast<size_t>(captions.size()) ? ", ..." : ""),
                                                QString::number(candidate.links)});
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        row->setToolTip(0, Shown(candidate.place));
        row->setToolTip(1, row->text(1));
    }
    for (int column = 0; column < list_->columnCount(); ++column)
        if (column != 1) list_->resizeColumnToContents(column);
    // The captions keep at least half the width, whatever the place's length.
    list_->setColumnWidth(0, std::min(list_->columnWidth(0), list_->viewport()->width() * 2 / 5));
    list_->setCurrentItem(list_->topLevelItem(static_cast<int>(preselected)));
    list_->setFocus();
}

size_t NavigationChooser::Chosen() const {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    return row < 0 ? 0 : static_cast<size_t>(row);
}

}  // namespace tavel
