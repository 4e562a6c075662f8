// Any bytes as a style sheet, with settings taken from the first bytes.
// Reading must not fail except with the conversion error, and writing must
// leave everything outside the rule's braces exactly as it was.
#include "design/ButtonLine.h"
#include "design/StyleRules.h"
#include "platform/ConversionError.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavel;
    if (size < 4) return 0;
    static constexpr std::string_view kSelectors[] = {selector::kTitleNormal, selector::kTitleHover,
                                                      selector::kItemNormal, selector::kItemHover};
    const std::string_view selector = kSelectors[data[0] % 4];
    StyleRuleSettings settings;
    settings.bold = data[1] & 1;
    settings.lineDraw = static_cast<LineDraw>((data[1] >> 1) % 4);
    settings.sizeIncrease = static_cast<int8_t>(data[2]) % 201;
    settings.fontFamily = (data[3] & 1) ? "Tahoma" : "";
    const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);

    try {
        ReadStyleRule(text, selector);
    } catch (const ConversionError&) {
    }
    const std::string written = StyleRuleText(text, selector, settings);

    const size_t p = text.find(selector);
    if (p == std::string_view::npos) {
        // A new rule goes in before the button line; both sides stay as they were.
        const size_t marker = std::min(text.find(kButtonMarker), text.size());
        const std::string_view head = text.substr(0, marker), tail = text.substr(marker);
        if (written.compare(0, head.size(), head) != 0 || written.size() <= text.size() ||
            written.compare(written.size() - tail.size(), tail.size(), tail) != 0)
            std::abort();
        if (ReadStyleRule(written, selector).bold != settings.bold) std::abort();
        return 0;
    }
    const size_t open = text.find('{', p);
    const size_t close = open == std::string_view::npos ? open : text.find('}', open + 1);
    if (close == std::string_view::npos) {
        if (written != text) std::abort();
        return 0;
    }
    const std::string_view before = text.substr(0, open + 1), after = text.substr(close);
    if (written.compare(0, before.size(), before) != 0) std::abort();
    if (written.size() < before.size() + after.size() ||
        written.compare(written.size() - after.size(), after.size(), after) != 0)
        std::abort();
    // What was written reads back, unless the rule was broken to begin with.
    try {
        const StyleRuleSettings again = ReadStyleRule(written, selector);
        (void)again;
    } catch (const ConversionError&) {
    }
    return 0;
}
