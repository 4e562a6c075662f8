#include "project/StyleFile.h"

#include "design/RuntimeComment.h"
#include "platform/TextLines.h"

#include <algorithm>
#include <cctype>

namespace tavel {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The number a bare slot takes: digits with an optional sign and fraction,
// which the runtime reads as pixels.
bool IsNumber(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    size_t digits = 0;
    bool point = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            ++digits;
        } else {
            return false;
        }
    }
    return digits > 0;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::string StyleLineValue(std::string_view line) {
    const size_t equals = line.find('=');
    return std::string(equals == std::string_view::npos ? line : line.substr(equals + 1));
}

std::string StyleLineName(std::string_view line) { return std::string(line.substr(0, line.find('='))); }

bool IsQuotedSlot(size_t slot) { return (slot >= 5 && slot <= 10) || slot == 13; }

bool IsColourLine(size_t line) { return line >= styleline::kTitleNormal && line <= styleline::kLowerLine; }

const std::array<std::string_view, kStyleFileLines>& DefaultStyleLines() {
    static constexpr std::array<std::string_view, kStyleFileLines> lines = {
        "Caption = NewUserStyle1",     "Title Width = 9",         "Title Height = 17",
        "Char Width = 7",              "Char Height = 15",        "Title Normal = #0000c9",
        "Title Highlighted = #0000c9", "Item Normal = #0000c9",   "Item Highlighted = #990000",
        "UpperLine = #999999",         "LowerLine = #0000ff",     "Border Size = 1",
        "Margin Size = 4",             "Margin String = &nbsp;&nbsp;",
    };
    return lines;
}

size_t RuntimeSlotCount(std::string_view runtime) {
    const TextLines lines(runtime);
    size_t slots = 0;
    for (size_t i = kFirstSlotLine; i <= std::min(kLastSlotLine, lines.Count()) && slots < kStyleSlots; ++i)
        if (lines.Line(i).find('=') != std::string::npos) ++slots;
    return slots;
}

void CheckStyleFits(const StyleFiles& style, std::string_view runtime, const std::string& runtimeName) {
    if (!style.styleFile) return;
    const size_t runtimeLines = TextLines(runtime).Count();
    if (runtimeLines < kLastSlotLine)
        throw StyleError("The menu runtime script \"" + runtimeName + "\" has " + std::to_string(runtimeLines) +
                         " lines, but a style needs at least " + std::to_string(kLastSlotLine) +
                         ": its values go into lines " + std::to_string(kFirstSlotLine) + " to " +
                         std::to_string(kLastSlotLine) + ". Nothing was changed.");
    const size_t styleLines = TextLines(*style.styleFile).Count();
    const size_t needed = RuntimeSlotCount(runtime) + 1;
    if (styleLines != 0 && styleLines < needed)
        throw StyleError("The style file \"" + style.styleFilePath + "\" has " + std::to_string(styleLines) +
                         " lines, but the menu runtime script needs " + std::to_string(needed) +
                         " (the caption and one line for each style value). Nothing was changed.");
}

std::string RuntimeWithStyle(std::string_view runtime, std::string_view styleFile) {
    TextLines lines(runtime);
    const TextLines values(styleFile);
    size_t slot = 0;
    for (size_t i = kFirstSlotLine; i <= kLastSlotLine; ++i) {
        const std::string& line = lines.Line(i);
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        if (++slot > kStyleSlots) break;
        // The slots lie in a comment of the runtime: see CommentSafe.
        const std::string value = values.Empty() ? std::string() : CommentSafe(StyleLineValue(values.Line(slot + 1)));
        lines.Replace(i, line.substr(0, equals + 1) + (IsQuotedSlot(slot) ? Quoted(value) : value) + ";");
    }
    return lines.Text();
}

void ApplyStyle(const StyleFiles& style, std::string& styleSheet, std::string& runtime) {
    if (style.styleSheet) styleSheet = *style.styleSheet;
    if (style.styleFile) runtime = RuntimeWithStyle(runtime, *style.styleFile);
}

std::string StyleValueProblem(size_t line, std::string_view value) {
    if (line < 2 || line > kStyleFileLines) return {};
    const std::string name(Trimmed(StyleLineName(DefaultStyleLines()[line - 1])));
    const size_t slot = line - 1;
    if (!IsQuotedSlot(slot)) {
        if (IsNumber(value)) return {};
        return "\"" + name + "\" must be a number of pixels, such as 9; \"" + std::string(value) + "\" is not one.";
    }
    for (char c : value)
        if (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 32)
            return "\"" + name + "\" may not hold a double quotation mark, a backslash or a line break.";
    return {};
}

std::string StyleNameProblem(std::string_view name) {
    if (Trimmed(name).empty()) return "A style needs a name: fill in the value of \"Caption\".";
    const std::string shown = "\"" + std::string(name) + "\"";
    if (name == "." || name == "..") return shown + " cannot be the name of a file.";
    for (char c : name)
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 32)
            return shown + " cannot be the name of a file: a style's name may not hold \\ / : * ? \" < > | .";
    if (name.size() > 200) return shown + " is too long to be the name of a file.";
    for (std::string_view head : kStyleListHead) {
        if (head.size() != name.size()) continue;
        if (std::equal(head.begin(), head.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return shown + " is the name of a style that comes with the program; choose another name.";
    }
    return {};
}

std::string StyleEntriesProblem(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string problem = StyleNameProblem(entries.empty() ? std::string() : entries.front().second);
    for (size_t line = styleline::kCaption + 1; line <= entries.size() && problem.empty(); ++line)
        problem = StyleValueProblem(line, entries[line - 1].second);
    return problem;
}

std::string StyleFileText(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string text;
    for (const auto& [name, value] : entries) text += std::string(Trimmed(name)) + " = " + std::string(Trimmed(value)) + "\r\n";
    return text;
}

}  // namespace tavel
