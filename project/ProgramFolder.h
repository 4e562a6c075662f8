#pragma once

#include <string>
#include <string_view>

namespace tavel {

// Fixed paths below the program folder, written alike on every platform with
// "\" between components; ResolveProgramPath maps them onto the disk, matching
// each component without regard to letter case. The template texts and the
// user styles are found below the user's folder, which in a portable run is
// the program folder itself (see DataFolders.h).
namespace programpath {
inline constexpr std::string_view kTemplateFolder = "system\\";
inline constexpr std::string_view kTemplateScript = "system\\temp.js";
inline constexpr std::string_view kTemplatePage = "system\\index.htm";
inline constexpr std::string_view kTemplateStyleSheet = "system\\stt.css";
inline constexpr std::string_view kTemplateRuntime = "system\\sys.js";
inline constexpr std::string_view kGaps = "system\\gaps.ini";
inline constexpr std::string_view kStyleLines = "system\\style.ini";
inline constexpr std::string_view kStyles = "Styles";  // holds the provided and user styles
inline constexpr std::string_view kProvidedStyles = "Styles\\Provided\\";
inline constexpr std::string_view kUserStyles = "Styles\\User\\";
inline constexpr std::string_view kColourSchemes = "Styles\\Color\\";
inline constexpr std::string_view kButtons = "buttons\\";
inline constexpr std::string_view kHelp = "Help\\index.htm";
}  // namespace programpath

// The project files, by the names they have in every project folder.
namespace projectfile {
inline constexpr std::string_view kScript = "temp.js";
inline constexpr std::string_view kPage = "index.htm";
inline constexpr std::string_view kStyleSheet = "stt.css";
inline constexpr std::string_view kRuntime = "sys.js";
inline constexpr std::string_view kButtonImage = "table_bgcolor.jpg";
}  // namespace projectfile

}  // namespace tavel
