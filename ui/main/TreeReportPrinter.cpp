#include "ui/main/TreeReportPrinter.h"

#include "platform/TextFile.h"
#include "project/ApplicationTitle.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"
#include "ui/main/PrintError.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <memory>

namespace tavel {
namespace {

QString PageCount(int pages) { return pages == 1 ? QString("1 page") : QString("%1 pages").arg(pages); }

// The PDF is made in memory and written as one file, so a failed write
// leaves any file of that name as it was.
int SaveAsPdf(const QString& file, const QFont& font, const std::vector<std::string>& lines) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&pdf);
        writer.setCreator(kApplicationTitle);
        writer.setTitle("Tree report");
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        pages = PrintLines(writer, file, font, lines);
    }
    WriteTextFile(Bytes(file), std::string_view(pdf.data().constData(), static_cast<size_t>(pdf.data().size())));
    return pages;
}

}  // namespace

int PrintLines(QPagedPaintDevice& device, const QString& where, const QFont& font,
               const std::vector<std::string>& lines) {
    QPainter painter;
    if (!painter.begin(&device)) throw PrintError("Cannot print to \"" + Bytes(where) + "\".");
    painter.setFont(QFont(font, painter.device()));
    const QRect page = painter.viewport();
    const int width = page.width();
    int pages = 1;
    qreal y = 0;
    for (const std::string& line : lines) {
        const QString text = Shown(line);
        const QRectF needed =
            painter.boundingRect(QRectF(0, 0, width, page.height()), Qt::TextWrapAnywhere, text.isEmpty() ? " " : text);
        if (y > 0 && y + needed.height() > page.height()) {
            device.newPage();
            ++pages;
            y = 0;
        }
        painter.drawText(QRectF(0, y, width, needed.height()), Qt::TextWrapAnywhere, text);
        y += needed.height();
    }
    painter.end();
    return pages;
}

QString PrintReport(UiServices& services, QWidget* parent, const QFont& font, const std::vector<std::string>& lines,
                    const QString& folder) {
    if (std::unique_ptr<QPrinter> printer = services.DefaultPrinter()) {
        const QString where = printer->printerName().isEmpty() ? printer->outputFileName() : printer->printerName();
        const int pages = PrintLines(*printer, where, font, lines);
        return QString("Printed %1 on \"%2\".").arg(PageCount(pages), where);
    }
    if (services.Ask(parent, kApplicationTitle,
                     "There is no default printer. Do you want to save the tree report as a PDF file instead?",
                     QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return {};
    const QString file = services.ChooseFileToSave(parent, "Save tree report", "PDF files (*.pdf)",
                                                   QDir(folder).filePath("Tree report.pdf"));
    if (file.isEmpty()) return {};
    const int pages = SaveAsPdf(file, font, lines);
    return QString("Saved the tree report (%1) as \"%2\".").arg(PageCount(pages), QDir::toNativeSeparators(file));
}

}  // namespace tavel
