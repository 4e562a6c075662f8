#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavel {

// Whether a value is a colour a browser takes in CSS: a colour keyword
// ("navy", "transparent", "currentcolor", any letter case), #rgb, #rgba,
// #rrggbb or #rrggbbaa, or rgb(), rgba(), hsl() or hsla() with numbers,
// percentages, angles, commas, slashes and blanks inside.
bool IsCssColour(std::string_view value);

// The message that refuses `value` for the colour entry `entry`, or none
// when it is a CSS colour.
std::optional<std::string> ColourRefusal(std::string_view entry, std::string_view value);

}  // namespace tavel
