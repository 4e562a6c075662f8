#include "platform/TextLines.h"

#include <stdexcept>

namespace tavel {

TextLines::TextLines(std::string_view text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines_.emplace_back(text.substr(start));
            endsWithBreak_ = false;
            return;
        }
        lines_.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    endsWithBreak_ = true;
}

void TextLines::Check(size_t number) const {
    if (number < 1 || number > lines_.size())
        throw std::out_of_range("line " + std::to_string(number) + " of " +
                                std::to_string(lines_.size()));
}

const std::string& TextLines::Line(size_t number) const {
    Check(number);
    return lines_[number - 1];
}

void TextLines::Replace(size_t number, std::string line) {
    Check(number);
    lines_[number - 1] = std::move(line);
}

void TextLines::Insert(size_t number, std::string line) {
    if (number == lines_.size() + 1) {
        Append(std::move(line));
        return;
    }
    Check(number);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(number - 1), std::move(line));
}

void TextLines::Append(std::string line) {
    // Either way the new line becomes the last one; only whether a break
    // follows it differs, and that is what Text() reproduces.
    lines_.push_back(std::move(line));
}

std::string TextLines::Text() const {
    std::string text;
    size_t size = 0;
    for (const auto& line : lines_) size += line.size() + 2;
    text.reserve(size);
    for (size_t i = 0; i < lines_.size(); ++i) {
        text += lines_[i];
        if (i + 1 < lines_.size() || endsWithBreak_) text += "\r\n";
    }
    return text;
}

void AppendLine(std::string& text, std::string_view line) {
    if (text.empty() || text.back() == '\n' || text.back() == '\r') {
        text += line;
        text += "\r\n";
    } else {
        text += "\r\n";
        text += line;
    }
}

}  // namespace tavel
