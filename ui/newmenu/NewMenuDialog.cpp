#include "ui/newmenu/NewMenuDialog.h"

#include "platform/TextFile.h"
#include "platform/TextLines.h"
#include "project/ApplicationTitle.h"
#include "project/StyleFile.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FixedDialog.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"
#include "ui/newmenu/FolderTreePicker.h"
#include "ui/newmenu/StyleMasterDialog.h"
#include "ui/newmenu/StylePicture.h"

#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavel {
namespace {

constexpr int kFirstUserEntry = static_cast<int>(kStyleListHead.size());
constexpr int kOwnStyleEntry = 0;

}  // namespace

// The style list. "Own style..." opens the Style Master when it is chosen,
// with Enter or in the open list, not when the arrow keys pass over it in
// the closed list (a keyboard or screen reader user goes through every
// entry); left without being chosen, the list shows the style in use again.
class StyleList : public QComboBox {
public:
    StyleList(QWidget* parent, std::function<void()> leftOwnStyle)
        : QComboBox(parent), leftOwnStyle_(std::move(leftOwnStyle)) {}
    // Whether the entry now current was only passed over by the keys.
    bool Browsing() const { return browsing_; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && currentIndex() == kOwnStyleEntry) {
            emit activated(kOwnStyleEntry);
            return;
        }
        const QScopedValueRollback<bool> browsing(browsing_, true);
        QComboBox::keyPressEvent(event);
    }
    void wheelEvent(QWheelEvent* event) override {
        const QScopedValueRollback<bool> browsing(browsing_, true);
        QComboBox::wheelEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QComboBox::focusOutEvent(event);
        const Qt::FocusReason reason = event->reason();
        if (currentIndex() == kOwnStyleEntry && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            leftOwnStyle_();
    }

private:
    std::function<void()> leftOwnStyle_;
    bool browsing_ = false;
};

NewMenuDialog::NewMenuDialog(const Workspace& workspace, UiServices& services, QWidget* parent)
    : QDialog(parent), workspace_(workspace), services_(services) {
    MakeFixedDialog(*this, "New Menu");

    captionEdit_ = new QLineEdit("UntitledMenu1", this);
    styleList_ = new StyleList(this, [this] { Select(lastStyle_); });
    for (std::string_view entry : kStyleListHead) styleList_->addItem(Shown(entry));
    styleList_->setCurrentIndex(1);
    connect(styleList_, &QComboBox::activated, this, &NewMenuDialog::SelectEntry);

    deleteStyleButton_ = new QPushButton(QIcon(":/icons/delete.svg"), QString(), this);
    deleteStyleButton_->setToolTip("Delete this user style");
    deleteStyleButton_->setAutoDefault(false);
    deleteStyleButton_->setEnabled(false);
    connect(deleteStyleButton_, &QPushButton::clicked, this, &NewMenuDialog::DeleteSelectedUserStyle);

    stylePicture_ = new QLabel(this);
    stylePicture_->setFixedSize(kStylePictureSize);
    stylePicture_->setFrameShape(QFrame::NoFrame);

    auto* hint = new QLabel("Create your own style with built-in Style Master", this);
    hint->setWordWrap(true);

    directoryEdit_ = new QLineEdit(QDir::homePath() + "/", this);
    auto* folderButton = new QPushButton("DIR", this);
    folderButton->setAutoDefault(false);
    folderButton->setToolTip("Choose the folder from a tree");
    connect(folderButton, &QPushButton::clicked, this, &NewMenuDialog::ToggleFolderTree);

    // The form's Style Master button stays hidden: choosing "Own style..."
    // in the style list is the way to the Style Master.
    auto* styleMasterButton = new QPushButton("Style Master", this);
    styleMasterButton->hide();

    auto* skinOnlyButton = new QPushButton("Skin only", this);
    skinOnlyButton->setToolTip("Restyle the open menu with the selected style");
    skinOnlyButton->setAutoDefault(false);
    connect(skinOnlyButton, &QPushButton::clicked, this, [this] {
        choice_ = Choice::SkinOnly;
        accept();
    });
    auto* createButton = new QPushButton("Create", this);
    createButton->setDefault(true);
    connect(createButton, &QPushButton::clicked, this, [this] {
        choice_ = Choice::Create;
        accept();
    });
    auto* closeButton = new QPushButton("Close", this);
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* captionLabel = new QLabel("Menu &Caption", this);
    captionLabel->setBuddy(captionEdit_);
    auto* styleLabel = new QLabel("Provided &Styles", this);
    styleLabel->setBuddy(styleList_);
    auto* directoryLabel = new QLabel("&Directory", this);
    directoryLabel->setBuddy(directoryEdit_);

    auto* styleRow = new QHBoxLayout;
    styleRow->addWidget(styleList_, 1);
    styleRow->addWidget(deleteStyleButton_);
    auto* directoryRow = new QHBoxLayout;
    directoryRow->addWidget(directoryEdit_, 1);
    directoryRow->addWidget(folderButton);

    auto* grid = new QGridLayout;
    grid->addWidget(captionLabel, 0, 0);
    grid->addWidget(captionEdit_, 1, 0);
    grid->addWidget(styleLabel, 2, 0);
    grid->addLayout(styleRow, 3, 0);
    grid->addWidget(stylePicture_, 1, 1, 3, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(hint, 4, 0, 1, 2);
    grid->addWidget(directoryLabel, 5, 0);
    grid->addLayout(directoryRow, 6, 0, 1, 2);
    grid->setColumnMinimumWidth(0, 230);
    grid->setHorizontalSpacing(16);

    // The folder tree opens below the Directory field it fills, inside the
    // layout, so the dialog grows instead of the tree hiding its fields and
    // buttons.
    folderTree_ = new FolderTreePicker(this);
    folderTree_->hide();
    connect(folderTree_, &FolderTreePicker::folderChosen, this, &NewMenuDialog::ChooseFolderFromTree);
    connect(folderTree_, &FolderTreePicker::closeRequested, this, &NewMenuDialog::CloseFolderTree);
    grid->addWidget(folderTree_, 7, 0, 1, 2);
    // The tree opens above the buttons, and Tab reaches it there.
    setTabOrder(folderButton, folderTree_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(styleMasterButton);
    buttons->addStretch();
    buttons->addWidget(skinOnlyButton);
    buttons->addWidget(createButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    stylePicture_->setPixmap(StylePicture(workspace_, SelectedStyle()));

    SetFormNames({
        {this, "TForm2"},
        {captionEdit_, "Edit1"},
        {styleList_, "ComboBox1"},
        {deleteStyleButton_, "BitBtn4"},
        {stylePicture_, "Image1"},
        {hint, "Label3"},
        {directoryEdit_, "Edit2"},
        {folderButton, "Button1"},
        {folderTree_, "DirOut"},
        {styleMasterButton, "BitBtn3"},
        {skinOnlyButton, "BitBtn5"},
        {createButton, "BitBtn1"},
        {closeButton, "BitBtn2"},
    });
    SetAccessibleNames({
        {styleList_, "Provided Styles", "Choosing \"Own style...\" (Enter) opens the Style Master"},
        {deleteStyleButton_, "Delete this user style"},
        {stylePicture_, "Picture of the selected style"},
        {folderTree_, "Folder tree"},
    });
}

StyleChoice NewMenuDialog::StyleAt(int index) const {
    return {index >= kFirstUserEntry ? StyleOrigin::User : StyleOrigin::Provided, Bytes(styleList_->itemText(index))};
}

// "Own style..." shown but not chosen leaves the style in use as it was.
StyleChoice NewMenuDialog::SelectedStyle() const { return StyleAt(lastStyle_); }

std::string NewMenuDialog::MenuCaption() const { return Bytes(captionEdit_->text()); }

std::string NewMenuDialog::Directory() const { return Bytes(directoryEdit_->text()); }

void NewMenuDialog::ListUserStyles() {
    const QString selected = styleList_->itemText(lastStyle_);
    while (styleList_->count() > kFirstUserEntry) styleList_->removeItem(kFirstUserEntry);
    for (const std::string& name : tavel::ListUserStyles(workspace_)) styleList_->addItem(Shown(name));
    const int index = styleList_->findText(selected, Qt::MatchExactly | Qt::MatchCaseSensitive);
    Select(index > 0 ? index : 1);
}

void NewMenuDialog::Select(int index) {
    styleList_->setCurrentIndex(index);
    lastStyle_ = index;
    deleteStyleButton_->setEnabled(index >= kFirstUserEntry);
    stylePicture_->setPixmap(StylePicture(workspace_, StyleAt(index)));
}

void NewMenuDialog::SelectEntry(int index) {
    if (index != kOwnStyleEntry) {
        Select(index);
    } else if (styleList_->Browsing()) {
        deleteStyleButton_->setEnabled(false);
    } else {
        MakeOwnStyle();
    }
}

void NewMenuDialog::ShowError(const std::exception& error) {
    services_.Message(this, kApplicationTitle, Shown(error.what()), QMessageBox::Critical);
}

std::string NewMenuDialog::FreshStyleName() const {
    for (int n = 1;; ++n) {
        const std::string name = "NewUserStyle" + std::to_string(n);
        if (!UserStyleExists(workspace_, name)) return name;
    }
}

// "Own style...": the Style Master opens with the values of the style that
// was selected (or the defaults), and OK saves them as a user style. A
// style made from a provided one gets a new name; a user style is edited
// under its own unless the caption is changed.
void NewMenuDialog::MakeOwnStyle() {
    const StyleChoice basis = StyleAt(lastStyle_);
    std::vector<std::string> lines(DefaultStyleLines().begin(), DefaultStyleLines().end());
    const std::string basisFile = StyleBasePath(workspace_, basis) + ".tvs";
    const bool basisHasFile = FileExists(basisFile);
    try {
        if (basisHasFile) lines = TextLines(ReadTextFile(basisFile)).Lines();
    } catch (const std::exception& error) {
        ShowError(error);
    }
    lines.resize(kStyleFileLines, std::string());
    for (size_t i = 0; i < kStyleFileLines; ++i)
        if (lines[i].empty()) lines[i] = DefaultStyleLines()[i];
    if (basis.origin == StyleOrigin::Provided) {
        const size_t caption = styleline::kCaption - 1;
        lines[caption] = StyleLineName(DefaultStyleLines()[caption]) + "= " + FreshStyleName();
    }
    styleMaster_->SetLines(lines);

    for (;;) {
        if (!services_.RunDialog(*styleMaster_)) {
            Select(lastStyle_);
            return;
        }
        const auto entries = styleMaster_->Entries();
        if (const std::string problem = StyleEntriesProblem(entries); !problem.empty()) {
            services_.Message(this, "Style Master", Shown(problem), QMessageBox::Warning);
            continue;
        }
        const std::string name = entries[styleline::kCaption - 1].second;
        const bool editingItself = basis.origin == StyleOrigin::User && basis.name == name;
        if (!editingItself && UserStyleExists(workspace_, name) &&
            services_.Ask(this, "Style Master",
                          "There is already a style named \"" + Shown(name) + "\". Do you want to replace it?",
                          QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            continue;
        try {
            SaveUserStyle(workspace_, name, entries, basisHasFile ? &basis : nullptr);
        } catch (const std::exception& error) {
            // Back to the Style Master with what was typed: the user may
            // mend the cause (a full disk, a folder's rights) and try again.
            ShowError(error);
            continue;
        }
        ListUserStyles();
        Select(styleList_->findText(Shown(name), Qt::MatchExactly | Qt::MatchCaseSensitive));
        return;
    }
}

void NewMenuDialog::DeleteSelectedUserStyle() {
    const int index = styleList_->currentIndex();
    if (index < kFirstUserEntry) return;
    if (services_.Ask(this, "Delete File", "Do you really want to delete this file?", QMessageBox::Warning,
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    try {
        DeleteUserStyle(workspace_, StyleAt(index).name);
    } catch (const std::exception& error) {
        ShowError(error);
        return;
    }
    styleList_->removeItem(index);
    Select(1);
}

void NewMenuDialog::ToggleFolderTree() {
    if (folderTree_->isVisible()) {
        if (const QString folder = folderTree_->CurrentFolder(); !folder.isEmpty()) directoryEdit_->setText(folder);
        folderTree_->hide();
        return;
    }
    if (!folderTree_->MoveTo(directoryEdit_->text()))
        services_.Message(this, kApplicationTitle, "\"" + directoryEdit_->text() + "\" is not a folder.",
                          QMessageBox::Warning);
    folderTree_->show();
    // Only once the tree has its place in the grown dialog can it bring the
    // folder into view.
    layout()->activate();
    folderTree_->FollowCurrent();
    folderTree_->setFocus();
}

void NewMenuDialog::CloseFolderTree() {
    folderTree_->hide();
    directoryEdit_->setFocus();
}

void NewMenuDialog::ChooseFolderFromTree() {
    QString folder = folderTree_->CurrentFolder();
    if (folder.isEmpty()) return;
    if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
    directoryEdit_->setText(folder);
    CloseFolderTree();
}

}  // namespace tavel
