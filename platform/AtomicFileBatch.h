#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// Writes many files as one: after Commit every one of them is new, and
// after a failure every one is as it was. Each new content goes to a hidden
// file beside its target first; Commit flushes them all to disk at once,
// then puts each in place by a rename, keeping the file it replaces under a
// second hidden name until the last one is in place. When a step fails part
// way, the files already replaced get their old versions back. A reader
// never sees a file half written, and a crash in the middle leaves every
// file whole, old or new, with at most the hidden files beside it, which the
// next write into that folder clears away.
class AtomicFileBatch {
public:
    AtomicFileBatch() = default;
    // Drops whatever was not committed, and the folders made for it.
    ~AtomicFileBatch();
    AtomicFileBatch(const AtomicFileBatch&) = delete;
    AtomicFileBatch& operator=(const AtomicFileBatch&) = delete;

    // Makes the folder when it is missing (one level: its parent must
    // exist). Throws FileError naming the folder when it cannot be made.
    void AddFolder(const std::string& path);
    // Writes the bytes beside `path`; throws FileError naming `path` when
    // they cannot be (its folder is missing, a folder stands in its place,
    // the disk is full). A link is followed: the file it points at is the
    // one replaced.
    void Add(const std::string& path, std::string_view bytes);
    // The file goes when the batch commits; one that is not there is no error.
    void Remove(const std::string& path);

    // Puts every change in place, in the order added. Throws FileError
    // naming the file that failed, with every file as it was before.
    void Commit();

    size_t Pending() const { return changes_.size(); }

private:
    struct Change {
        std::string path;    // as the caller named it, for messages
        std::string target;  // the file that changes
        std::string temp;    // the new content; empty for a removal
        std::string backup;  // the previous content, kept aside while committing
        bool placed = false;
    };
    struct Folder {
        std::string path;
        int fd;
        std::string firstFile;  // named when the folder as a whole fails
    };

    Folder& FolderOf(const std::string& target, const std::string& path);
    int Apply(Change& change);
    [[noreturn]] void Fail(size_t failed, int error, std::string path);
    void Discard();

    std::vector<Change> changes_;
    std::vector<Folder> folders_;
    std::vector<std::string> createdFolders_;
};

}  // namespace tavel
