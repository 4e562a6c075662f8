#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// A style file holds fourteen "name = value" lines in a fixed order: the
// style's caption, then one value for each of the thirteen style slots of the
// menu runtime. Only a line's position matters; its name is for people.
inline constexpr size_t kStyleFileLines = 14;
inline constexpr size_t kStyleSlots = 13;
// The runtime keeps its style slots among these lines: each line with an
// equals sign is the next slot.
inline constexpr size_t kFirstSlotLine = 12;
inline constexpr size_t kLastSlotLine = 26;

// Lines of a style file (1-based) by what they hold. The six colours run
// from kTitleNormal to kLowerLine in this order.
namespace styleline {
inline constexpr size_t kCaption = 1;
inline constexpr size_t kTitleNormal = 6;       // the menu bar
inline constexpr size_t kTitleHighlighted = 7;  // the title under the pointer
inline constexpr size_t kItemNormal = 8;        // an open list
inline constexpr size_t kItemHighlighted = 9;   // the item under the pointer
inline constexpr size_t kUpperLine = 10;        // the light edge of a bevel
inline constexpr size_t kLowerLine = 11;        // the dark edge of a bevel
}  // namespace styleline

// The value of a style-file line: everything after its first "=", as it
// stands, blanks included; a line without "=" is its own value.
std::string StyleLineValue(std::string_view line);
// What stands before the first "=" (the whole line when there is none).
std::string StyleLineName(std::string_view line);

// Slots 5 to 10 and 13 (colours and the caption lead) are strings in the
// runtime; the others are numbers.
bool IsQuotedSlot(size_t slot);
// Whether a style-file line holds one of the six colours.
bool IsColourLine(size_t line);

// The fixed head of the style list: "Own style..." (the Style Master), then
// the seven styles shipped with the program. User styles follow them.
inline constexpr std::array<std::string_view, 8> kStyleListHead = {
    "Own style...", "Hot summer", "Green spring", "Terminal Frost", "Pink Angel", "Dark style", "Serious menu", "Inferno"};

// The entries a new style starts from, as the Style Master lists them.
const std::array<std::string_view, kStyleFileLines>& DefaultStyleLines();

// How many slots the runtime's lines 12 to 26 offer (at most 13), assuming
// the runtime has those lines.
size_t RuntimeSlotCount(std::string_view runtime);

// A style or a runtime that cannot be applied; the message names the file.
class StyleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The files of one style, as found. A missing file is simply absent.
struct StyleFiles {
    std::optional<std::string> styleSheet;  // replaces the project's style sheet
    std::optional<std::string> styleFile;   // its values go into the runtime's slots
    std::string styleFilePath;              // for messages
};

// Throws StyleError when the style cannot be applied to `runtime` without
// a slot going without its value: a runtime shorter than 26 lines, or a
// non-empty style file with fewer lines than the slots need.
void CheckStyleFits(const StyleFiles& style, std::string_view runtime, const std::string& runtimeName);

// The runtime with each slot line rewritten: the line up to its first "="
// kept, then the value of style-file line k + 1 (quoted for string slots)
// and ";". An empty style file empties every slot. Call CheckStyleFits first.
std::string RuntimeWithStyle(std::string_view runtime, std::string_view styleFile);

// Replaces the style sheet by the style's sheet and writes the style file's
// values into the runtime; a part whose file is absent stays as it was.
void ApplyStyle(const StyleFiles& style, std::string& styleSheet, std::string& runtime);

// Why a value typed into the Style Master cannot go into its slot, or empty
// when it can. `line` is the style-file line, 1 to 14. Numbers must be
// numbers and strings must not close their quotes, or the runtime would not
// load at all.
std::string StyleValueProblem(size_t line, std::string_view value);

// Why `name` cannot name a user style's file, or empty when it can. Names
// of the list's head are refused too, so every entry stays one style.
std::string StyleNameProblem(std::string_view name);

// Why the Style Master's entries (name, value), the caption first and then
// the values in file order, cannot be saved as a style, or empty when they
// can: the caption's problem, else that of the first value with one. Checked
// before anything is written, so a refused style changes nothing.
std::string StyleEntriesProblem(const std::vector<std::pair<std::string, std::string>>& entries);

// The style file text for a list of (name, value) entries, as the Style
// Master saves it: "name = value" per line, CR LF after each.
std::string StyleFileText(const std::vector<std::pair<std::string, std::string>>& entries);

}  // namespace tavel
