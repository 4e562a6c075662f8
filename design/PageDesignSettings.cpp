#include "design/PageDesignSettings.h"

#include "design/ButtonStyleList.h"
#include "design/ColourSchemeList.h"
#include "design/RuntimeComment.h"
#include "platform/TextLines.h"

#include <algorithm>

namespace tavel {

PageDesignSettings ReadPageDesign(std::string_view styleSheet, std::string_view runtime,
                                  const std::vector<std::string>& buttonEntries, PageDesignSettings shown) {
    const ButtonLineName line = ReadButtonLine(styleSheet);
    if (!line.hasMarker) {
        shown.button = ButtonStyleList::kNone;
    } else if (line.name && std::find(buttonEntries.begin(), buttonEntries.end(), *line.name) != buttonEntries.end()) {
        shown.button = *line.name;
    }

    const TextLines lines(runtime);
    if (auto gap = ReadGapLine(RuntimeLine(lines, gapline::kLeft), GapSide::Left, shown.leftGap)) shown.leftGap = *gap;
    if (auto gap = ReadGapLine(RuntimeLine(lines, gapline::kRight), GapSide::Right, shown.rightGap)) shown.rightGap = *gap;

    for (size_t i = 0; i < kRuleSelectors.size(); ++i) {
        const StyleRuleSettings read = ReadStyleRule(styleSheet, kRuleSelectors[i]);
        StyleRuleSettings& group = shown.rules[i];
        const LineDraw lineDraw = read.lineDraw == LineDraw::Unchanged ? group.lineDraw : read.lineDraw;
        group = read;
        group.lineDraw = lineDraw;
    }
    return shown;
}

std::optional<std::string> ProjectFolderButton(const std::optional<std::string>& chosen, std::string_view sheet,
                                               const std::vector<std::string>& buttonEntries) {
    if (chosen) return chosen;
    const ButtonLineName line = ReadButtonLine(sheet);
    if (!line.hasMarker || !AddressLeavesFolder(line.address)) return std::nullopt;
    if (line.name && std::find(buttonEntries.begin(), buttonEntries.end(), *line.name) != buttonEntries.end())
        return *line.name;
    return ButtonStyleList::kNone;
}

DesignTexts ApplyPageDesign(DesignTexts texts, const PageDesignSettings& settings, const PageDesignFiles& files,
                            ButtonLineForm form) {
    for (const auto& [side, gap] : {std::pair{GapSide::Left, &settings.leftGap}, std::pair{GapSide::Right, &settings.rightGap}}) {
        const std::string problem = gap->use ? GapTextProblem(side, gap->text) : std::string();
        if (!problem.empty()) throw RuntimeValueError(problem);
    }
    const TextLines schemeLines(settings.scheme ? files.schemeLines : std::string());
    if (schemeLines.Count() > kSchemeLastLine - kSchemeFirstLine + 1)
        throw RuntimeValueError("The colour scheme \"" + *settings.scheme + "\" has " + std::to_string(schemeLines.Count()) +
                                " lines, but a scheme may replace only lines " + std::to_string(kSchemeFirstLine) + " to " +
                                std::to_string(kSchemeLastLine) + " of sys.js; the lines after them are the menu's code. "
                                "Nothing was changed.");

    for (size_t i = 0; i < kRuleSelectors.size(); ++i)
        texts.styleSheet = StyleRuleText(texts.styleSheet, kRuleSelectors[i], settings.rules[i]);

    TextLines runtime(texts.runtime);
    WriteGapLines(runtime, settings.leftGap, settings.rightGap);
    const TextLines gaps(files.gaps);
    WriteDecorationLine(runtime, gaps.Empty() ? std::string() : gaps.Line(1));

    if (settings.scheme) {
        // The scheme's sheet takes the place of the whole sheet, the rules
        // just written included; style.ini's lines go before its button line.
        texts.styleSheet = files.schemeStyleSheet;
        const TextLines styleLines(files.styleLines);
        for (const std::string& line : styleLines.Lines()) AddLineBeforeButtonLine(texts.styleSheet, line);
        // The style lines lie in a comment of the runtime: see CommentSafe.
        const std::vector<std::string>& lines = schemeLines.Lines();
        for (size_t k = 0; k < lines.size() && kSchemeFirstLine + k <= runtime.Count(); ++k)
            runtime.Replace(kSchemeFirstLine + k, CommentSafe(lines[k]));
    }
    texts.runtime = runtime.Text();

    if (settings.button) {
        SetButtonLine(texts.styleSheet, form,
                      *settings.button != ButtonStyleList::kNone ? std::optional<std::string_view>(*settings.button)
                                                                 : std::nullopt);
    }
    return texts;
}

}  // namespace tavel
