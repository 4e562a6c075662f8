#include "design/StyleRules.h"

#include "design/ButtonLine.h"
#include "platform/ConversionError.h"

#include <algorithm>
#include <charconv>

namespace tavel {
namespace {

constexpr size_t npos = std::string_view::npos;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }


// The digit run that starts at the first digit at or after `from`.
std::pair<size_t, size_t> DigitRun(std::string_view text, size_t from) {
    size_t first = from;
    while (first < text.size() && !IsDigit(text[first])) ++first;
    if (first == text.size()) return {npos, 0};
    size_t last = first;
    while (last < text.size() && IsDigit(text[last])) ++last;
    return {first, last - first};
}

const char* Word(LineDraw draw) {
    switch (draw) {
        case LineDraw::Underline: return "underline";
        case LineDraw::Overline: return "overline";
        default: return "none";
    }
}

// Deletes the declaration that starts at `at` through its semicolon and
// puts `replacement` in its place; without a semicolon nothing changes.
void ReplaceDeclaration(std::string& body, size_t at, std::string_view replacement) {
    const size_t end = body.find(';', at);
    if (end == npos) return;
    body.replace(at, end - at + 1, replacement);
}

}  // namespace

StyleRuleSettings ReadStyleRule(std::string_view styleSheet, std::string_view selector) {
    // Without its rule a group reads as the defaults: taking some other rule
    // of the sheet instead would show, and later rewrite, the wrong one.
    const size_t p = styleSheet.find(selector);
    if (p == npos) return {};
    const size_t close = styleSheet.find('}', p);
    const std::string_view rule = styleSheet.substr(p, close == npos ? npos : close - p);
    StyleRuleSettings settings;

    if (size_t f = rule.find("font-family"); f != npos) {
        const size_t open = rule.find('"', f);
        const size_t end = open == npos ? npos : rule.find('"', open + 1);
        if (end != npos) settings.fontFamily = std::string(rule.substr(open + 1, end - open - 1));
    }

    if (size_t z = rule.find("font-size"); z != npos) {
        auto [first, length] = DigitRun(rule, z);
        if (first != npos) {
            const std::string_view digits = rule.substr(first, length);
            int32_t n = 0;
            auto [ptr, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
            if (error != std::errc()) throw ConversionError("'" + std::string(digits) + "' is not a valid integer value");
            settings.sizeIncrease = std::clamp<int64_t>(int64_t{n} - 100, -200, 200);
        }
    }

    settings.bold = rule.find("font-weight : bold;") != npos;

    if (size_t t = rule.find("TEXT-DECORATION"); t != npos) {
        settings.lineDraw = LineDraw::Unchanged;
        const size_t colon = rule.find(':', t);
        const size_t semicolon = colon == npos ? npos : rule.find(';', colon);
        // The colon and the blank after it are skipped; the first letter decides.
        if (semicolon != npos && colon + 2 < semicolon) {
            switch (rule[colon + 2]) {
                case 'n': settings.lineDraw = LineDraw::None; break;
                case 'o': settings.lineDraw = LineDraw::Overline; break;
                case 'u': settings.lineDraw = LineDraw::Underline; break;
                default: break;
            }
        }
    }
    return settings;
}

namespace {

// The body of one rule with the settings written into it.
std::string RuleBody(std::string body, const StyleRuleSettings& settings) {

    const size_t b = body.find("font-weight :");
    if (b == npos && settings.bold) {
        body += "font-weight : bold;";
    } else if (b != npos && !settings.bold) {
        ReplaceDeclaration(body, b, "");
    }

    const std::string size = std::to_string(int64_t{settings.sizeIncrease} + 100);
    if (size_t z = body.find("font-size"); z != npos) {
        if (settings.sizeIncrease != 0) {
            auto [first, length] = DigitRun(body, z);
            if (first != npos) body.replace(first, length, size);
        } else {
            ReplaceDeclaration(body, z, "");
        }
    } else if (settings.sizeIncrease != 0) {
        body += "font-size : " + size + "%;";
    }

    if (settings.lineDraw != LineDraw::Unchanged) {
        const std::string declaration = std::string("TEXT-DECORATION: ") + Word(settings.lineDraw) + ";";
        if (size_t t = body.find("TEXT-DECORATION:"); t != npos)
            ReplaceDeclaration(body, t, declaration);
        else
            body += declaration + "\r";
    }

    const std::string family = "font-family :\"" + settings.fontFamily + "\";";
    if (size_t f = body.find("font-family :"); f != npos) {
        ReplaceDeclaration(body, f, settings.fontFamily.empty() ? "" : family);
    } else if (!settings.fontFamily.empty()) {
        body += family + "\r";
    }
    return body;
}

// A new rule for a selector the sheet lacks, on a line of its own.
std::string WithNewRule(std::string_view styleSheet, std::string_view selector, const StyleRuleSettings& settings) {
    std::string rule(selector);
    if (rule.back() != '{') rule += " {";
    rule += RuleBody("", settings);
    rule += "}";
    std::string result(styleSheet);
    AddLineBeforeButtonLine(result, rule);
    return result;
}

}  // namespace

std::string StyleRuleText(std::string_view styleSheet, std::string_view selector, const StyleRuleSettings& settings) {
    const size_t p = styleSheet.find(selector);
    if (p == npos) return WithNewRule(styleSheet, selector, settings);
    const size_t open = styleSheet.find('{', p);
    const size_t close = open == npos ? npos : styleSheet.find('}', open + 1);
    if (close == npos) return std::string(styleSheet);
    std::string result(styleSheet.substr(0, open + 1));
    result += RuleBody(std::string(styleSheet.substr(open + 1, close - open - 1)), settings);
    result += styleSheet.substr(close);
    return result;
}

}  // namespace tavel
