#include "ui/pagedesign/SchemeAndGapsPage.h"

#include "project/ApplicationTitle.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FormNames.h"
#include "ui/common/LinkLabel.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace tavel {
namespace {

QComboBox* GapBox(const char* text, std::initializer_list<const char*> items) {
    auto* box = new QComboBox;
    box->setEditable(true);
    for (const char* item : items) box->addItem(item);
    box->setCurrentText(text);
    return box;
}

QLabel* Hint(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setMinimumWidth(180);
    return label;
}

}  // namespace

SchemeAndGapsPage::SchemeAndGapsPage(UiServices& services) : services_(services) {
    schemeList_ = new QListWidget;
    schemeList_->setFixedWidth(150);
    auto* apply = new LinkLabel("Apply", this);
    auto* reset = new LinkLabel("Default", this);
    connect(apply, &LinkLabel::clicked, this, &SchemeAndGapsPage::ApplyLinkClicked);
    connect(reset, &LinkLabel::clicked, this, &SchemeAndGapsPage::ClearScheme);

    auto* links = new QHBoxLayout;
    links->addWidget(apply);
    links->addWidget(reset);
    links->addStretch();
    chosenScheme_ = Hint(QString(), this);
    chosenScheme_->setMinimumWidth(0);
    chosenScheme_->setFixedWidth(schemeList_->width());
    connect(schemeList_, &QListWidget::itemSelectionChanged, this, &SchemeAndGapsPage::ShowChosenScheme);
    ShowChosenScheme();

    auto* schemes = new QVBoxLayout;
    schemes->addWidget(schemeList_);
    schemes->addWidget(chosenScheme_);
    schemes->addLayout(links);

    leftUse_ = new QCheckBox("Use left gap");
    rightUse_ = new QCheckBox("Use right gap");
    leftText_ = GapBox("{", {"{", "[", "(", "(-", "-=", "..:", "|", "\\", "/"});
    rightText_ = GapBox("}", {"}", "]", ")", "-)", "=-", ":..", "|", "/", "\\"});
    auto* gaps = new QGridLayout;
    gaps->addWidget(leftUse_, 0, 0);
    gaps->addWidget(leftText_, 0, 1);
    gaps->addWidget(rightUse_, 1, 0);
    gaps->addWidget(rightText_, 1, 1);

    QLabel* schemeHint = Hint("Select color scheme and press \"Apply\" or \"Default\" for reset it", this);
    QLabel* gapHint = Hint("Check \"Use gap\" for  including gaps into the string of menu item", this);
    auto* right = new QVBoxLayout;
    right->addWidget(schemeHint);
    right->addStretch();
    right->addWidget(gapHint);
    right->addLayout(gaps);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(schemes);
    layout->addLayout(right, 1);
    // Tab goes as the page reads: the list, its links, the gaps row by row.
    QWidget* const reading[] = {schemeList_, apply, reset, leftUse_, leftText_, rightUse_, rightText_};
    for (size_t i = 1; i < std::size(reading); ++i) setTabOrder(reading[i - 1], reading[i]);

    SetFormNames({
        {schemeList_, "FLB2"},
        {chosenScheme_, "ChosenScheme"},
        {apply, "Label5"},
        {reset, "Label6"},
        {schemeHint, "Label8"},
        {gapHint, "Label7"},
        {leftUse_, "CheckBox1"},
        {leftText_, "ComboBox2"},
        {rightUse_, "CheckBox2"},
        {rightText_, "ComboBox3"},
    });
    SetAccessibleNames({
        {schemeList_, "Color scheme"},
        {apply, "Apply", "Shows the name of the selected color scheme; OK applies it"},
        {reset, "Default", "Clears the color scheme selection, so that OK applies none"},
        {leftText_, "Left gap text"},
        {rightText_, "Right gap text"},
    });
}

void SchemeAndGapsPage::ListSchemes(const std::vector<std::string>& schemes) {
    for (const std::string& entry : schemes) schemeList_->addItem(Shown(entry));
}

void SchemeAndGapsPage::ReadInto(PageDesignSettings& settings) const {
    settings.leftGap = {leftUse_->isChecked(), Bytes(leftText_->currentText())};
    settings.rightGap = {rightUse_->isChecked(), Bytes(rightText_->currentText())};
    if (const QList<QListWidgetItem*> chosen = schemeList_->selectedItems(); !chosen.isEmpty())
        settings.scheme = Bytes(chosen.first()->text());
}

void SchemeAndGapsPage::Show(const PageDesignSettings& settings) {
    leftUse_->setChecked(settings.leftGap.use);
    leftText_->setCurrentText(Shown(settings.leftGap.text));
    rightUse_->setChecked(settings.rightGap.use);
    rightText_->setCurrentText(Shown(settings.rightGap.text));

    schemeList_->clearSelection();
    if (settings.scheme) {
        const QList<QListWidgetItem*> found = schemeList_->findItems(Shown(*settings.scheme), Qt::MatchExactly);
        if (!found.isEmpty()) {
            schemeList_->setCurrentItem(found.first());
            found.first()->setSelected(true);
        }
    }
}

void SchemeAndGapsPage::ClearScheme() {
    schemeList_->clearSelection();
    schemeList_->setCurrentRow(-1);
}

void SchemeAndGapsPage::ShowChosenScheme() {
    const QList<QListWidgetItem*> chosen = schemeList_->selectedItems();
    chosenScheme_->setText(chosen.isEmpty() ? QString("No colour scheme chosen")
                                            : chosen.first()->text() + ", applied with OK");
}

void SchemeAndGapsPage::ApplyLinkClicked() {
    if (const QList<QListWidgetItem*> chosen = schemeList_->selectedItems(); !chosen.isEmpty())
        services_.Message(window(), kApplicationTitle, chosen.first()->text(), QMessageBox::NoIcon);
}

}  // namespace tavel
