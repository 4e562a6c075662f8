#include "ui/pagedesign/ButtonStylePage.h"

#include "design/ButtonStyleList.h"
#include "platform/FileError.h"
#include "project/ApplicationTitle.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FormNames.h"
#include "ui/common/JpegPixmap.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tavel {

ButtonStylePage::ButtonStylePage(ButtonStyleList& buttons, UiServices& services, ErrorReport reportError)
    : buttons_(buttons), services_(services), reportError_(std::move(reportError)) {
    list_ = new QListWidget;
    list_->setFixedWidth(130);
    // Every way of choosing an entry, keys included, shows its picture, so the
    // picture and the name written with it always agree.
    connect(list_, &QListWidget::currentRowChanged, this, &ButtonStylePage::ShowButton);

    picture_ = new QLabel;
    picture_->setScaledContents(true);
    pictureCaption_ = new QLabel("DEMO TEXT", picture_);
    pictureCaption_->setAlignment(Qt::AlignCenter);
    QFont bold = pictureCaption_->font();
    bold.setBold(true);
    pictureCaption_->setFont(bold);
    auto* onPicture = new QHBoxLayout(picture_);
    onPicture->setContentsMargins(0, 0, 0, 0);
    onPicture->addWidget(pictureCaption_);
    // 150 x 15 as the buttons are drawn, taller when the caption needs it.
    picture_->setFixedSize(150, std::max(15, QFontMetrics(bold).height() + 2));

    auto* edit = new QPushButton("Edit button");
    connect(edit, &QPushButton::clicked, this, &ButtonStylePage::EditButton);

    auto* hint = new QLabel("Select button style: image for background link in the menu.", this);
    hint->setWordWrap(true);
    hint->setMinimumWidth(picture_->width() + 40);
    auto* pictureLabel = new QLabel("Image view", this);
    auto* right = new QVBoxLayout;
    right->addWidget(hint);
    right->addSpacing(6);
    right->addWidget(pictureLabel);
    right->addWidget(picture_);
    right->addSpacing(6);
    right->addWidget(edit, 0, Qt::AlignLeft);
    right->addStretch();

    auto* listLabel = new QLabel("Button style", this);
    auto* left = new QVBoxLayout;
    left->addWidget(listLabel);
    left->addWidget(list_);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);

    SetFormNames({
        {listLabel, "Label1"},
        {list_, "BStyle"},
        {hint, "Label4"},
        {pictureLabel, "Label2"},
        {picture_, "Image1"},
        {pictureCaption_, "Label3"},
        {edit, "BitBtn3"},
    });
    SetAccessibleNames({
        {list_, "Button style"},
        {picture_, "Image view"},
    });
}

void ButtonStylePage::ListEntries() {
    for (const std::string& entry : buttons_.Entries()) list_->addItem(Shown(entry));
}

void ButtonStylePage::ReadInto(PageDesignSettings& settings) const {
    if (const int row = list_->currentRow(); row >= 0 && list_->item(row)->isSelected())
        settings.button = buttons_.Entries().at(static_cast<size_t>(row));
}

void ButtonStylePage::Show(const PageDesignSettings& settings) {
    const std::optional<size_t> button = settings.button ? buttons_.Find(*settings.button) : std::nullopt;
    if (button) {
        list_->setCurrentRow(static_cast<int>(*button));
        ShowButton(static_cast<int>(*button));  // reloads the picture even when the row was current
    } else {
        list_->clearSelection();
    }
}

void ButtonStylePage::ShowButton(int row) {
    if (row < 0) return;
    buttons_.Select(static_cast<size_t>(row));
    try {
        buttons_.LoadSelected();
    } catch (const FileError& error) {
        reportError_(error.what());
    }
    // A picture that cannot be shown is still the file that OK copies.
    const QPixmap pixmap = buttons_.HasPicture() ? PixmapFromJpeg(buttons_.Picture(), buttons_.CurrentImagePath()) : QPixmap();
    picture_->setPixmap(pixmap);
    // The caption is drawn as the menu draws it: light on a button, dark without.
    pictureCaption_->setStyleSheet(pixmap.isNull() ? "" : "color: white;");
}

void ButtonStylePage::EditButton() {
    if (const std::optional<std::string> image = buttons_.ImageToEdit())
        services_.OpenWithSystem(Shown(*image));
    else
        services_.Message(window(), kApplicationTitle, kSelectButtonImage, QMessageBox::NoIcon);
}

}  // namespace tavel
