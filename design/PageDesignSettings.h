#pragma once

#include "design/ButtonLine.h"
#include "design/GapLines.h"
#include "design/StyleRules.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// Everything the page design dialog shows and sets, as plain values.
struct PageDesignSettings {
    // The menu-link rules, in the order of kRuleSelectors.
    std::array<StyleRuleSettings, 4> rules{};
    GapSetting leftGap{false, "{"};
    GapSetting rightGap{false, "}"};
    // The chosen button style ("[none]" for none); empty when no entry is
    // selected, which leaves the button line alone.
    std::optional<std::string> button;
    // The colour scheme file to apply; empty for none.
    std::optional<std::string> scheme;

    bool operator==(const PageDesignSettings&) const = default;
};

// Title items normal and hover, menu items normal and hover: the order in
// which the rules are always read and written.
inline constexpr std::array<std::string_view, 4> kRuleSelectors = {
    selector::kTitleNormal, selector::kTitleHover, selector::kItemNormal, selector::kItemHover};

// The values to show for a project: the four rules always; a gap only when
// its line declares it; the button named by the style sheet's button line
// when it is one of `buttonEntries` ("[none]" without the line). Everything
// else keeps its value from `shown`. Throws ConversionError for a size that
// does not fit an integer.
PageDesignSettings ReadPageDesign(std::string_view styleSheet, std::string_view runtime,
                                  const std::vector<std::string>& buttonEntries, PageDesignSettings shown);

// The button entry that OK writes into a project folder, whose sheet must
// never reach outside the folder for its picture. A chosen entry stands.
// With none chosen, `sheet` (the one OK keeps: the scheme's, or the
// project's own) may still end with a line that leaves the folder, as the
// scheme sheets' lines do: one that names a listed entry is written again in
// the project-folder form with that entry's picture; one whose picture is
// not listed cannot be, and is dropped ("[none]"). No line, or one whose
// picture lies beside the sheet, leaves the choice empty.
std::optional<std::string> ProjectFolderButton(const std::optional<std::string>& chosen, std::string_view sheet,
                                               const std::vector<std::string>& buttonEntries);

// The side files that applying needs, read before anything changes.
struct PageDesignFiles {
    std::string gaps;              // gaps.ini: its first line is the decoration line
    std::string schemeLines;       // the colour scheme file, when one is applied
    std::string schemeStyleSheet;  // the scheme's style sheet
    std::string styleLines;        // style.ini, appended to the scheme's style sheet
};

struct DesignTexts {
    std::string styleSheet;
    std::string runtime;
};

// The style sheet and runtime script with the settings applied: the four
// rules, the gap lines, the decoration line, the colour scheme (whose style
// sheet replaces the whole sheet) and the button background line in `form`.
// Throws RuntimeValueError, before anything is applied, for a gap in use
// that holds a line break and for a scheme with more lines than the style
// lines of the runtime.
DesignTexts ApplyPageDesign(DesignTexts texts, const PageDesignSettings& settings, const PageDesignFiles& files,
                            ButtonLineForm form);

}  // namespace tavel
