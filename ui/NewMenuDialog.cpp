#include "ui/NewMenuDialog.h"

#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"
#include "project/StyleFile.h"
#include "ui/FixedDialog.h"
#include "ui/JpegPixmap.h"
#include "ui/LocalText.h"
#include "ui/StyleMasterDialog.h"
#include "ui/UiServices.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace tavel {
namespace {

constexpr int kPictureWidth = 100;
constexpr int kPictureHeight = 60;
constexpr int kFirstUserEntry = static_cast<int>(kStyleListHead.size());

QPixmap PictureFromJpeg(const std::string& path) {
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const FileError&) {
        return {};  // a style without its picture shows none
    }
    const QPixmap picture = PixmapFromJpeg(bytes, path);
    if (picture.isNull()) return {};
    return picture.scaled(kPictureWidth, kPictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A user style has no picture of its own: a sketch of its colours stands in,
// a bar with one title highlighted and its open list with one item hovered.
QPixmap SketchFromStyleFile(const std::string& path) {
    if (!FileExists(path)) return {};
    std::vector<QColor> colours;
    try {
        const TextLines lines(ReadTextFile(path));
        for (size_t line = 6; line <= 11 && line <= lines.Count(); ++line)
            colours.emplace_back(Shown(StyleLineValue(lines.Line(line))).trimmed());
    } catch (const std::exception&) {
        return {};
    }
    colours.resize(6);
    for (QColor& c : colours)
        if (!c.isValid()) c = Qt::gray;
    const QColor& titleNormal = colours[0];
    const QColor& titleHighlighted = colours[1];
    const QColor& itemNormal = colours[2];
    const QColor& itemHighlighted = colours[3];
    const QColor& upperLine = colours[4];
    const QColor& lowerLine = colours[5];

    QPixmap sketch(kPictureWidth, kPictureHeight);
    sketch.fill(QColor("#f4f6fa"));
    QPainter p(&sketch);
    const auto bevel = [&](QRect r) {
        p.setPen(upperLine);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(lowerLine);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    };
    p.fillRect(0, 0, kPictureWidth, 16, titleNormal);
    p.fillRect(32, 0, 34, 16, titleHighlighted);
    bevel(QRect(0, 0, kPictureWidth - 1, 15));
    p.fillRect(32, 16, 46, 40, itemNormal);
    p.fillRect(33, 30, 44, 12, itemHighlighted);
    bevel(QRect(32, 16, 45, 39));
    return sketch;
}

}  // namespace

NewMenuDialog::NewMenuDialog(const Workspace& workspace, UiServices& services, QWidget* parent)
    : QDialog(parent), workspace_(workspace), services_(services) {
    MakeFixedDialog(*this, "TForm2", "New Menu");

    edit1_ = new QLineEdit("UntitledMenu1", this);
    edit1_->setObjectName("Edit1");
    comboBox1_ = new QComboBox(this);
    comboBox1_->setObjectName("ComboBox1");
    for (std::string_view entry : kStyleListHead) comboBox1_->addItem(Shown(entry));
    comboBox1_->setCurrentIndex(1);
    connect(comboBox1_, &QComboBox::activated, this, &NewMenuDialog::SelectEntry);

    bitBtn4_ = new QPushButton(QIcon(":/icons/delete.svg"), QString(), this);
    bitBtn4_->setObjectName("BitBtn4");
    bitBtn4_->setToolTip("Delete this user style");
    bitBtn4_->setAutoDefault(false);
    bitBtn4_->setEnabled(false);
    connect(bitBtn4_, &QPushButton::clicked, this, &NewMenuDialog::DeleteSelectedUserStyle);

    image1_ = new QLabel(this);
    image1_->setObjectName("Image1");
    image1_->setFixedSize(kPictureWidth, kPictureHeight);
    image1_->setFrameShape(QFrame::NoFrame);

    auto* hint = new QLabel("Create your own style with built-in Style Master", this);
    hint->setObjectName("Label3");
    hint->setWordWrap(true);

    edit2_ = new QLineEdit(QDir::homePath() + "/", this);
    edit2_->setObjectName("Edit2");
    auto* button1 = new QPushButton("DIR", this);
    button1->setObjectName("Button1");
    button1->setAutoDefault(false);
    button1->setToolTip("Choose the folder from a tree");
    connect(button1, &QPushButton::clicked, this, &NewMenuDialog::ToggleFolderTree);

    // Kept for the layout's sake; "Own style..." is how the Style Master opens.
    auto* bitBtn3 = new QPushButton("Style Master", this);
    bitBtn3->setObjectName("BitBtn3");
    bitBtn3->hide();

    auto* bitBtn5 = new QPushButton("Skin only", this);
    bitBtn5->setObjectName("BitBtn5");
    bitBtn5->setToolTip("Restyle the open menu with the selected style");
    bitBtn5->setAutoDefault(false);
    connect(bitBtn5, &QPushButton::clicked, this, [this] {
        choice_ = Choice::SkinOnly;
        accept();
    });
    auto* bitBtn1 = new QPushButton("Create", this);
    bitBtn1->setObjectName("BitBtn1");
    bitBtn1->setDefault(true);
    connect(bitBtn1, &QPushButton::clicked, this, [this] {
        choice_ = Choice::Create;
        accept();
    });
    auto* bitBtn2 = new QPushButton("Close", this);
    bitBtn2->setObjectName("BitBtn2");
    bitBtn2->setAutoDefault(false);
    connect(bitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* captionLabel = new QLabel("Menu &Caption", this);
    captionLabel->setBuddy(edit1_);
    auto* styleLabel = new QLabel("Provided &Styles", this);
    styleLabel->setBuddy(comboBox1_);
    auto* directoryLabel = new QLabel("&Directory", this);
    directoryLabel->setBuddy(edit2_);

    auto* styleRow = new QHBoxLayout;
    styleRow->addWidget(comboBox1_, 1);
    styleRow->addWidget(bitBtn4_);
    auto* directoryRow = new QHBoxLayout;
    directoryRow->addWidget(edit2_, 1);
    directoryRow->addWidget(button1);

    auto* grid = new QGridLayout;
    grid->addWidget(captionLabel, 0, 0);
    grid->addWidget(edit1_, 1, 0);
    grid->addWidget(styleLabel, 2, 0);
    grid->addLayout(styleRow, 3, 0);
    grid->addWidget(image1_, 1, 1, 3, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->addWidget(hint, 4, 0, 1, 2);
    grid->addWidget(directoryLabel, 5, 0);
    grid->addLayout(directoryRow, 6, 0, 1, 2);
    grid->setColumnMinimumWidth(0, 230);
    grid->setHorizontalSpacing(16);

    // The folder tree opens below the Directory field it fills, inside the
    // layout, so the dialog grows instead of the tree hiding its fields and
    // buttons.
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QDir::rootPath());
    dirOut_ = new QTreeView(this);
    dirOut_->setObjectName("DirOut");
    dirOut_->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column) dirOut_->hideColumn(column);
    dirOut_->header()->hide();
    dirOut_->setMinimumHeight(200);
    dirOut_->setToolTip("Double-click a folder or press Enter to choose it; Escape closes the tree");
    dirOut_->hide();
    dirOut_->installEventFilter(this);
    dirOut_->viewport()->installEventFilter(this);
    // The model reads folders in the background, and every folder read
    // pushes the rows about: the folder from the Directory field is kept in
    // view until the user starts moving about the tree.
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (followCurrent_ && dirOut_->isVisible())
            dirOut_->scrollTo(dirOut_->currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    connect(dirOut_, &QTreeView::doubleClicked, this, &NewMenuDialog::ChooseFolderFromTree);
    grid->addWidget(dirOut_, 7, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bitBtn3);
    buttons->addStretch();
    buttons->addWidget(bitBtn5);
    buttons->addWidget(bitBtn1);
    buttons->addWidget(bitBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ShowPicture(StyleAt(comboBox1_->currentIndex()));
}

StyleChoice NewMenuDialog::StyleAt(int index) const {
    return {index >= kFirstUserEntry ? StyleOrigin::User : StyleOrigin::Provided, Bytes(comboBox1_->itemText(index))};
}

StyleChoice NewMenuDialog::SelectedStyle() const { return StyleAt(comboBox1_->currentIndex()); }

std::string NewMenuDialog::MenuCaption() const { return Bytes(edit1_->text()); }

std::string NewMenuDialog::Directory() const { return Bytes(edit2_->text()); }

void NewMenuDialog::ListUserStyles() {
    const QString selected = comboBox1_->currentText();
    while (comboBox1_->count() > kFirstUserEntry) comboBox1_->removeItem(kFirstUserEntry);
    for (const std::string& name : tavel::ListUserStyles(workspace_)) comboBox1_->addItem(Shown(name));
    const int index = comboBox1_->findText(selected, Qt::MatchExactly | Qt::MatchCaseSensitive);
    Select(index > 0 ? index : 1);
}

void NewMenuDialog::Select(int index) {
    comboBox1_->setCurrentIndex(index);
    lastStyle_ = index;
    bitBtn4_->setEnabled(index >= kFirstUserEntry);
    ShowPicture(StyleAt(index));
}

void NewMenuDialog::SelectEntry(int index) {
    if (index == 0) {
        MakeOwnStyle();
        return;
    }
    Select(index);
}

void NewMenuDialog::ShowPicture(const StyleChoice& style) {
    const std::string base = StyleBasePath(workspace_, style);
    QPixmap picture = FileExists(base + ".jpg") ? PictureFromJpeg(base + ".jpg") : QPixmap();
    if (picture.isNull() && style.origin == StyleOrigin::User) picture = SketchFromStyleFile(base + ".tvs");
    image1_->setPixmap(picture);
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
        services_.Message(this, "Tavel Builder", Shown(error.what()), QMessageBox::Critical);
    }
    lines.resize(kStyleFileLines, std::string());
    for (size_t i = 0; i < kStyleFileLines; ++i)
        if (lines[i].empty()) lines[i] = DefaultStyleLines()[i];
    if (basis.origin == StyleOrigin::Provided)
        lines[0] = StyleLineName(DefaultStyleLines()[0]) + "= " + FreshStyleName();
    styleMaster_->SetLines(lines);

    for (;;) {
        if (!services_.RunDialog(*styleMaster_)) {
            Select(lastStyle_);
            return;
        }
        const auto entries = styleMaster_->Entries();
        const std::string name = entries[0].second;
        std::string problem = StyleNameProblem(name);
        for (size_t line = 2; line <= entries.size() && problem.empty(); ++line)
            problem = StyleValueProblem(line, entries[line - 1].second);
        if (!problem.empty()) {
            services_.Message(this, "Style Master", Shown(problem), QMessageBox::Warning);
            continue;
        }
        const bool editingItself = basis.origin == StyleOrigin::User && basis.name == name;
        if (!editingItself && UserStyleExists(workspace_, name) &&
            services_.Ask(this, "Style Master",
                          "There is already a style named \"" + Shown(name) + "\". Do you want to replace it?",
                          QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            continue;
        try {
            SaveUserStyle(workspace_, name, entries, basisHasFile ? &basis : nullptr);
        } catch (const std::exception& error) {
            services_.Message(this, "Tavel Builder", Shown(error.what()), QMessageBox::Critical);
            Select(lastStyle_);
            return;
        }
        ListUserStyles();
        Select(comboBox1_->findText(Shown(name), Qt::MatchExactly | Qt::MatchCaseSensitive));
        return;
    }
}

void NewMenuDialog::DeleteSelectedUserStyle() {
    const int index = comboBox1_->currentIndex();
    if (index < kFirstUserEntry) return;
    if (services_.Ask(this, "Delete File", "Do you really want to delete this file?", QMessageBox::Warning,
                      QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    try {
        DeleteUserStyle(workspace_, StyleAt(index).name);
    } catch (const std::exception& error) {
        services_.Message(this, "Tavel Builder", Shown(error.what()), QMessageBox::Critical);
        return;
    }
    comboBox1_->removeItem(index);
    Select(1);
}

void NewMenuDialog::ToggleFolderTree() {
    if (dirOut_->isVisible()) {
        const QModelIndex current = dirOut_->currentIndex();
        if (current.isValid()) edit2_->setText(QDir::toNativeSeparators(folders_->filePath(current)));
        dirOut_->hide();
        return;
    }
    const QFileInfo folder(edit2_->text());
    if (folder.isDir()) {
        const QModelIndex index = folders_->index(folder.absoluteFilePath());
        dirOut_->setCurrentIndex(index);
        dirOut_->expand(index);
    } else {
        services_.Message(this, "Tavel Builder", "\"" + edit2_->text() + "\" is not a folder.", QMessageBox::Warning);
    }
    dirOut_->show();
    followCurrent_ = true;
    // Only once the tree has its place in the grown dialog can it bring the
    // folder into view.
    layout()->activate();
    dirOut_->scrollTo(dirOut_->currentIndex(), QAbstractItemView::PositionAtCenter);
    dirOut_->setFocus();
}

// In the tree, Enter and Escape belong to the tree: Enter takes the folder
// rather than pressing Create, and Escape closes the tree rather than the
// whole dialog.
bool NewMenuDialog::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == dirOut_ && event->type() == QEvent::KeyPress) ||
        (watched == dirOut_->viewport() && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel)))
        followCurrent_ = false;
    if (watched == dirOut_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            switch (key->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                    ChooseFolderFromTree();
                    return true;
                case Qt::Key_Escape:
                    CloseFolderTree();
                    return true;
                default:
                    break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void NewMenuDialog::CloseFolderTree() {
    dirOut_->hide();
    edit2_->setFocus();
}

void NewMenuDialog::ChooseFolderFromTree() {
    const QModelIndex current = dirOut_->currentIndex();
    if (!current.isValid()) return;
    QString path = QDir::toNativeSeparators(folders_->filePath(current));
    if (!path.endsWith(QDir::separator())) path += QDir::separator();
    edit2_->setText(path);
    CloseFolderTree();
}

}  // namespace tavel
