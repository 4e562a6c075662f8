#include "ui/main/MenuTreeView.h"

#include "menu/MenuTree.h"
#include "project/TreeAnnouncements.h"
#include "ui/main/MenuTreeModel.h"

#include <QAccessible>
#include <QDrag>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QPainter>

namespace tavel {

MenuTreeView::MenuTreeView(MenuTreeModel& model, DropRules rules, QWidget* parent)
    : QTreeView(parent), model_(model), rules_(std::move(rules)), tell_(&QAccessible::updateAccessibility) {
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
    setAutoExpandDelay(kOpenOnHoverMs);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        model_.ClearNews();
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
        TellExpansion(index, true);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (!syncing_) rules_.setExpanded(MenuTreeModel::ItemOf(index), false);
        TellExpansion(index, false);
    });
    connect(&model_, &MenuTreeModel::ItemExpansionChanged, this, [this](const QModelIndex& index, bool open) {
        syncing_ = true;
        setExpanded(index, open);
        syncing_ = false;
    });
}

// Qt keeps the reader's items by row and renews them only while a reader
// listens: one found standing for another item is dropped with the rest.
QAccessibleInterface* MenuTreeView::AccessibleItem(const QModelIndex& index) {
    if (!index.isValid()) return nullptr;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        if (!isExpanded(parent)) return nullptr;
    // The reader's rows are the rows shown, counted from the top.
    int row = 0;
    for (QModelIndex above = indexAbove(index); above.isValid(); above = indexAbove(above)) ++row;
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface* rows = tree != nullptr ? tree->tableInterface() : nullptr;
    if (rows == nullptr || row >= rows->rowCount()) return nullptr;
    QAccessibleInterface* item = rows->cellAt(row, 0);
    if (item != nullptr && item->tableCellInterface() != nullptr && item->tableCellInterface()->rowIndex() == row)
        return item;
    ForgetAccessibleItems();
    return rows->cellAt(row, 0);
}

void MenuTreeView::ForgetAccessibleItems() {
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(this);
    if (QAccessibleTableInterface* rows = tree != nullptr ? tree->tableInterface() : nullptr) {
        QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
        rows->modelChange(&reset);
    }
}

// Told whether or not a reader listens now (one that starts later must not
// meet items made for these events, which nothing renews until it listens).
void MenuTreeView::Announce(const QModelIndex& index, const std::string& news, bool refocus) {
    model_.SetNews(index, news);
    QAccessibleInterface* item = AccessibleItem(index);
    if (item == nullptr) return;
    if (refocus && hasFocus()) {
        QAccessibleEvent focus(item, QAccessible::Focus);
        tell_(&focus);
    }
    QAccessibleEvent described(item, QAccessible::DescriptionChanged);
    tell_(&described);
    if (!QAccessible::isActive()) ForgetAccessibleItems();
}

void MenuTreeView::TellExpansion(const QModelIndex& index, bool expanded) {
    if (QAccessibleInterface* item = AccessibleItem(index)) {
        QAccessible::State changed;
        changed.expanded = true;
        QAccessibleStateChangeEvent event(item, changed);
        tell_(&event);
        if (!QAccessible::isActive()) ForgetAccessibleItems();
    }
    // Qt's bridge to the desktop's readers passes no state event of this
    // kind on: the item the keyboard is on says it in words as well.
    if (index == currentIndex() && MenuTreeModel::ItemOf(index) != nullptr)
        Announce(index, ExpansionText(*MenuTreeModel::ItemOf(index), expanded), false);
}

MenuTreeView::DropSpot MenuTreeView::DropSpotAt(const QPoint& pos) const {
    const QModelIndex index = indexAt(pos);
    MenuItem* item = MenuTreeModel::ItemOf(index);
    if (item == nullptr) {
        // The empty space below the last row is the end of the top level.
        const QModelIndex last = model_.index(model_.rowCount() - 1, 0);
        if (!last.isValid()) return {nullptr, true};
        QModelIndex bottom = last;
        while (isExpanded(bottom) && model_.rowCount(bottom) > 0)
            bottom = model_.index(model_.rowCount(bottom) - 1, 0, bottom);
        return pos.y() > visualRect(bottom).bottom() ? DropSpot{nullptr, true} : DropSpot{};
    }
    // The lower part of the last item of a list stands for the space below
    // it: the only way to put an item last in that list.
    const bool lastOfList = static_cast<int>(item->Row()) + 1 == model_.rowCount(index.parent());
    const bool childrenShown = isExpanded(index) && item->HasChildren();
    const QRect rect = visualRect(index);
    if (lastOfList && !childrenShown && pos.y() >= rect.top() + rect.height() * 2 / 3) return {item, true};
    return {item, false};
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
    // Let go over a place that refused it: the reason outlasts the drag.
    const QString refused = refusal_;
    ShowRefusal({});
    if (!refused.isEmpty()) emit DropRefused(refused);
}

// Only this view makes drags of this kind, so the format tells them apart.
bool MenuTreeView::IsOurDrag(const QDropEvent* event) {
    return event->mimeData() != nullptr && event->mimeData()->hasFormat(MenuTreeModel::kMimeType);
}

void MenuTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (IsOurDrag(event)) {
        event->acceptProposedAction();
        // The view opens closed items under the pointer only while it knows
        // a drag is going on.
        setState(DraggingState);
    } else {
        event->ignore();
    }
}

void MenuTreeView::dragMoveEvent(QDragMoveEvent* event) {
    // The base class scrolls the view near its edges and opens a closed item
    // the pointer rests on; whether the drop is taken is decided here.
    QTreeView::dragMoveEvent(event);
    const DropSpot spot = IsOurDrag(event) ? DropSpotAt(event->position().toPoint()) : DropSpot{};
    QString reason;
    if (spot.IsPlace() && rules_.accepts(spot.target, spot.afterTarget, &reason)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        ShowLandingLine(spot);
    } else {
        // Ignored, the drag shows the forbidden cursor; the status bar says why.
        event->ignore();
        ShowLandingLine({});
    }
    ShowRefusal(reason);
}

void MenuTreeView::dragLeaveEvent(QDragLeaveEvent* event) {
    ShowLandingLine({});
    ShowRefusal({});
    QTreeView::dragLeaveEvent(event);
}

void MenuTreeView::dropEvent(QDropEvent* event) {
    ShowLandingLine({});
    ShowRefusal({});
    stopAutoScroll();
    setState(NoState);
    const DropSpot spot = IsOurDrag(event) ? DropSpotAt(event->position().toPoint()) : DropSpot{};
    QString reason;
    if (!spot.IsPlace() || !rules_.accepts(spot.target, spot.afterTarget, &reason)) {
        event->ignore();
        if (!reason.isEmpty()) emit DropRefused(reason);
        return;
    }
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    rules_.drop(spot.target, spot.afterTarget);
}

void MenuTreeView::ShowRefusal(const QString& reason) {
    if (refusal_ == reason) return;
    refusal_ = reason;
    emit DropRefusalShown(reason);
}

void MenuTreeView::ShowLandingLine(const DropSpot& spot) {
    if (landing_.target == spot.target && landing_.afterTarget == spot.afterTarget) return;
    landing_ = spot;
    viewport()->update();
}

void MenuTreeView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (!landing_.IsPlace()) return;
    int left = 0;
    int y = 0;
    if (landing_.target != nullptr) {
        const QRect rect = visualRect(model_.IndexOf(landing_.target));
        left = rect.left();
        y = landing_.afterTarget ? rect.bottom() : rect.top();
    } else {
        // The end of the top level: below the last row, at the top level's indent.
        const QModelIndex first = model_.index(0, 0);
        left = first.isValid() ? visualRect(first).left() : 0;
        QModelIndex bottom = model_.index(model_.rowCount() - 1, 0);
        while (bottom.isValid() && isExpanded(bottom) && model_.rowCount(bottom) > 0)
            bottom = model_.index(model_.rowCount(bottom) - 1, 0, bottom);
        y = bottom.isValid() ? visualRect(bottom).bottom() : 0;
    }
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawLine(left, y, viewport()->width() - 4, y);
    painter.drawEllipse(QPoint(left, y), 3, 3);
}

// A click beside the items keeps the selection: the commands act on it,
// and a selection nobody can see would surprise.
void MenuTreeView::mousePressEvent(QMouseEvent* event) {
    if (!indexAt(event->position().toPoint()).isValid()) return;
    QTreeView::mousePressEvent(event);
}

// A click, Ctrl+click or Ctrl+Space never clears the highlight of an item:
// the commands act on the tree's selection, which a click beside the items
// cannot clear either, so what looks selected is always what is selected.
QItemSelectionModel::SelectionFlags MenuTreeView::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
    QItemSelectionModel::SelectionFlags flags = QTreeView::selectionCommand(index, event);
    if (index.isValid() && (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)))
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return flags;
}

void MenuTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid()) emit ItemDoubleClicked();
}

}  // namespace tavel
