#pragma once

#include "menu/MenuTreeObserver.h"

#include <QAbstractItemModel>

#include <string>

namespace tavel {

class MenuItem;
class MenuTree;

// Shows the core's menu tree to Qt's views. It holds no copy of the tree:
// every answer is read from the core, and every change the core makes is
// announced through the tree's observer calls.
class MenuTreeModel : public QAbstractItemModel, private MenuTreeObserver {
    Q_OBJECT

public:
    static constexpr const char* kMimeType = "application/x-tavel-menu-item";

    explicit MenuTreeModel(MenuTree& tree, QObject* parent = nullptr);
    ~MenuTreeModel() override;

    QModelIndex IndexOf(const MenuItem* item) const;
    static MenuItem* ItemOf(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // A row reads its caption; to a screen reader it also says where it
    // stands ("level 2, 1 of 3"), after the latest news about it.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    // What a command just did to the item at `index`, heard before its
    // place until the news is cleared, the item moves, or another comes.
    void SetNews(const QModelIndex& index, std::string news);
    void ClearNews();

signals:
    void ItemExpansionChanged(const QModelIndex& index, bool expanded);
    void CurrentItemChanged(const QModelIndex& index);

private:
    void ForgetNews();
    void BeforeInsert(const MenuItem* parent, size_t row) override;
    void AfterInsert() override;
    void BeforeRemove(const MenuItem* parent, size_t row) override;
    void AfterRemove() override;
    void BeforeMove(const MenuItem* fromParent, size_t fromRow, const MenuItem* toParent,
                    size_t toRow) override;
    void AfterMove() override;
    void BeforeReset() override;
    void AfterReset() override;
    void DataChanged(const MenuItem* item) override;
    void ExpansionChanged(const MenuItem* item) override;
    void SelectionChanged(const MenuItem* item) override;

    MenuTree& tree_;
    const MenuItem* newsItem_ = nullptr;
    std::string news_;
};

}  // namespace tavel
