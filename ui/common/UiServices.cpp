#include "ui/common/UiServices.h"

#include "platform/Paths.h"
#include "project/ApplicationTitle.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FixedDialog.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QUrl>

namespace tavel {

bool DesktopServices::RunDialog(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

void DesktopServices::Message(QWidget* parent, const QString& caption, const QString& text,
                              QMessageBox::Icon icon) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    // Messages quote pages and tags ("<meta charset=...>"): never markup.
    box.setTextFormat(Qt::PlainText);
    MakeFixedTitleBar(box);
    WidenToTitle(box);
    box.exec();
}

QMessageBox::StandardButton DesktopServices::Ask(QWidget* parent, const QString& caption, const QString& text,
                                                 QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    MakeFixedTitleBar(box);
    WidenToTitle(box);
    // Enter takes the first button offered (Yes); Escape and the close box
    // the last (Cancel, or No where there is no Cancel).
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    else if (buttons & QMessageBox::Yes)
        box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(buttons & QMessageBox::Cancel ? QMessageBox::Cancel : QMessageBox::No);
    const int pressed = box.exec();
    return pressed == 0 ? QMessageBox::Cancel : static_cast<QMessageBox::StandardButton>(pressed);
}

QString DesktopServices::ChooseFileToOpen(QWidget* parent, const QString& filter, const QString& folder) {
    QFileDialog dialog(parent);
    dialog.setObjectName("OpenD");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDirectory(folder);
    NameFileDialogLists(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString DesktopServices::ChooseFileToSave(QWidget* parent, const QString& caption, const QString& filter,
                                          const QString& suggested) {
    QFileDialog dialog(parent, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    // "Report" becomes "Report.pdf" for the filter "PDF files (*.pdf)".
    const qsizetype dot = filter.indexOf("*.");
    if (dot >= 0) dialog.setDefaultSuffix(filter.mid(dot + 2).section(QRegularExpression("[ ;)]"), 0, 0));
    dialog.selectFile(suggested);
    NameFileDialogLists(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

bool DesktopServices::OpenWithSystem(const QString& target) { return QDesktopServices::openUrl(TargetUrl(target)); }

std::unique_ptr<QPrinter> DesktopServices::DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::ScreenResolution);
}

void OpenOrSayWhyNot(UiServices& services, QWidget* parent, const QString& target) {
    if (services.OpenWithSystem(target)) return;
    services.Message(parent, kApplicationTitle,
                     QString("The system could not open \"%1\": no program here opens it, or it does not exist.")
                         .arg(target),
                     QMessageBox::Warning);
}

QUrl TargetUrl(const QString& target) {
    const std::string local = LocalPathOfLocation(target.toLocal8Bit().toStdString());
    if (!local.empty()) return QUrl::fromLocalFile(QString::fromLocal8Bit(local.c_str()));
    if (target.startsWith('/')) return QUrl::fromLocalFile(target);
    // A bare address such as the maker's site gets its scheme here.
    return QUrl::fromUserInput(target);
}

}  // namespace tavel
