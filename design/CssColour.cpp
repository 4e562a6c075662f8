#include "design/CssColour.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace tavel {
namespace {

// The colour keywords of CSS Color Module Level 4, sorted.
constexpr std::array<std::string_view, 150> kColourNames = {
    "aliceblue", "antiquewhite", "aqua", "aquamarine", "azure", "beige", "bisque", "black", "blanchedalmond", "blue",
    "blueviolet", "brown", "burlywood", "cadetblue", "chartreuse", "chocolate", "coral", "cornflowerblue", "cornsilk",
    "crimson", "currentcolor", "cyan", "darkblue", "darkcyan", "darkgoldenrod", "darkgray", "darkgreen", "darkgrey",
    "darkkhaki", "darkmagenta", "darkolivegreen", "darkorange", "darkorchid", "darkred", "darksalmon", "darkseagreen",
    "darkslateblue", "darkslategray", "darkslategrey", "darkturquoise", "darkviolet", "deeppink", "deepskyblue",
    "dimgray", "dimgrey", "dodgerblue", "firebrick", "floralwhite", "forestgreen", "fuchsia", "gainsboro",
    "ghostwhite", "gold", "goldenrod", "gray", "green", "greenyellow", "grey", "honeydew", "hotpink", "indianred",
    "indigo", "ivory", "khaki", "lavender", "lavenderblush", "lawngreen", "lemonchiffon", "lightblue", "lightcoral",
    "lightcyan", "lightgoldenrodyellow", "lightgray", "lightgreen", "lightgrey", "lightpink", "lightsalmon",
    "lightseagreen", "lightskyblue", "lightslategray", "lightslategrey", "lightsteelblue", "lightyellow", "lime",
    "limegreen", "linen", "magenta", "maroon", "mediumaquamarine", "mediumblue", "mediumorchid", "mediumpurple",
    "mediumseagreen", "mediumslateblue", "mediumspringgreen", "mediumturquoise", "mediumvioletred", "midnightblue",
    "mintcream", "mistyrose", "moccasin", "navajowhite", "navy", "oldlace", "olive", "olivedrab", "orange",
    "orangered", "orchid", "palegoldenrod", "palegreen", "paleturquoise", "palevioletred", "papayawhip", "peachpuff",
    "peru", "pink", "plum", "powderblue", "purple", "rebeccapurple", "red", "rosybrown", "royalblue", "saddlebrown",
    "salmon", "sandybrown", "seagreen", "seashell", "sienna", "silver", "skyblue", "slateblue", "slategray",
    "slategrey", "snow", "springgreen", "steelblue", "tan", "teal", "thistle", "tomato", "transparent", "turquoise",
    "violet", "wheat", "white", "whitesmoke", "yellow", "yellowgreen",
};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool IsHexColour(std::string_view value) {
    if (value.empty() || value.front() != '#') return false;
    const std::string_view digits = value.substr(1);
    const size_t n = digits.size();
    return (n == 3 || n == 4 || n == 6 || n == 8) &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

// rgb(…) and its kin: three or four numbers, each with an optional unit of
// its own, parted by commas, blanks or a slash before the alpha.
bool IsColourFunction(const std::string& lower) {
    const size_t open = lower.find('(');
    if (open == std::string::npos || lower.back() != ')') return false;
    const std::string name = lower.substr(0, open);
    if (name != "rgb" && name != "rgba" && name != "hsl" && name != "hsla") return false;
    const std::string_view inside = std::string_view(lower).substr(open + 1, lower.size() - open - 2);
    size_t numbers = 0;
    for (size_t i = 0; i < inside.size();) {
        const char c = inside[i];
        if (c == ' ' || c == ',' || c == '/' || c == '\t') {
            ++i;
            continue;
        }
        if (c == '+' || c == '-') ++i;
        size_t digits = 0;
        while (i < inside.size() && (std::isdigit(static_cast<unsigned char>(inside[i])) || inside[i] == '.')) {
            ++i;
            ++digits;
        }
        if (digits == 0) return false;
        const size_t unit = i;
        while (i < inside.size() && (std::isalpha(static_cast<unsigned char>(inside[i])) || inside[i] == '%')) ++i;
        const std::string_view suffix = inside.substr(unit, i - unit);
        if (!suffix.empty() && suffix != "%" && suffix != "deg" && suffix != "rad" && suffix != "grad" &&
            suffix != "turn")
            return false;
        ++numbers;
    }
    return numbers == 3 || numbers == 4;
}

}  // namespace

bool IsCssColour(std::string_view value) {
    if (IsHexColour(value)) return true;
    const std::string lower = Lower(value);
    if (std::binary_search(kColourNames.begin(), kColourNames.end(), lower)) return true;
    return IsColourFunction(lower);
}

std::optional<std::string> ColourRefusal(std::string_view entry, std::string_view value) {
    if (IsCssColour(value)) return std::nullopt;
    return "\"" + std::string(value) + "\" is not a colour (" + std::string(entry) +
           "). Type a colour as #rrggbb, #rgb, rgb(r, g, b) or a colour name such as navy, or press Colour...";
}

}  // namespace tavel
