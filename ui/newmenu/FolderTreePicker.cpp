#include "ui/newmenu/FolderTreePicker.h"

#include "ui/newmenu/FolderNameModel.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>

namespace tavel {

FolderTreePicker::FolderTreePicker(QWidget* parent) : QTreeView(parent) {
    folders_ = new FolderNameModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QDir::rootPath());
    setModel(folders_);
    header()->hide();
    setMinimumHeight(200);
    setToolTip("Double-click a folder or press Enter to choose it; Escape closes the tree");
    // The model reads folders in the background: rows arrive and are sorted
    // after the folder is shown, and each time they push it about.
    const auto follow = [this] {
        if (followCurrent_ && isVisible()) scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
    };
    connect(folders_, &QFileSystemModel::directoryLoaded, this, follow);
    connect(folders_, &QFileSystemModel::rowsInserted, this, follow);
    connect(folders_, &QFileSystemModel::layoutChanged, this, follow);
    connect(this, &QTreeView::doubleClicked, this, &FolderTreePicker::folderChosen);
}

bool FolderTreePicker::MoveTo(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) return false;
    const QModelIndex index = folders_->index(info.absoluteFilePath());
    setCurrentIndex(index);
    expand(index);
    return true;
}

void FolderTreePicker::FollowCurrent() {
    followCurrent_ = true;
    scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
}

QString FolderTreePicker::CurrentFolder() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? QDir::toNativeSeparators(folders_->filePath(current)) : QString();
}

void FolderTreePicker::keyPressEvent(QKeyEvent* event) {
    followCurrent_ = false;
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (currentIndex().isValid()) emit folderChosen();
                return;
            case Qt::Key_Escape:
                emit closeRequested();
                return;
            default:
                break;
        }
    }
    QTreeView::keyPressEvent(event);
}

bool FolderTreePicker::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel) followCurrent_ = false;
    return QTreeView::viewportEvent(event);
}

}  // namespace tavel
