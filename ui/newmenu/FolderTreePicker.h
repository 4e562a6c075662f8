#pragma once

#include <QTreeView>

class QFileSystemModel;

namespace tavel {

// A tree of the disk's folders for choosing one. Enter or a double-click
// chooses the current folder and Escape asks to close the tree: both keys
// stay in the tree, so they neither press the default button nor close the
// dialog around it.
class FolderTreePicker : public QTreeView {
    Q_OBJECT

public:
    explicit FolderTreePicker(QWidget* parent = nullptr);

    // Makes `folder` current and opens it; false, with the tree left where
    // it was, when it is not a folder.
    bool MoveTo(const QString& folder);
    // Brings the current folder into the middle of the view and keeps it
    // there as folders are read in, until the user moves about the tree.
    void FollowCurrent();
    // The current folder, in the platform's separators; empty when none.
    QString CurrentFolder() const;

signals:
    void folderChosen();
    void closeRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    QFileSystemModel* folders_;
    bool followCurrent_ = false;
};

}  // namespace tavel
