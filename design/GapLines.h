#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavel {

class TextLines;

// The texts the menu runtime puts before and after every caption, declared
// on two fixed lines of sys.js (inside a comment, so a gap text is stored
// CommentSafe and read back as typed):
//   var gaps1 ="<b>{</b>";   a gap in use
//   var gaps2 = "";          none
namespace gapline {
inline constexpr size_t kLeft = 47;
inline constexpr size_t kRight = 48;
// The caption decoration line that the first line of gaps.ini replaces.
inline constexpr size_t kDecoration = 211;
}  // namespace gapline

enum class GapSide { Left, Right };

struct GapSetting {
    bool use = false;
    std::string text;  // shown even while not in use, and kept for the next use

    bool operator==(const GapSetting&) const = default;
};

std::string GapLine(GapSide side, const GapSetting& gap);

// Why a gap text cannot be written, or empty when it can: a line break would
// split the gap line and move every numbered line after it.
std::string GapTextProblem(GapSide side, std::string_view text);

// What a runtime line says about its gap: nothing when it does not declare
// that gap or has fewer than two double quotes. A line in the empty form says
// "not in use" and keeps `shown`'s text; a gap in use gives the text between
// the quotes less the "<b>" and "</b>" round it.
std::optional<GapSetting> ReadGapLine(std::string_view line, GapSide side, const GapSetting& shown);

// Line `number` of the runtime, or an empty line past its end.
std::string RuntimeLine(const TextLines& runtime, size_t number);

// Writes both gap lines: each replaces its line when that declares the gap,
// and is inserted there otherwise. Past the end of the script nothing is
// written.
void WriteGapLines(TextLines& runtime, const GapSetting& left, const GapSetting& right);

// The first line of gaps.ini replaces the decoration line when that line
// holds the first 15 characters of it. An empty first line replaces nothing.
void WriteDecorationLine(TextLines& runtime, std::string_view gapsFirstLine);

}  // namespace tavel
