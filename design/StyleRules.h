#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavel {

enum class LineDraw { None, Underline, Overline, Unchanged };

// The four settings of one menu-link rule of the style sheet.
struct StyleRuleSettings {
    bool bold = false;
    int32_t sizeIncrease = 0;  // percent, -200 to 200; 0 means no size
    LineDraw lineDraw = LineDraw::None;  // Unchanged only as read: a value the reader cannot tell
    std::string fontFamily;  // empty means no font family

    bool operator==(const StyleRuleSettings&) const = default;
};

// The four menu-link rules, by the text that starts each; kRuleSelectors
// gives the order in which they are read and written.
namespace selector {
inline constexpr std::string_view kTitleNormal = "A.menuTitle {";
inline constexpr std::string_view kTitleHover = "A.menuTitle:hover";
inline constexpr std::string_view kItemNormal = "A.menu {";
inline constexpr std::string_view kItemHover = "A.menu:hover";
}  // namespace selector

// Takes the settings out of the rule that begins at the first occurrence of
// `selector`; a sheet without that rule gives the defaults (no bold, no size,
// no line draw, no font). Only the program's own property forms are
// recognised. Throws ConversionError for a
// size whose digits do not fit a 32-bit integer.
StyleRuleSettings ReadStyleRule(std::string_view styleSheet, std::string_view selector);

// The style sheet with that rule's body rewritten to hold the settings:
// declarations found are replaced in place, missing ones appended, and
// nothing outside the braces changes. A rule without both braces, or a
// declaration without its semicolon, is left as it is. A sheet without the
// rule gets a new one, as a line of its own before the button background
// line or at the end.
std::string StyleRuleText(std::string_view styleSheet, std::string_view selector,
                          const StyleRuleSettings& settings);

}  // namespace tavel
