#include "design/GapLines.h"

#include "design/RuntimeComment.h"
#include "platform/TextLines.h"

namespace tavel {
namespace {

std::string_view Name(GapSide side) { return side == GapSide::Left ? "var gaps1" : "var gaps2"; }

// Replaces or inserts; a line number beyond the script's end (and past the
// line that would append) writes nothing.
void PutLine(TextLines& runtime, size_t number, std::string line, bool replace) {
    if (replace && number <= runtime.Count())
        runtime.Replace(number, std::move(line));
    else if (!replace && number <= runtime.Count() + 1)
        runtime.Insert(number, std::move(line));
}

}  // namespace

std::string GapLine(GapSide side, const GapSetting& gap) {
    std::string line(Name(side));
    if (gap.use)
        line += " =\"<b>" + CommentSafe(gap.text) + "</b>\";";
    else
        line += " = \"\";";
    return line;
}

std::string GapTextProblem(GapSide side, std::string_view text) {
    if (text.find_first_of("\r\n") == std::string_view::npos) return {};
    std::string shown(text);
    for (char& c : shown)
        if (c == '\r' || c == '\n') c = ' ';
    return std::string(side == GapSide::Left ? "The left" : "The right") + " gap \"" + shown +
           "\" holds a line break, but a gap is one line of text. Nothing was changed.";
}

std::optional<GapSetting> ReadGapLine(std::string_view line, GapSide side, const GapSetting& shown) {
    if (line.find(Name(side)) == std::string_view::npos) return std::nullopt;
    // The text runs to the line's last quote: a gap may hold quotes of its own.
    const size_t first = line.find('"');
    const size_t second = first == std::string_view::npos ? first : line.rfind('"');
    if (second == first) return std::nullopt;
    GapSetting gap = shown;
    gap.use = second > first + 1;
    if (gap.use) {
        const std::string_view quoted = line.substr(first + 1, second - first - 1);
        gap.text = quoted.size() > 7 ? FromCommentSafe(quoted.substr(3, quoted.size() - 7)) : std::string();
    }
    return gap;
}

std::string RuntimeLine(const TextLines& runtime, size_t number) {
    return number >= 1 && number <= runtime.Count() ? runtime.Line(number) : std::string();
}

void WriteGapLines(TextLines& runtime, const GapSetting& left, const GapSetting& right) {
    const struct {
        size_t number;
        GapSide side;
        const GapSetting& gap;
    } lines[] = {{gapline::kLeft, GapSide::Left, left}, {gapline::kRight, GapSide::Right, right}};
    for (const auto& l : lines) {
        const bool declared = RuntimeLine(runtime, l.number).find(Name(l.side)) != std::string::npos;
        PutLine(runtime, l.number, GapLine(l.side, l.gap), declared);
    }
}

void WriteDecorationLine(TextLines& runtime, std::string_view gapsFirstLine) {
    if (gapsFirstLine.empty()) return;
    const std::string_view key = gapsFirstLine.substr(0, 15);
    if (RuntimeLine(runtime, gapline::kDecoration).find(key) != std::string::npos)
        PutLine(runtime, gapline::kDecoration, std::string(gapsFirstLine), true);
}

}  // namespace tavel
