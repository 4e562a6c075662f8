#pragma once

#include <cstddef>
#include <string>

namespace tavel {

// The questions a core routine must ask half-way through, before it does
// something that cannot be taken back. The window answers them with message
// boxes; tests answer from a script.
class Prompts {
public:
    virtual ~Prompts() = default;
    // Whether to write over the menu data script at `path`, of which the tree
    // holds only the first `itemsRead` items.
    virtual bool ConfirmWriteOverPartlyRead(const std::string& path, size_t itemsRead) = 0;
};

// The words of that question: the file, and what a write would lose.
inline std::string PartlyReadQuestion(const std::string& path, size_t itemsRead) {
    return "The menu tree holds only the first " + std::to_string(itemsRead) + " items of \"" + path +
           "\": the file was too large to read whole. Writing the menu now would lose every entry "
           "beyond those items from that file.\n\nWrite over \"" + path + "\" anyway?";
}

}  // namespace tavel
