// Any bytes as the side files of the page design: after two setting bytes,
// NUL-separated, the menu runtime, a colour scheme (.csm), its style sheet
// (.csm.css), style.ini and gaps.ini, each read as the program reads a file.
// Applying must not fail, must read back, and must keep what the files have
// no say over: the runtime's first lines, the gap lines where no scheme line
// reaches them, and a chosen button line, which reads back.
#include "FuzzParts.h"
#include "design/ButtonLine.h"
#include "design/ColourSchemeList.h"
#include "design/PageDesignSettings.h"
#include "design/RuntimeComment.h"
#include "platform/ConversionError.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"

namespace {

using namespace tavel;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint8_t flags = data[0];
    const uint8_t rules = data[1];
    const std::vector<std::string> parts = fuzz::Parts(data + 2, size - 2, 5);
    const std::string runtime = NormalizeLineBreaks(parts[0]);
    PageDesignFiles files;
    files.schemeLines = NormalizeLineBreaks(parts[1]);
    files.schemeStyleSheet = NormalizeLineBreaks(parts[2]);
    files.styleLines = NormalizeLineBreaks(parts[3]);
    files.gaps = NormalizeLineBreaks(parts[4]);

    PageDesignSettings settings;
    if (flags & 1) settings.scheme = "Fuzz.csm";
    if (flags & 2) settings.button = (flags & 4) ? "blue" : "[none]";
    settings.leftGap = {(flags & 8) != 0, "{"};
    settings.rightGap = {(flags & 16) != 0, "&raquo;"};
    for (size_t i = 0; i < settings.rules.size(); ++i) {
        settings.rules[i].bold = (rules >> i) & 1;
        settings.rules[i].sizeIncrease = (rules >> 4) * 10 - 70;
        settings.rules[i].lineDraw = static_cast<LineDraw>((rules >> (i + 1)) % 3);
    }
    const ButtonLineForm form = (flags & 32) ? ButtonLineForm::ProjectFolder : ButtonLineForm::DefaultProject;
    const std::string sheet = "A.menuTitle { color : #fff; }\r\nA.menu { color : #000; }\r\n";

    DesignTexts applied;
    try {
        applied = ApplyPageDesign({sheet, runtime}, settings, files, form);
    } catch (const RuntimeValueError&) {
        return 0;  // refused before anything is applied: a scheme too long, a gap with a line break
    }
    try {
        ReadPageDesign(applied.styleSheet, applied.runtime, {"blue"}, settings);
    } catch (const ConversionError&) {
    }

    // The line count is no rule: a last line emptied in a text without a
    // final line break is the same text as one line fewer with one.
    const TextLines before(runtime), after(applied.runtime);
    for (size_t i = 1; i < kSchemeFirstLine && i <= before.Count(); ++i)
        TAVEL_FUZZ_CHECK(i <= after.Count() && after.Line(i) == before.Line(i));
    const size_t schemeEnd = settings.scheme ? kSchemeFirstLine + TextLines(files.schemeLines).Count() : 0;
    if (schemeEnd <= gapline::kLeft && after.Count() >= gapline::kRight) {
        const auto left = ReadGapLine(after.Line(gapline::kLeft), GapSide::Left, {});
        const auto right = ReadGapLine(after.Line(gapline::kRight), GapSide::Right, {});
        TAVEL_FUZZ_CHECK(left && right && left->use == settings.leftGap.use && right->use == settings.rightGap.use);
        TAVEL_FUZZ_CHECK(!left->use || left->text == settings.leftGap.text);
        TAVEL_FUZZ_CHECK(!right->use || right->text == settings.rightGap.text);
    }
    if (settings.button == std::optional<std::string>("blue")) {
        const ButtonLineName line = ReadButtonLine(applied.styleSheet);
        TAVEL_FUZZ_CHECK(line.hasMarker && line.name == std::optional<std::string>("blue"));
    } else if (settings.button) {
        TAVEL_FUZZ_CHECK(!ReadButtonLine(applied.styleSheet).hasMarker);
    }
    return 0;
}
