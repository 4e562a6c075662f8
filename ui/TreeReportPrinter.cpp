#include "ui/TreeReportPrinter.h"

#include "ui/LocalText.h"
#include "ui/PrintError.h"

#include <QPainter>
#include <QPrinter>

namespace tavel {

void PrintLines(QPrinter& printer, const QFont& font, const std::vector<std::string>& lines) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString where = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        throw PrintError("Cannot print to \"" + Bytes(where) + "\".");
    }
    painter.setFont(QFont(font, painter.device()));
    const QRect page = painter.viewport();
    const int width = page.width();
    qreal y = 0;
    for (const std::string& line : lines) {
        const QString text = Shown(line);
        const QRectF needed =
            painter.boundingRect(QRectF(0, 0, width, page.height()), Qt::TextWrapAnywhere, text.isEmpty() ? " " : text);
        if (y > 0 && y + needed.height() > page.height()) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(QRectF(0, y, width, needed.height()), Qt::TextWrapAnywhere, text);
        y += needed.height();
    }
    painter.end();
}

}  // namespace tavel
