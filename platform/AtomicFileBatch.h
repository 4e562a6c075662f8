#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// Replaces many files, each one atomically as WriteTextFile does, but with
// one flush to disk for the whole set instead of one wait per file: every
// new content goes to a temporary file beside its target, and Commit makes
// them all durable before it renames each over its target. A reader sees a
// file either whole as it was or whole as it became, never in between.
// Temporary files not committed are removed when the batch goes.
class AtomicFileBatch {
public:
    AtomicFileBatch() = default;
    ~AtomicFileBatch();
    AtomicFileBatch(const AtomicFileBatch&) = delete;
    AtomicFileBatch& operator=(const AtomicFileBatch&) = delete;

    // Writes the bytes beside `path`; throws FileError naming `path` when the
    // file cannot be written (its folder is missing, a folder stands in its
    // place, the disk is full).
    void Add(const std::string& path, std::string_view bytes);

    // Puts every added file in place, in the order added. Throws FileError
    // naming the first file that cannot be; those after it are dropped.
    void Commit();

    size_t Pending() const { return pending_.size(); }

private:
    struct Replacement {
        std::string temp;
        std::string target;
        std::string path;  // as the caller named it, for messages
    };
    void Discard();

    std::vector<Replacement> pending_;
};

}  // namespace tavel
