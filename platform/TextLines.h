#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// A project text seen as a list of lines, counted from 1 where the program
// edits fixed line numbers. Whether the text ends with a line break is kept,
// so turning it back into bytes gives exactly what was read.
class TextLines {
public:
    TextLines() = default;
    explicit TextLines(std::string_view text);

    size_t Count() const { return lines_.size(); }
    bool Empty() const { return lines_.empty(); }

    // 1-based access; throws std::out_of_range for a line that is not there.
    const std::string& Line(size_t number) const;
    void Replace(size_t number, std::string line);
    // Inserts before line `number`; Count() + 1 appends.
    void Insert(size_t number, std::string line);

    // Adds the line and a line break when the text is empty or ends with a
    // line break; otherwise a line break and then the line.
    void Append(std::string line);

    const std::vector<std::string>& Lines() const { return lines_; }
    bool EndsWithLineBreak() const { return endsWithBreak_; }

    std::string Text() const;

private:
    void Check(size_t number) const;

    std::vector<std::string> lines_;
    bool endsWithBreak_ = true;
};

// Appends one line to a CR LF text by the same rule as TextLines::Append.
void AppendLine(std::string& text, std::string_view line);

}  // namespace tavel
