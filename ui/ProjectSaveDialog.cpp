#include "ui/ProjectSaveDialog.h"

#include "ui/FixedDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace tavel {

ProjectSaveDialog::ProjectSaveDialog(QWidget* parent) : QDialog(parent) {
    MakeFixedDialog(*this, "TForm6", "Save");

    edit1_ = new QLineEdit("Default Project", this);
    edit1_->setObjectName("Edit1");
    drives_ = new QComboBox(this);
    drives_->setObjectName("DriveComboBox1");

    folderLabel_ = new QLabel(this);
    folderLabel_->setObjectName("FolderLabel");
    folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    folderLabel_->setWordWrap(true);

    model_ = new QFileSystemModel(this);
    // ".." leads up a level, as the folder list always offered.
    model_->setFilter(QDir::AllDirs | QDir::NoDot);
    model_->setReadOnly(true);
    dir_ = new QListView(this);
    dir_->setObjectName("dir");
    dir_->setModel(model_);
    dir_->setMinimumSize(340, 220);
    dir_->setToolTip("Double-click a folder, or press Enter on it, to open it");
    dir_->installEventFilter(this);
    connect(dir_, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { OpenFolder(model_->filePath(index)); });

    auto* form = new QFormLayout;
    form->addRow("Project name", edit1_);
    form->addRow("Drive", drives_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName("OKBtn");
    ok_->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(folderLabel_);
    layout->addWidget(dir_, 1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FillDrives();
    connect(drives_, &QComboBox::activated, this, [this](int row) { OpenFolder(drives_->itemData(row).toString()); });
    // The home folder stands for the first drive's root.
    OpenFolder(QDir::homePath());
}

void ProjectSaveDialog::FillDrives() {
    QStringList roots{QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        if (!roots.contains(volume.rootPath())) roots.push_back(volume.rootPath());
    }
    for (const QString& root : roots) drives_->addItem(QDir::toNativeSeparators(root), root);
}

QString ProjectSaveDialog::ProjectName() const { return edit1_->text(); }

void ProjectSaveDialog::OpenFolder(const QString& folder) {
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (!QDir(clean).exists()) return;
    folder_ = clean;
    dir_->setRootIndex(model_->setRootPath(clean));
    dir_->setCurrentIndex(QModelIndex());
    folderLabel_->setText(QDir::toNativeSeparators(clean));
    ShowDriveOf(clean);
}

void ProjectSaveDialog::ShowDriveOf(const QString& folder) {
    // The drive is the longest root the folder lies in.
    int best = -1;
    qsizetype bestLength = -1;
    for (int row = 0; row < drives_->count(); ++row) {
        QString root = drives_->itemData(row).toString();
        if (!root.endsWith('/')) root += '/';
        if ((folder + '/').startsWith(root) && root.size() > bestLength) {
            best = row;
            bestLength = root.size();
        }
    }
    drives_->setCurrentIndex(best);
}

void ProjectSaveDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edit1_->setFocus(Qt::OtherFocusReason);
    edit1_->selectAll();
}

bool ProjectSaveDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a folder opens it; it must not also press OK.
    if (watched == dir_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && dir_->currentIndex().isValid()) {
            OpenFolder(model_->filePath(dir_->currentIndex()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tavel
