#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavel {

// Answers "which lines contain this pattern" for patterns that end with "[",
// the only kind the script reader looks for, without scanning every line for
// every query. Every occurrence of such a pattern ends at a "[" of the line,
// so for each pattern length the windows ending at the "["s are hashed once;
// a query is a hash lookup whose candidates are then compared byte for byte,
// so the answer is exact whatever the hashes do.
class BracketIndex {
public:
    // `lines` must stay alive and unchanged while the index is used.
    // `maxEntries` bounds the windows indexed over all lengths together.
    BracketIndex(const std::vector<std::string_view>& lines, size_t maxEntries);

    // The numbers of the lines that contain `pattern`, ascending, or null when
    // answering would index more windows than allowed. `pattern` must end
    // with "[".
    const std::vector<uint32_t>* LinesContaining(std::string_view pattern);

private:
    // Windows of one length, chained per hash in an open-addressed table.
    // A slot keeps the hash's upper half only: hashes that share it share a
    // chain, which costs a full search of those lines, never a wrong answer.
    // That keeps a slot at 8 bytes, for tables of a million windows.
    struct Slot {
        uint32_t tag;   // the upper half of the hash
        uint32_t head;  // the last entry with this tag, or none
    };
    struct Entry {
        uint32_t line;
        uint32_t end;   // position of the "[" that ends the window
        uint32_t next;  // the entry before it with the same tag, or none
    };
    struct LengthTable {
        std::vector<Slot> slots;
        std::vector<Entry> entries;
    };

    static const Slot& Find(const LengthTable& table, uint32_t tag);

    const LengthTable* TableOfLength(size_t length);
    void AddWindow(LengthTable& table, uint64_t hash, uint32_t line, uint32_t end) const;
    void HashWindows(uint32_t line, size_t length, LengthTable& table) const;

    const std::vector<std::string_view>& lines_;
    std::vector<uint32_t> bracketBegin_;  // brackets_[bracketBegin_[i] .. bracketBegin_[i+1]) are line i's
    std::vector<uint32_t> brackets_;
    std::vector<uint64_t> powers_;
    size_t entriesLeft_;
    std::unordered_map<size_t, LengthTable> byLength_;
    std::unordered_map<std::string, std::vector<uint32_t>> answers_;
};

}  // namespace tavel
