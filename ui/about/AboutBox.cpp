#include "ui/about/AboutBox.h"

#include "project/ApplicationTitle.h"
#include "ui/about/AboutPicture.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FixedDialog.h"
#include "ui/common/FormNames.h"
#include "ui/common/LinkLabel.h"
#include "ui/common/UiServices.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tavel {

AboutBox::AboutBox(UiServices& services, QWidget* parent) : QDialog(parent), services_(services) {
    MakeFixedDialog(*this, QString("About ") + kApplicationTitle);
    setFixedSize(365, 213);

    auto* picture = new QLabel(this);
    picture->setFixedSize(185, 200);
    picture->setPixmap(AboutPicture(QSize(185, 200)));

    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    auto* firstWord = new QLabel("Tavel", this);
    firstWord->setFont(big);
    auto* secondWord = new QLabel("Builder", this);
    secondWord->setFont(big);
    auto* version = new QLabel("Version 2.1 (Build 1.648)", this);

    // OK is made first, so it holds the focus when the box opens and Enter
    // closes it; Tab goes to the link and back.
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    makerAddress_ = new LinkLabel(kMakerAddress, this);
    makerAddress_->SetBoldOnHover(false);
    connect(makerAddress_, &LinkLabel::clicked, this, &AboutBox::OpenMakerAddress);

    auto* right = new QVBoxLayout;
    right->addWidget(firstWord);
    right->addWidget(secondWord);
    right->addSpacing(8);
    right->addWidget(version);
    right->addWidget(makerAddress_);
    right->addStretch();
    right->addWidget(ok, 0, Qt::AlignRight);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 8, 6);
    layout->setSpacing(10);
    layout->addWidget(picture);
    layout->addLayout(right);

    // Centred on the screen rather than on the main window.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    SetFormNames({
        {this, "TForm7"},
        {picture, "Image1"},
        {firstWord, "Label1"},
        {secondWord, "Label2"},
        {version, "Label4"},
        {makerAddress_, "Label7"},
        {ok, "OKButton"},
    });
    SetAccessibleNames({
        {picture, "Picture of a drop-down menu"},
    });
}

void AboutBox::OpenMakerAddress() { OpenOrSayWhyNot(services_, this, makerAddress_->text()); }

}  // namespace tavel
