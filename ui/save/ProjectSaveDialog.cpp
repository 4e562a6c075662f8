#include "ui/save/ProjectSaveDialog.h"

#include "ui/common/AccessibleNames.h"
#include "ui/common/FixedDialog.h"
#include "ui/common/FormNames.h"
#include "ui/common/ProgramSettings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QStorageInfo>
#include <QStringListModel>
#include <QVBoxLayout>

namespace tavel {
namespace {

// The dialog's keys in the program's settings.
constexpr const char* kNameKey = "SaveDialog/projectName";
constexpr const char* kFolderKey = "SaveDialog/folder";

// The folders of one folder; ".." (the way up), which a screen reader would
// pass over as punctuation, is spoken as what it is.
class FolderNames : public QStringListModel {
public:
    using QStringListModel::QStringListModel;
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::AccessibleTextRole && QStringListModel::data(index, Qt::DisplayRole).toString() == "..")
            return QStringLiteral("Parent folder (..)");
        return QStringListModel::data(index, role);
    }
};

}  // namespace

ProjectSaveDialog::ProjectSaveDialog(QWidget* parent) : QDialog(parent) {
    MakeFixedDialog(*this, "Save");

    projectNameEdit_ = new QLineEdit("Default Project", this);
    driveList_ = new QComboBox(this);

    folderLabel_ = new QLabel(this);
    folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    folderLabel_->setWordWrap(true);

    // The list shows one folder at a time: ".." is the way up a level. It is
    // read whole when the folder opens, not filled in later as a file system
    // model does: a screen reader then finds every folder the list shows.
    folders_ = new FolderNames(this);
    folderList_ = new QListView(this);
    folderList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    folderList_->setModel(folders_);
    folderList_->setMinimumSize(340, 220);
    folderList_->setToolTip("Double-click a folder, or press Enter on it, to open it");
    folderList_->installEventFilter(this);
    connect(folderList_, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { OpenFolder(FolderAt(index)); });

    auto* form = new QFormLayout;
    form->addRow("Project name", projectNameEdit_);
    form->addRow("Drive", driveList_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(folderLabel_);
    layout->addWidget(folderList_, 1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FillDrives();
    connect(driveList_, &QComboBox::activated, this, [this](int row) { OpenFolder(driveList_->itemData(row).toString()); });
    // The home folder stands for the first drive's root; it is also where
    // the dialog starts when the folder of the last run is gone.
    const QSettings settings(kSettingsOwner, kSettingsOwner);
    projectNameEdit_->setText(settings.value(kNameKey, projectNameEdit_->text()).toString());
    QString start = settings.value(kFolderKey).toString();
    if (start.isEmpty() || !QDir(start).exists()) start = QDir::homePath();
    OpenFolder(start);

    SetFormNames({
        {this, "TForm6"},
        {projectNameEdit_, "Edit1"},
        {driveList_, "DriveComboBox1"},
        {folderLabel_, "FolderLabel"},
        {folderList_, "dir"},
        {ok_, "OKBtn"},
        {buttons->button(QDialogButtonBox::Cancel), "CancelBtn"},
    });
    SetAccessibleNames({
        {folderList_, "Folders"},
    });
}

void ProjectSaveDialog::FillDrives() {
    QStringList roots{QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        if (!roots.contains(volume.rootPath())) roots.push_back(volume.rootPath());
    }
    for (const QString& root : roots) driveList_->addItem(QDir::toNativeSeparators(root), root);
}

QString ProjectSaveDialog::FolderAt(const QModelIndex& index) const {
    return QDir(folder_).filePath(index.data().toString());
}

QString ProjectSaveDialog::ProjectName() const { return projectNameEdit_->text(); }

void ProjectSaveDialog::OpenFolder(const QString& folder) {
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (!QDir(clean).exists()) return;
    folder_ = clean;
    folders_->setStringList(
        QDir(clean).entryList(QDir::AllDirs | QDir::NoDot, QDir::Name | QDir::IgnoreCase));
    folderList_->setCurrentIndex(QModelIndex());
    folderLabel_->setText(QDir::toNativeSeparators(clean));
    ShowDriveOf(clean);
}

void ProjectSaveDialog::RememberChoice() const {
    QSettings settings(kSettingsOwner, kSettingsOwner);
    settings.setValue(kNameKey, ProjectName());
    settings.setValue(kFolderKey, folder_);
}

void ProjectSaveDialog::ShowDriveOf(const QString& folder) {
    // The drive is the longest root the folder lies in.
    int best = -1;
    qsizetype bestLength = -1;
    for (int row = 0; row < driveList_->count(); ++row) {
        QString root = driveList_->itemData(row).toString();
        if (!root.endsWith('/')) root += '/';
        if ((folder + '/').startsWith(root) && root.size() > bestLength) {
            best = row;
            bestLength = root.size();
        }
    }
    driveList_->setCurrentIndex(best);
}

void ProjectSaveDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    projectNameEdit_->setFocus(Qt::OtherFocusReason);
    projectNameEdit_->selectAll();
}

bool ProjectSaveDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a folder opens it; it must not also press OK.
    if (watched == folderList_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && folderList_->currentIndex().isValid()) {
            OpenFolder(FolderAt(folderList_->currentIndex()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tavel
