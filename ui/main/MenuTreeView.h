#pragma once

#include <QTreeView>

#include <functional>
#include <string>

class QAccessibleEvent;
class QAccessibleInterface;

namespace tavel {

class MenuItem;
class MenuTreeModel;

// The tree view `Tree`: shows the model, keeps the core's selection and
// expansion in step with its own, and carries drag and drop through to the
// core, which decides where a drop may land.
class MenuTreeView : public QTreeView {
    Q_OBJECT

public:
    // A drop lands before `target`, or with `afterTarget` last in the
    // target's list; a null target with `afterTarget` is the end of the top
    // level.
    struct DropRules {
        // Whether the selected item may land there; when not, `why` gets
        // the reason to show, if there is one to give.
        std::function<bool(const MenuItem* target, bool afterTarget, QString* why)> accepts;
        std::function<void(MenuItem* target, bool afterTarget)> drop;
        std::function<void(MenuItem* item)> select;
        std::function<void(MenuItem* item, bool expanded)> setExpanded;
    };

    MenuTreeView(MenuTreeModel& model, DropRules rules, QWidget* parent = nullptr);

    // Where a drop at `pos` would land, before the rules are asked.
    struct DropSpot {
        MenuItem* target = nullptr;
        bool afterTarget = false;
        bool IsPlace() const { return target != nullptr || afterTarget; }
    };
    DropSpot DropSpotAt(const QPoint& pos) const;

    // Tells a screen reader what a command just did to the item at `index`:
    // the news comes first in the item's description until the keyboard
    // leaves it. With `refocus` (a move, which gave the item a new place)
    // the item is announced as focused again, its new place with it.
    void Announce(const QModelIndex& index, const std::string& news, bool refocus);
    // The item as a screen reader reaches it; null while it is hidden in a
    // closed submenu.
    QAccessibleInterface* AccessibleItem(const QModelIndex& index);
    // Where the view's own accessibility events go: to the screen readers
    // (Qt passes them on while one listens), or to a test's listener.
    void SetAccessibilityTeller(std::function<void(QAccessibleEvent*)> tell) { tell_ = std::move(tell); }

    // How long the pointer rests on a closed item during a drag before it
    // opens, so that an item can be dropped into a closed submenu.
    static constexpr int kOpenOnHoverMs = 700;

signals:
    void ItemDoubleClicked();
    // While dragging: why the place under the pointer refuses the drop, or
    // an empty text when it takes it or the drag is over.
    void DropRefusalShown(const QString& reason);
    // The item was let go where it may not land, for this reason.
    void DropRefused(const QString& reason);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    static bool IsOurDrag(const QDropEvent* event);
    void ShowLandingLine(const DropSpot& spot);
    void ShowRefusal(const QString& reason);
    void TellExpansion(const QModelIndex& index, bool expanded);
    void ForgetAccessibleItems();

    MenuTreeModel& model_;
    DropRules rules_;
    DropSpot landing_;
    QString refusal_;
    bool syncing_ = false;
    std::function<void(QAccessibleEvent*)> tell_;
};

}  // namespace tavel
