#include "ui/MenuTreeView.h"

#include "menu/MenuTree.h"
#include "ui/MenuTreeModel.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QPainter>

namespace tavel {

MenuTreeView::MenuTreeView(MenuTreeModel& model, DropRules rules, QWidget* parent)
    : QTreeView(parent), model_(model), rules_(std::move(rules)) {
    setModel(&model);
    setHeaderHidden(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setExpandsOnDoubleClick(false);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(InternalMove);
    // The landing line is drawn here: a drop always puts the item before
    // the target, which Qt's own indicator cannot say.
    setDropIndicatorShown(false);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (!syncing_) rules_.select(MenuTreeModel::ItemOf(current));
    });
    connect(&model_, &MenuTreeModel::CurrentItemChanged, this, [this](const QModelIndex& index) {
        syncing_ = true;
        if (index.isValid())
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        else
            selectionModel()->clear();
        syncing_ = false;
    });
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (!syncing_) rules_.setExpanded(MenuTreeModel::ItemOf(index), true);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (!syncing_) rules_.setExpanded(MenuTreeModel::ItemOf(index), false);
    });
    connect(&model_, &MenuTreeModel::ItemExpansionChanged, this, [this](const QModelIndex& index, bool open) {
        syncing_ = true;
        setExpanded(index, open);
        syncing_ = false;
    });
}

MenuItem* MenuTreeView::DropTargetAt(const QPoint& pos) const {
    MenuItem* target = MenuTreeModel::ItemOf(indexAt(pos));
    return target != nullptr && rules_.canDropOn(target) ? target : nullptr;
}

void MenuTreeView::startDrag(Qt::DropActions) {
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(model_.mimeData({current}));
    drag->setPixmap(viewport()->grab(visualRect(current)));
    // The core has already moved the item when the drop returns: nothing is
    // removed here, whatever the drop reports.
    drag->exec(Qt::MoveAction);
    ShowLandingLine({});
}

// Only this view makes drags of this kind, so the format tells them apart.
bool MenuTreeView::IsOurDrag(const QDropEvent* event) {
    return event->mimeData() != nullptr && event->mimeData()->hasFormat(MenuTreeModel::kMimeType);
}

void MenuTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (IsOurDrag(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void MenuTreeView::dragMoveEvent(QDragMoveEvent* event) {
    // The base class scrolls the view near its edges; whether the drop is
    // taken is decided here, after it.
    QTreeView::dragMoveEvent(event);
    MenuItem* target = IsOurDrag(event) ? DropTargetAt(event->position().toPoint()) : nullptr;
    if (target != nullptr) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        ShowLandingLine(model_.IndexOf(target));
    } else {
        event->ignore();
        ShowLandingLine({});
    }
}

void MenuTreeView::dragLeaveEvent(QDragLeaveEvent* event) {
    ShowLandingLine({});
    QTreeView::dragLeaveEvent(event);
}

void MenuTreeView::dropEvent(QDropEvent* event) {
    ShowLandingLine({});
    MenuItem* target = IsOurDrag(event) ? DropTargetAt(event->position().toPoint()) : nullptr;
    if (target == nullptr) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    rules_.dropOn(target);
}

void MenuTreeView::ShowLandingLine(const QModelIndex& target) {
    if (landing_ == target) return;
    landing_ = target;
    viewport()->update();
}

void MenuTreeView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (!landing_.isValid()) return;
    const QRect rect = visualRect(landing_);
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawLine(rect.left(), rect.top(), viewport()->width() - 4, rect.top());
    painter.drawEllipse(QPoint(rect.left(), rect.top()), 3, 3);
}

// A click beside the items keeps the selection: the commands act on it,
// and a selection nobody can see would surprise.
void MenuTreeView::mousePressEvent(QMouseEvent* event) {
    if (!indexAt(event->position().toPoint()).isValid()) return;
    QTreeView::mousePressEvent(event);
}

void MenuTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid()) emit ItemDoubleClicked();
}

}  // namespace tavel
