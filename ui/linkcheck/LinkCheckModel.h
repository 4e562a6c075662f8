#pragma once

#include "tools/LinkCheckPlan.h"

#include <QAbstractTableModel>

#include <vector>

namespace tavel {

// The link check's rows for a table view: place, link and result, each row
// coloured by the kind of its result. Its sort role orders the place column
// as the tree does and the result column by kind, then by text.
class LinkCheckModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { PlaceColumn, LinkColumn, ResultColumn, ColumnCount };
    static constexpr int kSortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(std::vector<LinkCheckRow> rows);
    void SetResult(size_t row, const LinkResult& result);
    const std::vector<LinkCheckRow>& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<LinkCheckRow> rows_;
};

}  // namespace tavel
