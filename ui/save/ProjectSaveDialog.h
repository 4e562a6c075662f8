#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;
class QStringListModel;

namespace tavel {

// The "Save" dialog: names a project and picks the folder it goes into. It
// lives for the whole run and keeps its name and folder between uses, and
// the ones last confirmed across runs too (in the user's settings). The
// folder is the one the user opened in the list (double-click or Enter),
// not one merely highlighted; the drive list moves the folder list to the
// home folder or a mounted volume.
class ProjectSaveDialog : public QDialog {
    Q_OBJECT

public:
    explicit ProjectSaveDialog(QWidget* parent = nullptr);

    QString ProjectName() const;
    QString CurrentFolder() const { return folder_; }
    // Makes `folder` the opened folder of the list.
    void OpenFolder(const QString& folder);
    // Keeps the name and folder for the next run; for a dialog closed with OK.
    void RememberChoice() const;

    QLineEdit* ProjectNameEdit() const { return projectNameEdit_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillDrives();
    void ShowDriveOf(const QString& folder);
    QString FolderAt(const QModelIndex& index) const;

    QLineEdit* projectNameEdit_;
    QComboBox* driveList_;
    QLabel* folderLabel_;
    QListView* folderList_;
    QStringListModel* folders_;
    QPushButton* ok_;
    QString folder_;
};

}  // namespace tavel
