// Any bytes as a style sheet and an entry name: the tail operations must
// leave a sheet whose button line names that entry again.
#include "design/ButtonLine.h"

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavel;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t cut = input.find('\0');
    std::string sheet = input.substr(0, cut);
    std::string entry = cut == std::string::npos ? "blue" : input.substr(cut + 1);

    ReadButtonLine(sheet);
    // Removing the line takes that line alone, and any further button line:
    // what follows it stays, and no button line is left.
    if (const size_t marker = sheet.find(kButtonMarker); marker != std::string::npos) {
        const size_t end = sheet.find_first_of("\r\n", marker);
        std::string_view rest = end == std::string::npos ? std::string_view() : std::string_view(sheet).substr(end);
        rest.remove_prefix(rest.substr(0, 2) == "\r\n" ? 2 : std::min<size_t>(rest.size(), 1));
        std::string removed = sheet;
        SetButtonLine(removed, ButtonLineForm::ProjectFolder, std::nullopt);
        if (removed.size() >= sheet.size() || ReadButtonLine(removed).hasMarker) std::abort();
        if (rest.find(kButtonMarker) == std::string_view::npos &&
            (removed.size() < rest.size() || removed.compare(removed.size() - rest.size(), std::string::npos, rest) != 0))
            std::abort();
    }

    // Entries are names of files: no "/", no NUL, and here no line breaks
    // or comment end either. A name that starts with "*" would open a
    // comment inside "../buttons/" already; such files are left out too.
    if (entry.find_first_of(std::string("/\r\n\0", 4)) != std::string::npos || entry.find("*/") != std::string::npos ||
        (!entry.empty() && entry.front() == '*'))
        return 0;
    for (ButtonLineForm form : {ButtonLineForm::DefaultProject, ButtonLineForm::ProjectFolder}) {
        std::string copy = sheet;
        SetButtonLine(copy, form, entry);
        // A marker inside the entry name itself would start the tail early.
        if (entry.find("table{") != std::string::npos) continue;
        const ButtonLineName line = ReadButtonLine(copy);
        if (!line.hasMarker || !line.name || *line.name != entry) std::abort();
    }
    return 0;
}
