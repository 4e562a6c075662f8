// Any bytes as a style file (.tvs) and, after a NUL, as the menu runtime it
// is applied to, each read as the program reads a file. A style is either
// refused with StyleError or changes only the runtime's slot lines, each
// after its first "=". The Style Master's reading of the same file must not
// fail, and a style it would accept writes no slot that breaks the runtime.
#include "FuzzParts.h"
#include "design/RuntimeComment.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"
#include "project/StyleFile.h"

#include <optional>
#include <string_view>
#include <utility>

namespace {

using namespace tavel;

// The runtime with the style applied, or none when the style is refused.
std::optional<std::string> Applied(const std::string& style, const std::string& runtime) {
    StyleFiles files;
    files.styleFile = style;
    files.styleFilePath = "fuzz.tvs";
    try {
        CheckStyleFits(files, runtime, "sys.js");
    } catch (const StyleError&) {
        return std::nullopt;
    }
    return RuntimeWithStyle(runtime, style);
}

// Every line but the slot lines is kept, and each slot line keeps what
// stands up to its first "=" and ends with ";".
void CheckOnlySlotsChanged(const std::string& before, const std::string& after) {
    const TextLines a(before), b(after);
    TAVEL_FUZZ_CHECK(a.Count() == b.Count() && a.EndsWithLineBreak() == b.EndsWithLineBreak());
    size_t slot = 0;
    for (size_t i = 1; i <= a.Count(); ++i) {
        const std::string& old = a.Line(i);
        const size_t equals = old.find('=');
        const bool isSlot = i >= kFirstSlotLine && i <= kLastSlotLine && equals != std::string::npos &&
                            ++slot <= kStyleSlots;
        if (!isSlot) {
            TAVEL_FUZZ_CHECK(b.Line(i) == old);
            continue;
        }
        TAVEL_FUZZ_CHECK(b.Line(i).compare(0, equals + 1, old, 0, equals + 1) == 0 && b.Line(i).back() == ';');
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> parts = fuzz::Parts(data, size, 2);
    const std::string style = NormalizeLineBreaks(parts[0]);
    const std::string runtime = NormalizeLineBreaks(parts[1]);

    if (const auto applied = Applied(style, runtime)) CheckOnlySlotsChanged(runtime, *applied);

    // The Style Master shows the file's fourteen lines, a missing or empty
    // one as its default, and saves what it shows.
    std::vector<std::string> lines = TextLines(style).Lines();
    lines.resize(kStyleFileLines);
    std::vector<std::pair<std::string, std::string>> entries;
    for (size_t i = 0; i < kStyleFileLines; ++i) {
        const std::string line = lines[i].empty() ? std::string(DefaultStyleLines()[i]) : lines[i];
        entries.emplace_back(StyleLineName(line), StyleLineValue(line));
    }
    if (!StyleEntriesProblem(entries).empty()) return 0;
    const std::string saved = StyleFileText(entries);
    TAVEL_FUZZ_CHECK(TextLines(saved).Count() == kStyleFileLines);
    const auto applied = Applied(saved, runtime);
    TAVEL_FUZZ_CHECK(applied.has_value() || TextLines(runtime).Count() < kLastSlotLine);
    if (!applied) return 0;
    CheckOnlySlotsChanged(runtime, *applied);
    // A string slot holds one quoted value: its quotes stay closed.
    const TextLines result(*applied);
    size_t slot = 0;
    for (size_t i = kFirstSlotLine; i <= kLastSlotLine; ++i) {
        const std::string& line = result.Line(i);
        const size_t equals = TextLines(runtime).Line(i).find('=');
        if (equals == std::string::npos) continue;
        if (++slot > kStyleSlots) break;
        if (!IsQuotedSlot(slot)) continue;
        // Inside, no quote and no comment end; the only backslash is the one
        // that keeps a typed "*/" from ending the comment.
        const std::string_view value = std::string_view(line).substr(equals + 1);
        TAVEL_FUZZ_CHECK(value.size() >= 3 && value.front() == '"' && value.substr(value.size() - 2) == "\";");
        const std::string_view inner = value.substr(1, value.size() - 3);
        TAVEL_FUZZ_CHECK(inner.find('"') == std::string_view::npos && inner.find("*/") == std::string_view::npos &&
                         FromCommentSafe(inner).find('\\') == std::string::npos);
    }
    return 0;
}
