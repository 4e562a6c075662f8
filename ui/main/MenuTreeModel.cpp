#include "ui/main/MenuTreeModel.h"

#include "menu/MenuTree.h"
#include "project/TreeAnnouncements.h"
#include "ui/common/LocalText.h"

#include <QFont>
#include <QMimeData>

namespace tavel {

MenuTreeModel::MenuTreeModel(MenuTree& tree, QObject* parent) : QAbstractItemModel(parent), tree_(tree) {
    tree_.SetObserver(this);
}

MenuTreeModel::~MenuTreeModel() { tree_.SetObserver(nullptr); }

QModelIndex MenuTreeModel::IndexOf(const MenuItem* item) const {
    if (item == nullptr) return {};
    return createIndex(static_cast<int>(item->Row()), 0, const_cast<MenuItem*>(item));
}

MenuItem* MenuTreeModel::ItemOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<MenuItem*>(index.internalPointer()) : nullptr;
}

QModelIndex MenuTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || (parent.isValid() && parent.column() != 0)) return {};
    const MenuItem* owner = ItemOf(parent);
    if (static_cast<size_t>(row) >= tree_.ChildCount(owner)) return {};
    return createIndex(row, 0, tree_.Child(owner, static_cast<size_t>(row)));
}

QModelIndex MenuTreeModel::parent(const QModelIndex& child) const {
    const MenuItem* item = ItemOf(child);
    return item != nullptr ? IndexOf(item->Parent()) : QModelIndex();
}

int MenuTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != 0) return 0;
    return static_cast<int>(tree_.ChildCount(ItemOf(parent)));
}

int MenuTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant MenuTreeModel::data(const QModelIndex& index, int role) const {
    const MenuItem* item = ItemOf(index);
    if (item == nullptr) return {};
    const MenuItemData& data = item->Data();
    switch (role) {
        case Qt::DisplayRole:
            // A blank caption would make an invisible row that cannot be
            // found to select: the row says what it is instead, set apart.
            if (QString caption = Shown(data.caption); !caption.trimmed().isEmpty()) return caption;
            return QStringLiteral("(no caption)");
        case Qt::FontRole:
            if (!Shown(data.caption).trimmed().isEmpty()) return {};
            {
                QFont italic;
                italic.setItalic(true);
                return italic;
            }
        case Qt::ToolTipRole:
            if (data.hint.empty()) return {};
            return Shown(data.hint);
        case Qt::AccessibleTextRole:
            return Shown(SpokenCaption(*item));
        case Qt::AccessibleDescriptionRole:
            return Shown(SpokenDescription(item == newsItem_ ? news_ : std::string(), ItemPlaceText(tree_, *item)));
        default:
            return {};
    }
}

// The view shows no header, but a screen reader finds one all the same.
QVariant MenuTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && (role == Qt::DisplayRole || role == Qt::AccessibleTextRole))
        return QStringLiteral("Menu items");
    return {};
}

void MenuTreeModel::SetNews(const QModelIndex& index, std::string news) {
    ClearNews();
    newsItem_ = ItemOf(index);
    news_ = std::move(news);
    if (newsItem_ != nullptr) emit dataChanged(index, index, {Qt::AccessibleDescriptionRole});
}

void MenuTreeModel::ClearNews() {
    if (newsItem_ == nullptr) return;
    const QModelIndex index = IndexOf(newsItem_);
    newsItem_ = nullptr;
    news_.clear();
    emit dataChanged(index, index, {Qt::AccessibleDescriptionRole});
}

// Rows are about to come, go or move: the news belongs to the moment before,
// and its item may be on its way out.
void MenuTreeModel::ForgetNews() {
    newsItem_ = nullptr;
    news_.clear();
}

Qt::ItemFlags MenuTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // Captions change only through the Edit Item dialog, never in place.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

Qt::DropActions MenuTreeModel::supportedDragActions() const { return Qt::MoveAction; }
Qt::DropActions MenuTreeModel::supportedDropActions() const { return Qt::MoveAction; }
QStringList MenuTreeModel::mimeTypes() const { return {kMimeType}; }

QMimeData* MenuTreeModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty()) return nullptr;
    // The moved item is the tree's selection; the data only marks the drag
    // as one of ours.
    auto* mime = new QMimeData;
    mime->setData(kMimeType, QByteArray());
    return mime;
}

void MenuTreeModel::BeforeInsert(const MenuItem* parent, size_t row) {
    ForgetNews();
    beginInsertRows(IndexOf(parent), static_cast<int>(row), static_cast<int>(row));
}
void MenuTreeModel::AfterInsert() { endInsertRows(); }

void MenuTreeModel::BeforeRemove(const MenuItem* parent, size_t row) {
    ForgetNews();
    beginRemoveRows(IndexOf(parent), static_cast<int>(row), static_cast<int>(row));
}
void MenuTreeModel::AfterRemove() { endRemoveRows(); }

void MenuTreeModel::BeforeMove(const MenuItem* fromParent, size_t fromRow, const MenuItem* toParent,
                               size_t toRow) {
    ForgetNews();
    const bool ok = beginMoveRows(IndexOf(fromParent), static_cast<int>(fromRow), static_cast<int>(fromRow),
                                  IndexOf(toParent), static_cast<int>(toRow));
    Q_ASSERT(ok);  // the tree never announces a move onto itself
    Q_UNUSED(ok);
}
void MenuTreeModel::AfterMove() { endMoveRows(); }

void MenuTreeModel::BeforeReset() {
    ForgetNews();
    beginResetModel();
}
void MenuTreeModel::AfterReset() { endResetModel(); }

void MenuTreeModel::DataChanged(const MenuItem* item) {
    const QModelIndex index = IndexOf(item);
    emit dataChanged(index, index);
}

void MenuTreeModel::ExpansionChanged(const MenuItem* item) { emit ItemExpansionChanged(IndexOf(item), item->Expanded()); }

void MenuTreeModel::SelectionChanged(const MenuItem* item) { emit CurrentItemChanged(IndexOf(item)); }

}  // namespace tavel
