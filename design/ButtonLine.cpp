#include "design/ButtonLine.h"

#include "platform/TextLines.h"

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

void DeleteButtonTail(std::string& styleSheet) {
    const size_t marker = styleSheet.find(kButtonMarker);
    if (marker != std::string::npos) styleSheet.erase(marker);
}

void AppendButtonLine(std::string& styleSheet, ButtonLineForm form, std::string_view entry) {
    AppendLine(styleSheet, ButtonLine(form, entry));
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
