#include "platform/WriteJournal.h"

#include "platform/FileError.h"
#include "platform/FileSteps.h"
#include "platform/TextFile.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavel {
namespace {

// Long enough to tell files apart in a listing, short enough that the
// work file's name stays within the 255 bytes a name may have.
constexpr size_t kNamePartLimit = 200;
constexpr size_t kUniqueLength = 6;

std::vector<std::string>& Notices() {
    static std::vector<std::string> notices;
    return notices;
}

std::string Escaped(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (c == '%')
            out += "%25";
        else if (c == '\n')
            out += "%0A";
        else
            out += c;
    }
    return out;
}

std::string Unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && text.substr(i, 3) == "%25") {
            out += '%';
            i += 2;
        } else if (text[i] == '%' && text.substr(i, 3) == "%0A") {
            out += '\n';
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

enum class Stage { Staging, Commit, Undo };

struct Journal {
    bool valid = false;
    Stage stage = Stage::Staging;
    std::vector<JournalEntry> entries;
};

// A name only, never a path: a journal cannot lead a repair out of its folder.
bool PlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

Journal ParseJournal(const std::string& text) {
    Journal journal;
    if (text.compare(0, kJournalHeader.size(), kJournalHeader) != 0) return journal;
    journal.valid = true;
    size_t at = kJournalHeader.size();
    std::vector<JournalEntry> entries;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        if (end == std::string::npos) break;  // a line cut short by the kill
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line == "commit") {
            journal.stage = Stage::Commit;
            journal.entries = entries;
            continue;
        }
        if (line == "undo" && journal.stage == Stage::Commit) {
            journal.stage = Stage::Undo;
            continue;
        }
        // "replace|remove <index> <0|1> <name>"
        const size_t first = line.find(' ');
        const size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
        const size_t third = second == std::string::npos ? second : line.find(' ', second + 1);
        if (third == std::string::npos) return {};
        JournalEntry entry;
        const std::string kind = line.substr(0, first);
        if (kind != "replace" && kind != "remove") return {};
        entry.removal = kind == "remove";
        char* stop = nullptr;
        entry.index = std::strtoul(line.c_str() + first + 1, &stop, 10);
        if (stop != line.c_str() + second) return {};
        entry.hadOld = line.substr(second + 1, third - second - 1) == "1";
        entry.name = Unescaped(line.substr(third + 1));
        if (!PlainName(entry.name)) return {};
        entries.push_back(std::move(entry));
    }
    return journal;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Whether `name` is one WorkFileName makes, so that clearing a write's
// folder takes nothing else.
bool IsWorkFileName(const std::string& name) {
    size_t digits = 0;
    while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9') ++digits;
    if (digits == 0) return false;
    const std::string_view rest = std::string_view(name).substr(digits);
    return rest.rfind(".new.", 0) == 0 || rest.rfind(".old.", 0) == 0;
}

// Removes the write's own files and its folder; a file someone else put
// there keeps the folder.
void ClearWorkFolder(const std::string& work) {
    if (DIR* dir = ::opendir(work.c_str())) {
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(dir))
            if (IsWorkFileName(entry->d_name)) names.push_back(entry->d_name);
        ::closedir(dir);
        for (const std::string& name : names) filestep::Unlink((work + "/" + name).c_str());
    }
    filestep::RemoveFolder(work.c_str());
}

// Puts every change of a committed write in place, in the write's order.
// Counts the files it changed.
size_t Finish(const std::string& folder, const std::string& work, const Journal& journal, std::string& trouble) {
    size_t changed = 0;
    for (const JournalEntry& entry : journal.entries) {
        const std::string target = folder + "/" + entry.name;
        const std::string fresh = work + "/" + WorkFileName(entry.index, false, entry.name);
        const std::string old = work + "/" + WorkFileName(entry.index, true, entry.name);
        const bool due = entry.removal ? Exists(target) && !Exists(old) : Exists(fresh);
        if (!due) continue;
        if (filestep::Rename((entry.removal ? target : fresh).c_str(), (entry.removal ? old : target).c_str()) == 0)
            ++changed;
        else if (trouble.empty())
            trouble = entry.name;
    }
    return changed;
}

// Gives every file of a write that was being undone its old version back,
// the last change first.
size_t Undo(const std::string& folder, const std::string& work, const Journal& journal, std::string& trouble) {
    size_t changed = 0;
    for (auto it = journal.entries.rbegin(); it != journal.entries.rend(); ++it) {
        const std::string target = folder + "/" + it->name;
        const std::string fresh = work + "/" + WorkFileName(it->index, false, it->name);
        const std::string old = work + "/" + WorkFileName(it->index, true, it->name);
        if (it->hadOld || it->removal) {
            if (!Exists(old)) continue;  // already back
            if (filestep::Rename(old.c_str(), target.c_str()) == 0)
                ++changed;
            else if (trouble.empty())
                trouble = it->name;
        } else if (!Exists(fresh) && Exists(target)) {
            // A file the write made new, and had put in place.
            if (filestep::Unlink(target.c_str()) == 0)
                ++changed;
            else if (trouble.empty())
                trouble = it->name;
        }
    }
    return changed;
}

std::string RecoverWork(const std::string& folder, const std::string& work) {
    const std::string journalPath = work + "/" + kJournalName;
    struct stat st {};
    if (::lstat(journalPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        filestep::RemoveFolder(work.c_str());  // only when empty: then it was surely ours
        return {};
    }
    std::string text;
    try {
        text = ReadFileBytes(journalPath);
    } catch (const FileError&) {
        return {};
    }
    const Journal journal = ParseJournal(text);
    // A journal cut short in its header: the write had staged nothing yet.
    const bool started = text.size() < kJournalHeader.size() && kJournalHeader.compare(0, text.size(), text) == 0;
    if (!journal.valid && !started) return {};  // not a journal of ours: leave the folder as it is
    std::string trouble;
    size_t changed = 0;
    if (journal.stage == Stage::Commit) changed = Finish(folder, work, journal, trouble);
    if (journal.stage == Stage::Undo) changed = Undo(folder, work, journal, trouble);
    if (!trouble.empty()) {
        // Kept as it is for the next try, or for the user.
        return "The write cut short in \"" + folder + "\" could not be " +
               (journal.stage == Stage::Commit ? "finished" : "undone") + ": \"" + trouble +
               "\" could not be put in place; its versions are in \"" + work + "\".";
    }
    if (changed != 0) {
        const int fd = filestep::Open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            filestep::Sync(fd, folder.c_str());
            ::close(fd);
        }
    }
    filestep::Unlink(journalPath.c_str());
    ClearWorkFolder(work);
    if (changed == 0) return {};
    return "Repaired \"" + folder + "\": a write cut short there was " +
           (journal.stage == Stage::Commit ? "finished, so every file it wrote is new."
                                           : "undone, so every file it wrote is as it was before.");
}

}  // namespace

bool IsWorkFolderName(std::string_view name) {
    return name.size() == kWorkFolderPrefix.size() + kUniqueLength && name.rfind(kWorkFolderPrefix, 0) == 0;
}

std::string WorkFileName(size_t index, bool oldVersion, std::string_view target) {
    const size_t slash = target.find_last_of('/');
    const std::string_view name = target.substr(slash == std::string_view::npos ? 0 : slash + 1).substr(0, kNamePartLimit);
    return std::to_string(index) + (oldVersion ? ".old." : ".new.") + std::string(name);
}

std::string JournalCommitText(const std::vector<JournalEntry>& entries) {
    std::string text;
    for (const JournalEntry& entry : entries)
        text += std::string(entry.removal ? "remove " : "replace ") + std::to_string(entry.index) + " " +
                (entry.hadOld ? "1 " : "0 ") + Escaped(entry.name) + "\n";
    return text + "commit\n";
}

std::string RecoverFolderLocked(const std::string& named) {
    std::string folder = named;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    std::vector<std::string> works;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (!IsWorkFolderName(entry->d_name)) continue;
            const std::string path = folder + "/" + entry->d_name;
            struct stat st {};
            if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) works.push_back(path);
        }
        ::closedir(dir);
    }
    std::string message;
    for (const std::string& work : works) {
        std::string line = RecoverWork(folder, work);
        if (!line.empty()) message += (message.empty() ? "" : " ") + line;
    }
    return message;
}

std::string RecoverInterruptedWrites(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return {};
    std::string message;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) message = RecoverFolderLocked(folder);
    ::close(fd);
    return message;
}

std::vector<std::string> TakeWriteNotices() {
    std::vector<std::string> taken;
    taken.swap(Notices());
    return taken;
}

void AddWriteNotice(std::string notice) { Notices().push_back(std::move(notice)); }

}  // namespace tavel
