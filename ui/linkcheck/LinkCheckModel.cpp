#include "ui/linkcheck/LinkCheckModel.h"

#include "ui/common/LocalText.h"

#include <QBrush>
#include <QColor>

namespace tavel {
namespace {

// Light backgrounds under the normal dark text, so that every row reads
// well; the result's words say the same for those who do not see colour.
QColor Background(LinkResultKind kind) {
    switch (kind) {
        case LinkResultKind::Ok: return QColor(0xdf, 0xf2, 0xe1);
        case LinkResultKind::Warning: return QColor(0xfd, 0xf0, 0xc4);
        case LinkResultKind::Broken: return QColor(0xf9, 0xd6, 0xd5);
        case LinkResultKind::NotChecked: return QColor(0xea, 0xea, 0xea);
        case LinkResultKind::Pending: break;
    }
    return {};
}

// Sorted by the result, broken links come first, then those to mend.
int Rank(LinkResultKind kind) {
    switch (kind) {
        case LinkResultKind::Broken: return 0;
        case LinkResultKind::Warning: return 1;
        case LinkResultKind::NotChecked: return 2;
        case LinkResultKind::Ok: return 3;
        case LinkResultKind::Pending: break;
    }
    return 4;
}

}  // namespace

void LinkCheckModel::SetRows(std::vector<LinkCheckRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void LinkCheckModel::SetResult(size_t row, const LinkResult& result) {
    rows_.at(row).result = result;
    const int r = static_cast<int>(row);
    emit dataChanged(index(r, 0), index(r, ColumnCount - 1));
}

int LinkCheckModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LinkCheckModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant LinkCheckModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<size_t>(index.row()) >= rows_.size()) return {};
    const LinkCheckRow& row = rows_[static_cast<size_t>(index.row())];
    const auto text = [&]() -> QString {
        switch (index.column()) {
            case PlaceColumn: return Shown(row.place);
            case LinkColumn: return Shown(row.link);
            default: return Shown(row.result.text);
        }
    };
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: return text();
        case Qt::BackgroundRole:
            if (QColor colour = Background(row.result.kind); colour.isValid()) return QBrush(colour);
            return {};
        case Qt::ForegroundRole:
            if (row.result.kind == LinkResultKind::Pending) return {};
            return QBrush(QColor(0x1d, 0x27, 0x33));
        case kSortRole:
            if (index.column() == PlaceColumn) return index.row();
            if (index.column() == ResultColumn) return QString::number(Rank(row.result.kind)) + text();
            return text();
        default: return {};
    }
}

QVariant LinkCheckModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
        case PlaceColumn: return QStringLiteral("Place");
        case LinkColumn: return QStringLiteral("Link");
        case ResultColumn: return QStringLiteral("Result");
        default: return {};
    }
}

}  // namespace tavel
