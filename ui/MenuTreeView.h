#pragma once

#include <QTreeView>

#include <functional>

namespace tavel {

class MenuItem;
class MenuTreeModel;

// The tree view `Tree`: shows the model, keeps the core's selection and
// expansion in step with its own, and carries drag and drop through to the
// core, which decides where a drop may land.
class MenuTreeView : public QTreeView {
    Q_OBJECT

public:
    struct DropRules {
        std::function<bool(const MenuItem* target)> canDropOn;
        std::function<void(MenuItem* target)> dropOn;
        std::function<void(MenuItem* item)> select;
        std::function<void(MenuItem* item, bool expanded)> setExpanded;
    };

    MenuTreeView(MenuTreeModel& model, DropRules rules, QWidget* parent = nullptr);

    // Where the dragged item would land for a drop at `pos`, or null.
    MenuItem* DropTargetAt(const QPoint& pos) const;

signals:
    void ItemDoubleClicked();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    static bool IsOurDrag(const QDropEvent* event);
    void ShowLandingLine(const QModelIndex& target);

    MenuTreeModel& model_;
    DropRules rules_;
    QPersistentModelIndex landing_;
    bool syncing_ = false;
};

}  // namespace tavel
