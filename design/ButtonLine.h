#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavel {

// The last line of a style sheet may give the page's tables a button image
// and name the chosen entry in a comment:
//   table{ background-image: url("../buttons/blue.jpg");}/*blue*/
inline constexpr std::string_view kButtonMarker = "table{ background-image: url(\"";

enum class ButtonLineForm {
    DefaultProject,  // the template's style sheet reaches the buttons folder
    ProjectFolder,   // a project folder holds its own copy, table_bgcolor.jpg
};

std::string ButtonLine(ButtonLineForm form, std::string_view entry);

struct ButtonLineName {
    bool hasMarker = false;
    // The entry the line names: the text between "/*" and the first "*/"
    // after it on the marker's line. None when either is missing.
    std::optional<std::string> name;
    // The picture's address: from the marker to the next double quote on
    // the line (the rest of the line when there is none).
    std::string address;
};
ButtonLineName ReadButtonLine(std::string_view styleSheet);

// Whether the address leads out of the style sheet's own folder: any path
// or web address, where a plain file name stays beside the sheet.
bool AddressLeavesFolder(std::string_view address);

// Puts the button line for `entry` in place of the sheet's own (from the
// marker to the end of its line), or at the end when it has none; with no
// entry the sheet's line goes. Everything else stays as it is, the user's
// rules after the line included.
void SetButtonLine(std::string& styleSheet, ButtonLineForm form, std::optional<std::string_view> entry);

// Adds a line to the style sheet so that the button background line, when
// there is one, stays the last: before the marker, or at the end.
void AddLineBeforeButtonLine(std::string& styleSheet, std::string_view line);

}  // namespace tavel
