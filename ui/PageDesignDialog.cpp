#include "ui/PageDesignDialog.h"

#include "platform/FileError.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"
#include "ui/FixedDialog.h"
#include "ui/JpegPixmap.h"
#include "ui/LinkLabel.h"
#include "ui/LocalText.h"
#include "ui/UiServices.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tavel {
namespace {

constexpr const char* kApplicationTitle = "Tavel Builder";
constexpr const char* kLineDraws[] = {"none", "underline", "overline"};

QLabel* Label(const char* name, const QString& text, QWidget* parent, bool wrapped = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(wrapped);
    return label;
}

QComboBox* GapBox(const char* name, const char* text, std::initializer_list<const char*> items) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(true);
    for (const char* item : items) box->addItem(item);
    box->setCurrentText(text);
    return box;
}

// The installed families as a style sheet names them. Where two foundries
// ship one family the font database tells them apart as "Name [foundry]",
// which no browser matches: the family name alone is what the page needs.
QStringList FontFamilyNames() {
    QStringList names;
    for (QString family : QFontDatabase::families()) {
        if (const qsizetype bracket = family.indexOf(" ["); bracket > 0 && family.endsWith(']')) family.truncate(bracket);
        if (!names.contains(family)) names.append(family);
    }
    return names;
}

}  // namespace

PageDesignDialog::PageDesignDialog(Workspace& workspace, UiServices& services, QWidget* parent)
    : QDialog(parent), services_(services), buttons_(workspace.ButtonStyles()) {
    MakeFixedDialog(*this, "TForm5", "Project properties");

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("PageControl1");
    tabs_->addTab(BuildButtonsTab(), "Buttons");
    tabs_->addTab(BuildDesignTab(), "Design");
    static const char* const kTitleNames[2][4] = {{"CheckBox3", "SpinEdit1", "ComboBox1", "FontName"},
                                                  {"CheckBox4", "SpinEdit2", "ComboBox4", "FontNames"}};
    static const char* const kItemNames[2][4] = {{"CheckBox5", "SpinEdit3", "ComboBox5", "ComboBox6"},
                                                 {"CheckBox6", "SpinEdit4", "ComboBox7", "ComboBox8"}};
    tabs_->addTab(BuildRulesTab(0, kTitleNames), "Title items");
    tabs_->addTab(BuildRulesTab(2, kItemNames), "Menu items");
    for (int i = 0; i < tabs_->count(); ++i) tabs_->widget(i)->setObjectName(QString("TabSheet%1").arg(i + 1));
    tabs_->setCurrentIndex(0);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BitBtn1");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("BitBtn2");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(cancel);
    buttonRow->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttonRow);
    // Sized by what it holds, so no caption is cut off in any font.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FillLists(workspace);
}

QWidget* PageDesignDialog::BuildButtonsTab() {
    auto* tab = new QWidget;
    buttonList_ = new QListWidget;
    buttonList_->setObjectName("BStyle");
    buttonList_->setFixedWidth(130);
    // Every way of choosing an entry, keys included, shows its picture, so the
    // picture and the name written with it always agree.
    connect(buttonList_, &QListWidget::currentRowChanged, this, &PageDesignDialog::ShowButton);

    picture_ = new QLabel;
    picture_->setObjectName("Image1");
    picture_->setScaledContents(true);
    QLabel* demo = Label("Label3", "DEMO TEXT", picture_);
    demo->setAlignment(Qt::AlignCenter);
    QFont bold = demo->font();
    bold.setBold(true);
    demo->setFont(bold);
    auto* onPicture = new QHBoxLayout(picture_);
    onPicture->setContentsMargins(0, 0, 0, 0);
    onPicture->addWidget(demo);
    // 150 x 15 as the buttons are drawn, taller when the caption needs it.
    picture_->setFixedSize(150, std::max(15, QFontMetrics(bold).height() + 2));

    auto* edit = new QPushButton("Edit button");
    edit->setObjectName("BitBtn3");
    connect(edit, &QPushButton::clicked, this, &PageDesignDialog::EditButton);

    auto* right = new QVBoxLayout;
    QLabel* hint = Label("Label4", "Select button style: image for background link in the menu.", tab, true);
    hint->setMinimumWidth(picture_->width() + 40);
    right->addWidget(hint);
    right->addSpacing(6);
    right->addWidget(Label("Label2", "Image view", tab));
    right->addWidget(picture_);
    right->addSpacing(6);
    right->addWidget(edit, 0, Qt::AlignLeft);
    right->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(Label("Label1", "Button style", tab));
    left->addWidget(buttonList_);

    auto* layout = new QHBoxLayout(tab);
    layout->addLayout(left);
    layout->addLayout(right);
    return tab;
}

QWidget* PageDesignDialog::BuildDesignTab() {
    auto* tab = new QWidget;
    schemeList_ = new QListWidget;
    schemeList_->setObjectName("FLB2");
    schemeList_->setFixedWidth(150);
    auto* apply = new LinkLabel("Apply", tab);
    apply->setObjectName("Label5");
    auto* reset = new LinkLabel("Default", tab);
    reset->setObjectName("Label6");
    connect(apply, &LinkLabel::clicked, this, &PageDesignDialog::ApplyLinkClicked);
    connect(reset, &LinkLabel::clicked, this, &PageDesignDialog::ClearScheme);

    auto* links = new QHBoxLayout;
    links->addWidget(apply);
    links->addWidget(reset);
    links->addStretch();
    auto* schemes = new QVBoxLayout;
    schemes->addWidget(schemeList_);
    schemes->addLayout(links);

    leftUse_ = new QCheckBox("Use left gap");
    leftUse_->setObjectName("CheckBox1");
    rightUse_ = new QCheckBox("Use right gap");
    rightUse_->setObjectName("CheckBox2");
    leftText_ = GapBox("ComboBox2", "{", {"{", "[", "(", "(-", "-=", "..:", "|", "\\", "/"});
    rightText_ = GapBox("ComboBox3", "}", {"}", "]", ")", "-)", "=-", ":..", "|", "/", "\\"});
    auto* gaps = new QGridLayout;
    gaps->addWidget(leftUse_, 0, 0);
    gaps->addWidget(leftText_, 0, 1);
    gaps->addWidget(rightUse_, 1, 0);
    gaps->addWidget(rightText_, 1, 1);

    auto* right = new QVBoxLayout;
    QLabel* schemeHint = Label("Label8", "Select color scheme and press \"Apply\" or \"Default\" for reset it", tab, true);
    QLabel* gapHint = Label("Label7", "Check \"Use gap\" for  including gaps into the string of menu item", tab, true);
    for (QLabel* label : {schemeHint, gapHint}) label->setMinimumWidth(180);
    right->addWidget(schemeHint);
    right->addStretch();
    right->addWidget(gapHint);
    right->addLayout(gaps);

    auto* layout = new QHBoxLayout(tab);
    layout->addLayout(schemes);
    layout->addLayout(right, 1);
    return tab;
}

QWidget* PageDesignDialog::BuildRulesTab(int firstGroup, const char* const names[2][4]) {
    auto* tab = new QWidget;
    auto* layout = new QHBoxLayout(tab);
    layout->addWidget(BuildRuleGroup(groups_[firstGroup], "Normal state", names[0], 30));
    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider);
    layout->addWidget(BuildRuleGroup(groups_[firstGroup + 1], "Hover state", names[1], 20));
    return tab;
}

QWidget* PageDesignDialog::BuildRuleGroup(RuleGroup& group, const char* title, const char* const names[4], int size) {
    auto* half = new QWidget;
    QLabel* heading = Label("", title, half);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    group.bold = new QCheckBox("Bold");
    group.size = new QSpinBox;
    group.size->setRange(-200, 200);
    group.size->setValue(size);
    group.lineDraw = new QComboBox;
    for (const char* word : kLineDraws) group.lineDraw->addItem(word);
    group.font = new QComboBox;
    group.font->setEditable(true);
    // A font name may be long; the list opens wide enough, the box stays narrow.
    group.font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    group.font->setMinimumContentsLength(14);
    group.bold->setObjectName(names[0]);
    group.size->setObjectName(names[1]);
    group.lineDraw->setObjectName(names[2]);
    group.font->setObjectName(names[3]);

    // "Inc. size                 %" with the spin field between its words.
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(new QLabel("Inc. size"));
    sizeRow->addWidget(group.size);
    sizeRow->addWidget(new QLabel("%"));
    sizeRow->addStretch();

    auto* layout = new QVBoxLayout(half);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    layout->addWidget(group.bold);
    layout->addLayout(sizeRow);
    layout->addWidget(new QLabel("Line draw"));
    layout->addWidget(group.lineDraw);
    layout->addWidget(new QLabel("Font"));
    layout->addWidget(group.font);
    layout->addStretch();
    return half;
}

void PageDesignDialog::FillLists(const Workspace& workspace) {
    // Each list is filled on its own: a missing folder leaves its list empty
    // and is reported, and the others are filled all the same.
    try {
        buttons_.Fill(workspace.ProgramPath("buttons"));
    } catch (const FileError& error) {
        ShowError(error.what());
    }
    for (const std::string& entry : buttons_.Entries()) buttonList_->addItem(Shown(entry));
    try {
        schemes_.Fill(workspace.ProgramPath("Styles\\Color"));
    } catch (const FileError& error) {
        ShowError(error.what());
    }
    for (const std::string& entry : schemes_.Entries()) schemeList_->addItem(Shown(entry));

    const QStringList families = FontFamilyNames();
    QStringList sorted = families;
    sorted.sort(Qt::CaseInsensitive);
    groups_[0].font->addItems(sorted);
    for (size_t i = 1; i < groups_.size(); ++i) groups_[i].font->addItems(families);
    for (RuleGroup& group : groups_) {
        group.font->setCurrentText("");
        // The box stays narrow; its open list is as wide as the longest name.
        group.font->view()->setMinimumWidth(group.font->view()->sizeHintForColumn(0) + 24);
    }
}

PageDesignSettings PageDesignDialog::Settings() const {
    PageDesignSettings settings;
    for (size_t i = 0; i < groups_.size(); ++i) {
        const RuleGroup& group = groups_[i];
        settings.rules[i] = {group.bold->isChecked(), group.size->value(),
                             static_cast<LineDraw>(std::max(0, group.lineDraw->currentIndex())),
                             Bytes(group.font->currentText())};
    }
    settings.leftGap = {leftUse_->isChecked(), Bytes(leftText_->currentText())};
    settings.rightGap = {rightUse_->isChecked(), Bytes(rightText_->currentText())};
    if (const int row = buttonList_->currentRow(); row >= 0 && buttonList_->item(row)->isSelected())
        settings.button = buttons_.Entries().at(static_cast<size_t>(row));
    if (const QList<QListWidgetItem*> chosen = schemeList_->selectedItems(); !chosen.isEmpty())
        settings.scheme = Bytes(chosen.first()->text());
    return settings;
}

void PageDesignDialog::SetSettings(const PageDesignSettings& settings) {
    for (size_t i = 0; i < groups_.size(); ++i) {
        const RuleGroup& group = groups_[i];
        const StyleRuleSettings& rule = settings.rules[i];
        group.bold->setChecked(rule.bold);
        group.size->setValue(rule.sizeIncrease);
        if (rule.lineDraw != LineDraw::Unchanged) group.lineDraw->setCurrentIndex(static_cast<int>(rule.lineDraw));
        group.font->setCurrentText(Shown(rule.fontFamily));
    }
    leftUse_->setChecked(settings.leftGap.use);
    leftText_->setCurrentText(Shown(settings.leftGap.text));
    rightUse_->setChecked(settings.rightGap.use);
    rightText_->setCurrentText(Shown(settings.rightGap.text));

    const std::optional<size_t> button = settings.button ? buttons_.Find(*settings.button) : std::nullopt;
    if (button) {
        buttonList_->setCurrentRow(static_cast<int>(*button));
        ShowButton(static_cast<int>(*button));  // reloads the picture even when the row was current
    } else {
        buttonList_->clearSelection();
    }

    schemeList_->clearSelection();
    if (settings.scheme) {
        const QList<QListWidgetItem*> found = schemeList_->findItems(Shown(*settings.scheme), Qt::MatchExactly);
        if (!found.isEmpty()) {
            schemeList_->setCurrentItem(found.first());
            found.first()->setSelected(true);
        }
    }
}

void PageDesignDialog::ClearScheme() {
    schemeList_->clearSelection();
    schemeList_->setCurrentRow(-1);
}

void PageDesignDialog::ShowButton(int row) {
    if (row < 0) return;
    buttons_.Select(static_cast<size_t>(row));
    try {
        buttons_.LoadSelected();
    } catch (const FileError& error) {
        ShowError(error.what());
    }
    // A picture that cannot be shown is still the file that OK copies.
    const QPixmap pixmap = buttons_.HasPicture() ? PixmapFromJpeg(buttons_.Picture(), buttons_.CurrentImagePath()) : QPixmap();
    picture_->setPixmap(pixmap);
    // The caption is drawn as the menu draws it: light on a button, dark without.
    picture_->findChild<QLabel*>("Label3")->setStyleSheet(pixmap.isNull() ? "" : "color: white;");
}

void PageDesignDialog::EditButton() {
    if (const std::optional<std::string> image = buttons_.ImageToEdit())
        services_.OpenWithSystem(Shown(*image));
    else
        services_.Message(this, kApplicationTitle, kSelectButtonImage, QMessageBox::NoIcon);
}

void PageDesignDialog::ApplyLinkClicked() {
    if (const QList<QListWidgetItem*> chosen = schemeList_->selectedItems(); !chosen.isEmpty())
        services_.Message(this, kApplicationTitle, chosen.first()->text(), QMessageBox::NoIcon);
}

void PageDesignDialog::ShowError(const std::string& text) {
    services_.Message(parentWidget(), kApplicationTitle, Shown(text), QMessageBox::Critical);
}

}  // namespace tavel
