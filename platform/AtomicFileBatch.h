#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// Writes many files as one: after Commit every one of them is new, and
// after a failure every one is as it was. Each new content goes to a folder
// of the batch's own beside its target first (platform/WriteJournal.h);
// Commit flushes each of them to disk, keeps each file it replaces
// aside there, lists every change in a journal, then puts each in place by
// a rename. When a step fails part way, the files already replaced get
// their old versions back. A reader never sees a file half written, and a
// crash or kill in the middle is finished or undone as a whole by the next
// start or the next write into that folder.
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
    // Every file added from now on must lie inside `folder`: a link that
    // leads out of it is refused (FileError naming the link and where it
    // leads), so that no write leaves the folder.
    void KeepInside(std::string folder) { inside_ = std::move(folder); }

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
        size_t folder = 0;   // index into folders_
        bool placed = false;
    };
    struct Folder {
        std::string path;
        int fd = -1;
        std::string firstFile;  // named when the folder as a whole fails
        std::string work;       // the batch's own folder inside it
        int journal = -1;       // its journal, open for appending
    };

    size_t FolderOf(const std::string& target, const std::string& path);
    int KeepOld(Change& change, size_t index);
    // Appends the commit lines (or "undo") to every folder's journal and
    // flushes it. Returns 0 or the errno value; `failedFolder` names where.
    int AppendToJournals(bool undo, size_t& failedFolder);
    int Apply(Change& change);
    [[noreturn]] void Fail(size_t failed, int error, std::string path);
    void Discard();

    std::vector<Change> changes_;
    std::vector<Folder> folders_;
    std::vector<std::string> createdFolders_;
    bool committing_ = false;  // the journals say "commit"
    std::string inside_;
};

}  // namespace tavel
