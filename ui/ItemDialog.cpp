#include "ui/ItemDialog.h"

#include "ui/FixedDialog.h"
#include "ui/LocalText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tavel {

ItemDialog::ItemDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("TForm4");
    setWindowTitle("Edit Item");
    MakeFixedTitleBar(*this);

    edit1_ = new QLineEdit("Item1", this);
    edit1_->setObjectName("Edit1");
    edit2_ = new QLineEdit("Hint about item1", this);
    edit2_->setObjectName("Edit2");
    edit3_ = new QLineEdit("index.html", this);
    edit3_->setObjectName("Edit3");
    for (QLineEdit* edit : {edit1_, edit2_, edit3_}) edit->setMinimumWidth(280);
    shownFrom_ = {"Item1", "Hint about item1", "index.html"};

    auto* form = new QFormLayout;
    form->addRow("Caption", edit1_);
    form->addRow("Hint", edit2_);
    form->addRow("Link", edit3_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName("OKBtn");
    ok_->setDefault(true);  // Enter confirms wherever the focus is
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName("CancelBtn");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // OK first, so it holds the focus when the dialog opens.
    setTabOrder(ok_, cancel);
    setTabOrder(cancel, edit1_);
    setTabOrder(edit1_, edit2_);
    setTabOrder(edit2_, edit3_);
}

void ItemDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ok_->setFocus(Qt::OtherFocusReason);
}

namespace {

// A field left as shown gives its bytes back. An edited one keeps the
// encoding of what it was shown from; a field that held plain ASCII (or
// nothing) says nothing about that, and takes the script's encoding.
std::string FieldBytes(const QLineEdit* edit, const std::string& shownFrom, bool eightBitScript) {
    if (edit->text() == Shown(shownFrom)) return shownFrom;
    const bool ascii = std::all_of(shownFrom.begin(), shownFrom.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) return EncodedFor(edit->text(), eightBitScript);
    return EncodedLike(edit->text(), shownFrom);
}

}  // namespace

ItemTexts ItemDialog::Texts() const {
    return {FieldBytes(edit1_, shownFrom_.caption, eightBitScript_), FieldBytes(edit2_, shownFrom_.hint, eightBitScript_),
            FieldBytes(edit3_, shownFrom_.link, eightBitScript_)};
}

void ItemDialog::SetTexts(const ItemTexts& texts) {
    shownFrom_ = texts;
    edit1_->setText(Shown(texts.caption));
    edit2_->setText(Shown(texts.hint));
    edit3_->setText(Shown(texts.link));
}

}  // namespace tavel
