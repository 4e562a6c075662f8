#include "ui/AboutBox.h"

#include "ui/AboutPicture.h"
#include "ui/FixedDialog.h"
#include "ui/UiServices.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tavel {

AboutBox::AboutBox(UiServices& services, QWidget* parent) : QDialog(parent), services_(services) {
    MakeFixedDialog(*this, "TForm7", "About Tavel Builder");
    setFixedSize(365, 213);

    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setFixedSize(185, 200);
    image->setPixmap(AboutPicture(QSize(185, 200)));

    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    auto* label1 = new QLabel("Tavel", this);
    label1->setObjectName("Label1");
    label1->setFont(big);
    auto* label2 = new QLabel("Builder", this);
    label2->setObjectName("Label2");
    label2->setFont(big);
    auto* label4 = new QLabel("Version 2.1 (Build 1.648)", this);
    label4->setObjectName("Label4");

    label7_ = new QLabel(kMakerAddress, this);
    label7_->setObjectName("Label7");
    label7_->setStyleSheet("color: blue;");
    label7_->setCursor(Qt::PointingHandCursor);
    label7_->installEventFilter(this);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* right = new QVBoxLayout;
    right->addWidget(label1);
    right->addWidget(label2);
    right->addSpacing(8);
    right->addWidget(label4);
    right->addWidget(label7_);
    right->addStretch();
    right->addWidget(ok, 0, Qt::AlignRight);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 8, 6);
    layout->setSpacing(10);
    layout->addWidget(image);
    layout->addLayout(right);

    // Centred on the screen rather than on the main window.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void AboutBox::OpenMakerAddress() { OpenOrSayWhyNot(services_, this, label7_->text()); }

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label7_ && event->type() == QEvent::MouseButtonRelease) {
        OpenMakerAddress();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tavel
