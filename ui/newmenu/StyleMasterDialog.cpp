#include "ui/newmenu/StyleMasterDialog.h"

#include "design/CssColour.h"
#include "project/StyleFile.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FixedDialog.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavel {
namespace {

// The field a value is typed in goes by the entry's name.
class NamedValueEditor : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor != nullptr) editor->setAccessibleName(index.siblingAtColumn(0).data().toString());
        return editor;
    }
};

}  // namespace

StyleMasterDialog::StyleMasterDialog(UiServices& services, QWidget* parent) : QDialog(parent), services_(services) {
    MakeFixedDialog(*this, "Style Master");

    list_ = new QTableWidget(static_cast<int>(kStyleFileLines), 2, this);
    list_->setHorizontalHeaderLabels({"Simple Element", "Value"});
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    // The arrow keys move between the entries; Tab goes on to the buttons.
    list_->setTabKeyNavigation(false);
    list_->setColumnWidth(0, 130);
    list_->setItemDelegateForColumn(1, new NamedValueEditor(list_));
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->setMinimumSize(340, list_->horizontalHeader()->sizeHint().height() +
                                   static_cast<int>(kStyleFileLines) * list_->verticalHeader()->defaultSectionSize() + 4);
    std::vector<std::string> defaults(DefaultStyleLines().begin(), DefaultStyleLines().end());
    SetLines(defaults);
    connect(list_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { UpdateSwatch(item->row()); });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (column == 0 && IsColourLine(static_cast<size_t>(row) + 1)) PickColour();
    });

    colourButton_ = new QPushButton("&Colour...", this);
    // Always in the Tab order: a keyboard user finds it before choosing an
    // entry, and is told what it needs when the entry has no colour.
    colourButton_->setToolTip("Pick the colour of the selected colour entry");
    colourButton_->setAutoDefault(false);
    connect(colourButton_, &QPushButton::clicked, this, &StyleMasterDialog::PickColour);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(colourButton_);
    row->addStretch();
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    list_->setCurrentCell(0, 1);

    SetFormNames({
        {this, "TForm3"},
        {list_, "ValueListEditor1"},
        {colourButton_, "ColourButton"},
        {buttons->button(QDialogButtonBox::Ok), "OKBtn"},
        {buttons->button(QDialogButtonBox::Cancel), "CancelBtn"},
    });
    SetAccessibleNames({
        {list_, "Style entries"},
    });
}

void StyleMasterDialog::SetLines(const std::vector<std::string>& lines) {
    const QSignalBlocker blocker(list_);
    given_.clear();
    for (size_t i = 0; i < kStyleFileLines; ++i) {
        const std::string line(i < lines.size() ? lines[i] : std::string(DefaultStyleLines()[i]));
        auto* name = new QTableWidgetItem(Shown(StyleLineName(line)).trimmed());
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        list_->setItem(static_cast<int>(i), 0, name);
        list_->setItem(static_cast<int>(i), 1, new QTableWidgetItem(Shown(StyleLineValue(line)).trimmed()));
        given_.push_back(Bytes(list_->item(static_cast<int>(i), 1)->text()));
        UpdateSwatch(static_cast<int>(i));
    }
}

std::vector<std::pair<std::string, std::string>> StyleMasterDialog::Entries() const {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int row = 0; row < list_->rowCount(); ++row)
        entries.emplace_back(Bytes(list_->item(row, 0)->text()), Bytes(list_->item(row, 1)->text().trimmed()));
    return entries;
}

void StyleMasterDialog::SetValue(int line, const QString& value) { list_->item(line - 1, 1)->setText(value); }

void StyleMasterDialog::accept() {
    const std::vector<std::pair<std::string, std::string>> entries = Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!IsColourLine(i + 1) || (i < given_.size() && entries[i].second == given_[i])) continue;
        if (const std::optional<std::string> refusal = ColourRefusal(entries[i].first, entries[i].second)) {
            list_->setCurrentCell(static_cast<int>(i), 1);
            services_.Message(this, "Style Master", Shown(*refusal), QMessageBox::Warning);
            return;
        }
    }
    QDialog::accept();
}

void StyleMasterDialog::PickColour() {
    const int row = list_->currentRow();
    if (!IsColourLine(static_cast<size_t>(row) + 1)) {
        const QString entry = row >= 0 ? "\"" + list_->item(row, 0)->text() + "\" is no colour. " : QString();
        services_.Message(this, "Style Master", entry + "Select a colour entry first, then press Colour...",
                          QMessageBox::NoIcon);
        return;
    }
    QColorDialog dialog(QColor(list_->item(row, 1)->text()), this);
    SetFormNames({{&dialog, "ColorDialog1"}});
    dialog.setWindowTitle("Colour of " + list_->item(row, 0)->text());
    if (!services_.RunDialog(dialog)) return;
    list_->item(row, 1)->setText(dialog.currentColor().name());
}

// A value says which entry it is the value of, to a screen reader that
// reads down the values; a colour entry shows its colour beside its name.
void StyleMasterDialog::UpdateSwatch(int row) {
    QTableWidgetItem* name = list_->item(row, 0);
    QTableWidgetItem* value = list_->item(row, 1);
    if (name == nullptr || value == nullptr) return;
    {
        const QSignalBlocker blocker(list_);
        value->setData(Qt::AccessibleTextRole, name->text() + ": " + value->text());
    }
    if (!IsColourLine(static_cast<size_t>(row) + 1)) return;
    const QColor colour(value->text());
    QPixmap swatch(12, 12);
    swatch.fill(Qt::transparent);
    if (colour.isValid()) {
        QPainter painter(&swatch);
        painter.setPen(palette().color(QPalette::Text));
        painter.setBrush(colour);
        painter.drawRect(0, 0, 11, 11);
    }
    const QSignalBlocker blocker(list_);
    name->setIcon(QIcon(swatch));
}

}  // namespace tavel
