#pragma once

#include <QFileSystemModel>

namespace tavel {

// The disk's folders by name alone. The views that pick a folder show only
// names, and a screen reader reads every column of a row, so sizes, kinds
// and dates would reach it as cells nobody sees.
class FolderNameModel : public QFileSystemModel {
public:
    using QFileSystemModel::QFileSystemModel;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.column() > 0 ? 0 : 1; }
};

}  // namespace tavel
