#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// A write of several files keeps everything it needs in a folder of its own
// inside the folder it writes into (".tavel-write-Ab12Cd", made new for
// each write, so everything in it is the write's): the new versions until
// they are put in place, the versions they replace until every file is, and
// a journal. The journal starts with a header line; before the first file
// is replaced it lists every change and ends with "commit"; a write that
// fails after that and puts the old versions back adds "undo" first. A
// write cut short by a crash or a kill is recognised by its folder on the
// next start or the next write into that folder, and is finished (after
// "commit") or undone (after "undo") as a whole; one cut short before its
// commit changed no file, and its folder is simply cleared.

inline constexpr std::string_view kWorkFolderPrefix = ".tavel-write-";
inline constexpr const char* kJournalName = "journal";
inline constexpr std::string_view kJournalHeader = "tavel write journal 1\n";

// Whether a name is one a write gives its own folder (the prefix and the six
// characters mkdtemp adds).
bool IsWorkFolderName(std::string_view name);

// The name in the write's folder that holds the new (or the old) version of
// the `index`-th change, whose file is named `target` (a path or a name).
std::string WorkFileName(size_t index, bool oldVersion, std::string_view target);

struct JournalEntry {
    size_t index = 0;
    bool removal = false;  // the file goes; otherwise it is replaced or new
    bool hadOld = false;   // an old version was kept aside before the commit
    std::string name;      // the file's name in the folder
};

// The journal's lines for the entries, ending with "commit".
std::string JournalCommitText(const std::vector<JournalEntry>& entries);
inline constexpr std::string_view kJournalUndo = "undo\n";

// Finishes or undoes every write cut short in `folder`, and clears what such
// writes left there; the caller holds the folder's lock, so no live write
// is taken for a dead one. Returns one line for the user when a project
// file was changed back or forward, else an empty string. Nothing but what
// a write's own journal and folder name is ever removed.
std::string RecoverFolderLocked(const std::string& folder);

// The same for a folder a program start or an Open is about to read: takes
// the folder's lock itself and does nothing while another write runs there.
std::string RecoverInterruptedWrites(const std::string& folder);

// Lines about writes that the user should hear although the writes went
// through: repairs made before a write started (the next write into a
// folder repairs it first), and what a replaced file could not keep (its
// owner, an extended attribute). In order, emptied by the call; the window
// and the command line show them after each command.
std::vector<std::string> TakeWriteNotices();
void AddWriteNotice(std::string notice);

}  // namespace tavel
