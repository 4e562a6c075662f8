#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavel {

// The colour schemes of the program folder: every "*.csm" file, listed by
// its whole file name. A scheme N is the file N, whose lines replace the
// menu runtime's style lines from line 12 on, and the style sheet N + ".css".
class ColourSchemeList {
public:
    // Lists the folder, sorted; throws FileError when it cannot be listed
    // (the list is then empty).
    void Fill(const std::string& folder);

    const std::vector<std::string>& Entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
};

// The first runtime line a scheme's first line replaces, and the last line
// a scheme may reach: the style lines end there, and what follows is the
// runtime's own code.
inline constexpr size_t kSchemeFirstLine = 12;
inline constexpr size_t kSchemeLastLine = 26;

}  // namespace tavel
