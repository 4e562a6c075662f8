#include "ui/item/ItemDialog.h"

#include "ui/common/FixedDialog.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tavel {

ItemDialog::ItemDialog(QWidget* parent) : QDialog(parent) {
    MakeFixedDialog(*this, "Edit Item");

    captionEdit_ = new QLineEdit("Item1", this);
    hintEdit_ = new QLineEdit("Hint about item1", this);
    linkEdit_ = new QLineEdit("index.html", this);
    for (QLineEdit* edit : {captionEdit_, hintEdit_, linkEdit_}) edit->setMinimumWidth(280);
    shownFrom_ = {"Item1", "Hint about item1", "index.html"};

    auto* form = new QFormLayout;
    form->addRow("Caption", captionEdit_);
    form->addRow("Hint", hintEdit_);
    form->addRow("Link", linkEdit_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setDefault(true);  // Enter confirms wherever the focus is
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The fields, then the buttons, and round again.
    setTabOrder(ok_, cancel);
    setTabOrder(cancel, captionEdit_);
    setTabOrder(captionEdit_, hintEdit_);
    setTabOrder(hintEdit_, linkEdit_);

    SetFormNames({
        {this, "TForm4"},
        {captionEdit_, "Edit1"},
        {hintEdit_, "Edit2"},
        {linkEdit_, "Edit3"},
        {ok_, "OKBtn"},
        {cancel, "CancelBtn"},
    });
}

void ItemDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Typing replaces the caption at once, and a space cannot press OK.
    captionEdit_->setFocus(Qt::OtherFocusReason);
    captionEdit_->selectAll();
}

void ItemDialog::SetMenuBarTitle(bool title) {
    if (title == !hintEdit_->isEnabled()) return;
    hintEdit_->setEnabled(!title);
    if (title) {
        heldHint_ = hintEdit_->text();
        hintEdit_->clear();
    } else {
        hintEdit_->setText(heldHint_);
    }
    hintEdit_->setPlaceholderText(title ? "Not used: a menu-bar title shows no hint" : QString());
    hintEdit_->setToolTip(title ? "Menu-bar titles are written with their caption and link only" : QString());
}

void ItemDialog::SetUse(const QString& text) {
    setAccessibleDescription(text);
    captionEdit_->setAccessibleDescription(text);
}

namespace {

// A field left as shown gives its bytes back. An edited one keeps the
// encoding of what it was shown from; a field that held plain ASCII (or
// nothing) says nothing about that, and takes the script's encoding.
std::string FieldBytes(const QString& text, const std::string& shownFrom, bool eightBitScript) {
    if (text == Shown(shownFrom)) return shownFrom;
    const bool ascii = std::all_of(shownFrom.begin(), shownFrom.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) return EncodedFor(text, eightBitScript);
    return EncodedLike(text, shownFrom);
}

}  // namespace

ItemTexts ItemDialog::Texts() const {
    // A title's hint cannot be changed: it is the one the field holds.
    const QString hint = hintEdit_->isEnabled() ? hintEdit_->text() : heldHint_;
    return {FieldBytes(captionEdit_->text(), shownFrom_.caption, eightBitScript_),
            FieldBytes(hint, shownFrom_.hint, eightBitScript_), FieldBytes(linkEdit_->text(), shownFrom_.link, eightBitScript_)};
}

void ItemDialog::SetTexts(const ItemTexts& texts) {
    shownFrom_ = texts;
    captionEdit_->setText(Shown(texts.caption));
    if (hintEdit_->isEnabled())
        hintEdit_->setText(Shown(texts.hint));
    else
        heldHint_ = Shown(texts.hint);
    linkEdit_->setText(Shown(texts.link));
}

}  // namespace tavel
