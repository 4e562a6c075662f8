#include "design/ButtonLine.h"

#include "platform/TextLines.h"

#include <algorithm>

namespace tavel {

std::string ButtonLine(ButtonLineForm form, std::string_view entry) {
    std::string line(kButtonMarker);
    if (form == ButtonLineForm::DefaultProject) {
        line += "../buttons/";
        line += entry;
        line += ".jpg";
    } else {
        line += "table_bgcolor.jpg";
    }
    line += "\");}/*";
    line += entry;
    line += "*/";
    return line;
}

ButtonLineName ReadButtonLine(std::string_view styleSheet) {
    ButtonLineName result;
    const size_t marker = styleSheet.find(kButtonMarker);
    if (marker == std::string_view::npos) return result;
    result.hasMarker = true;
    std::string_view line = styleSheet.substr(marker);
    line = line.substr(0, line.find_first_of("\r\n"));
    const std::string_view address = line.substr(kButtonMarker.size());
    result.address = std::string(address.substr(0, address.find('"')));
    const size_t open = line.find("/*");
    if (open == std::string_view::npos) return result;
    const size_t close = line.find("*/", open + 2);
    if (close == std::string_view::npos) return result;
    result.name = std::string(line.substr(open + 2, close - open - 2));
    return result;
}

bool AddressLeavesFolder(std::string_view address) { return address.find_first_of("/\\:") != std::string_view::npos; }

namespace {

// Where the marker's line ends, before its line break.
size_t LineEndAfter(const std::string& styleSheet, size_t marker) {
    return std::min(styleSheet.find_first_of("\r\n", marker), styleSheet.size());
}

// Takes out the marker's text to the end of its line; a line of its own goes
// with its line break, and text before the marker on its line stays.
void EraseMarkerLine(std::string& styleSheet, size_t marker) {
    size_t end = LineEndAfter(styleSheet, marker);
    if (marker == 0 || styleSheet[marker - 1] == '\n' || styleSheet[marker - 1] == '\r') {
        if (styleSheet.compare(end, 2, "\r\n") == 0)
            end += 2;
        else if (end < styleSheet.size())
            end += 1;
    }
    styleSheet.erase(marker, end - marker);
}

}  // namespace

void SetButtonLine(std::string& styleSheet, ButtonLineForm form, std::optional<std::string_view> entry) {
    const size_t marker = styleSheet.find(kButtonMarker);
    if (marker == std::string::npos) {
        if (entry) AppendLine(styleSheet, ButtonLine(form, *entry));
        return;
    }
    // A sheet holds one button line: further ones (pasted in with a
    // scheme's rules) go, so that the line read back is the one set.
    for (size_t later = styleSheet.find(kButtonMarker, marker + 1); later != std::string::npos;
         later = styleSheet.find(kButtonMarker, later))
        EraseMarkerLine(styleSheet, later);
    if (!entry) {
        EraseMarkerLine(styleSheet, marker);
        return;
    }
    const size_t end = LineEndAfter(styleSheet, marker);
    // A last line ends with a line break, as one appended does.
    styleSheet.replace(marker, end - marker, ButtonLine(form, *entry) + (end == styleSheet.size() ? "\r\n" : ""));
}

void AddLineBeforeButtonLine(std::string& styleSheet, std::string_view line) {
    const size_t marker = styleSheet.find(kButtonMarker);
    if (marker == std::string::npos) {
        AppendLine(styleSheet, line);
        return;
    }
    std::string tail = styleSheet.substr(marker);
    styleSheet.erase(marker);
    AppendLine(styleSheet, line);
    if (styleSheet.back() != '\n') styleSheet += "\r\n";
    styleSheet += tail;
}

}  // namespace tavel
