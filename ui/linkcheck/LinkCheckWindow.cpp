#include "ui/linkcheck/LinkCheckWindow.h"

#include "project/Workspace.h"
#include "tools/LinkCheckPlan.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"
#include "ui/linkcheck/LinkCheckModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

namespace tavel {
namespace {

QPushButton* PlainButton(const QString& caption) {
    auto* button = new QPushButton(caption);
    // Enter on a row shows its item; it must not press a button too.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

LinkCheckWindow::LinkCheckWindow(Workspace& workspace, QTreeView& tree, std::unique_ptr<LinkRequester> requester,
                                 QWidget* parent)
    : QDialog(parent), workspace_(workspace), tree_(&tree), requester_(std::move(requester)) {
    setWindowTitle("Link check");
    resize(760, 440);

    model_ = new LinkCheckModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(LinkCheckModel::kSortRole);

    summary_ = new QLabel;
    // Room for the counts and a word about the network, so that the table
    // keeps its size when that word comes.
    summary_->setMinimumHeight(2 * summary_->fontMetrics().lineSpacing());
    summary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    progress_ = new QProgressBar;
    progress_->setFormat("%v of %m");
    cancel_ = PlainButton("Cancel");
    table_ = new QTableView;
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(LinkCheckModel::PlaceColumn, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The arrows go from row to row; Tab leaves the table for the buttons.
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(LinkCheckModel::PlaceColumn, 260);
    table_->setColumnWidth(LinkCheckModel::LinkColumn, 240);
    note_ = new QLabel;
    copy_ = PlainButton("Copy report");
    close_ = PlainButton("Close");

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(progress_, 1);
    progressRow->addWidget(cancel_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(note_, 1);
    buttonRow->addWidget(copy_);
    buttonRow->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addLayout(progressRow);
    layout->addWidget(table_, 1);
    layout->addLayout(buttonRow);

    connect(cancel_, &QPushButton::clicked, this, &LinkCheckWindow::Cancel);
    connect(copy_, &QPushButton::clicked, this, &LinkCheckWindow::CopyReport);
    connect(close_, &QPushButton::clicked, this, &LinkCheckWindow::reject);
    connect(table_, &QTableView::activated, this, &LinkCheckWindow::ShowInTree);

    SetFormNames({
        {this, "LinkCheckWindow"},
        {summary_, "LinkSummary"},
        {progress_, "LinkProgress"},
        {cancel_, "CancelLinkCheck"},
        {table_, "LinkResults"},
        {note_, "LinkNote"},
        {copy_, "CopyReport"},
        {close_, "CloseLinkCheck"},
    });
    SetAccessibleNames({
        {progress_, "Links checked"},
        {table_, "Link check results"},
    });
}

// The check goes before the requester it sends through.
LinkCheckWindow::~LinkCheckWindow() { check_.reset(); }

void LinkCheckWindow::Start() {
    check_.reset();
    LinkCheckPlan plan = PlanProjectLinkCheck(workspace_);
    items_ = TreeIndexes();
    if (items_.size() != plan.rows.size()) items_.assign(plan.rows.size(), QPersistentModelIndex());
    rowsOfAddress_ = std::move(plan.rowsOfAddress);
    rowsDone_ = 0;
    links_ = 0;
    for (const LinkCheckRow& row : plan.rows) {
        links_ += row.isLink;
        rowsDone_ += row.isLink && row.result.kind != LinkResultKind::Pending;
    }
    webResults_.assign(plan.addresses.size(), LinkPending());
    model_->SetRows(std::move(plan.rows));
    note_->clear();
    running_ = true;
    check_ = std::make_unique<WebLinkCheck>(std::move(plan.addresses), *requester_,
                                            [this](size_t address, const LinkResult& result) { Record(address, result); });
    progress_->show();
    cancel_->show();
    if (!isVisible()) FitTable();
    show();
    raise();
    activateWindow();
    check_->Start();
    ShowProgress();
}

// The window opens as large as its table needs, within the screen, so that
// every row, the last one too, is in view without scrolling where it fits.
void LinkCheckWindow::FitTable() {
    table_->resizeColumnsToContents();
    const int widest = 420;
    for (int column = 0; column + 1 < LinkCheckModel::ColumnCount; ++column)
        table_->setColumnWidth(column, std::min(table_->columnWidth(column), widest));
    const int frame = 2 * table_->frameWidth();
    int width = frame + table_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < LinkCheckModel::ColumnCount; ++column) width += table_->columnWidth(column);
    const int rows = sorted_->rowCount();
    const int height = frame + table_->horizontalHeader()->sizeHint().height() +
                       (rows > 0 ? rows * table_->rowHeight(0) : table_->verticalHeader()->defaultSectionSize());
    layout()->activate();
    const QSize around = sizeHint() - table_->sizeHint();
    QSize wanted = around + QSize(width, height);
    if (const QScreen* shown = screen()) wanted = wanted.boundedTo(shown->availableGeometry().size() * 9 / 10);
    resize(wanted.expandedTo(minimumSizeHint()));
}

void LinkCheckWindow::Cancel() {
    if (!running_) return;
    check_->Cancel();
    const std::vector<LinkCheckRow>& rows = model_->Rows();
    for (size_t row = 0; row < rows.size(); ++row)
        if (rows[row].result.kind == LinkResultKind::Pending) model_->SetResult(row, NotChecked("cancelled"));
    rowsDone_ = links_;
    ShowProgress();
}

void LinkCheckWindow::reject() {
    Cancel();
    // Rows can only be shown again by a new check: their indexes need no
    // keeping up with the tree's edits until then.
    items_.clear();
    QDialog::reject();
}

void LinkCheckWindow::Record(size_t address, const LinkResult& result) {
    webResults_.at(address) = result;
    for (size_t row : rowsOfAddress_.at(address)) model_->SetResult(row, result);
    rowsDone_ += rowsOfAddress_[address].size();
    ShowProgress();
}

void LinkCheckWindow::ShowProgress() {
    const std::vector<LinkCheckRow>& rows = model_->Rows();
    progress_->setRange(0, static_cast<int>(links_));
    progress_->setValue(static_cast<int>(rowsDone_));
    const bool wasRunning = running_;
    running_ = rowsDone_ < links_;
    // The progress shows while the check runs; a finished or cancelled
    // check says what it found in the summary alone.
    if (!running_ && cancel_->hasFocus()) table_->setFocus();
    progress_->setVisible(running_);
    cancel_->setVisible(running_);
    if (running_) {
        summary_->setText(QString("Checking: %1 of %2 links done").arg(rowsDone_).arg(links_));
        return;
    }
    QString summary = Shown(LinkCheckSummary(rows));
    if (const std::string hint = NetworkHint(webResults_); !hint.empty()) summary += "\n" + Shown(hint);
    summary_->setText(summary);
    if (wasRunning) emit Finished();
}

void LinkCheckWindow::ShowInTree(const QModelIndex& shownIndex) {
    const size_t row = static_cast<size_t>(sorted_->mapToSource(shownIndex).row());
    const QPersistentModelIndex item = row < items_.size() ? items_[row] : QPersistentModelIndex();
    if (tree_ == nullptr || !item.isValid()) {
        note_->setText("This item is no longer in the menu tree.");
        return;
    }
    note_->clear();
    tree_->setCurrentIndex(item);
    tree_->scrollTo(item);
}

void LinkCheckWindow::CopyReport() {
    std::vector<LinkCheckRow> shown;
    for (int row = 0; row < sorted_->rowCount(); ++row)
        shown.push_back(model_->Rows().at(static_cast<size_t>(sorted_->mapToSource(sorted_->index(row, 0)).row())));
    QGuiApplication::clipboard()->setText(Shown(LinkCheckReport(shown)));
}

std::vector<QPersistentModelIndex> LinkCheckWindow::TreeIndexes() const {
    std::vector<QPersistentModelIndex> indexes;
    if (tree_ == nullptr || tree_->model() == nullptr) return indexes;
    const QAbstractItemModel& model = *tree_->model();
    // Parents before their children, children in order: the tree's walk.
    std::vector<QModelIndex> pending{QModelIndex()};
    while (!pending.empty()) {
        const QModelIndex parent = pending.back();
        pending.pop_back();
        if (parent.isValid()) indexes.emplace_back(parent);
        for (int row = model.rowCount(parent) - 1; row >= 0; --row) pending.push_back(model.index(row, 0, parent));
    }
    return indexes;
}

}  // namespace tavel
