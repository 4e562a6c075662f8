#pragma once

#include <string>
#include <vector>

class QFont;
class QPrinter;

namespace tavel {

// Prints one line per entry at the left margin, breaking pages as they fill
// and wrapping a line wider than the page. Throws PrintError when the
// printer cannot be started.
void PrintLines(QPrinter& printer, const QFont& font, const std::vector<std::string>& lines);

}  // namespace tavel
