#include "ui/UiServices.h"

#include "platform/Paths.h"
#include "ui/PrintError.h"

#include <QDesktopServices>
#include <QDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>

namespace tavel {

bool DesktopServices::RunDialog(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

void DesktopServices::Message(QWidget* parent, const QString& caption, const QString& text,
                              QMessageBox::Icon icon) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

QMessageBox::StandardButton DesktopServices::Ask(QWidget* parent, const QString& caption, const QString& text,
                                                 QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, caption, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void DesktopServices::OpenWithSystem(const QString& target) { QDesktopServices::openUrl(TargetUrl(target)); }

std::unique_ptr<QPrinter> DesktopServices::DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) throw PrintError("There is no default printer.");
    return std::make_unique<QPrinter>(info, QPrinter::ScreenResolution);
}

QUrl TargetUrl(const QString& target) {
    const std::string local = LocalPathOfLocation(target.toLocal8Bit().toStdString());
    if (!local.empty()) return QUrl::fromLocalFile(QString::fromLocal8Bit(local.c_str()));
    if (target.startsWith('/')) return QUrl::fromLocalFile(target);
    // A bare address such as the maker's site gets its scheme here.
    return QUrl::fromUserInput(target);
}

}  // namespace tavel
