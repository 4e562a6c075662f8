#pragma once

#include <string>
#include <vector>

class QFont;
class QPagedPaintDevice;
class QString;
class QWidget;

namespace tavel {

class UiServices;

// Prints one line per entry at the left margin of a printer or PDF writer,
// breaking pages as they fill and wrapping a line wider than the page.
// Returns the number of pages. Throws PrintError naming `where` when the
// device cannot be started.
int PrintLines(QPagedPaintDevice& device, const QString& where, const QFont& font,
               const std::vector<std::string>& lines);

// Print: the lines go to the default printer. Without one, the user is
// offered to save them as a PDF file instead, first suggested in `folder`.
// Returns what was done, for the status bar: the pages and where they went,
// or an empty text when the user declined. Throws PrintError, or FileError
// when the PDF file cannot be written (it is replaced whole or not at all).
QString PrintReport(UiServices& services, QWidget* parent, const QFont& font, const std::vector<std::string>& lines,
                    const QString& folder);

}  // namespace tavel
