#include "menu/BracketIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tavel {
namespace {

// Polynomial hashing modulo 2^64. Windows that share a hash without being
// equal cost a full search of their line, never a wrong answer, so a fast
// hash is worth more here than a strong one.
constexpr uint64_t kBase = 0x100000001B3ull;
constexpr uint32_t kNone = UINT32_MAX;

uint64_t Digit(char c) { return static_cast<unsigned char>(c) + 1u; }

uint64_t HashOf(std::string_view text) {
    uint64_t hash = 0;
    for (char c : text) hash = hash * kBase + Digit(c);
    return hash;
}

uint32_t TagOf(uint64_t hash) { return static_cast<uint32_t>(hash >> 32); }

size_t SlotOf(uint64_t hash, size_t mask) { return static_cast<size_t>(hash * 0x9E3779B97F4A7C15ull >> 20) & mask; }

}  // namespace

BracketIndex::BracketIndex(const std::vector<std::string_view>& lines, size_t maxEntries)
    : lines_(lines), entriesLeft_(maxEntries) {
    bracketBegin_.reserve(lines.size() + 1);
    for (std::string_view line : lines) {
        bracketBegin_.push_back(static_cast<uint32_t>(brackets_.size()));
        const char* data = line.data();
        const char* end = data + line.size();
        for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '[', static_cast<size_t>(end - p)))); ++p)
            brackets_.push_back(static_cast<uint32_t>(p - data));
    }
    bracketBegin_.push_back(static_cast<uint32_t>(brackets_.size()));
}

const BracketIndex::Slot& BracketIndex::Find(const LengthTable& table, uint32_t tag) {
    const size_t mask = table.slots.size() - 1;
    size_t slot = SlotOf(tag, mask);
    while (table.slots[slot].head != kNone && table.slots[slot].tag != tag) slot = (slot + 1) & mask;
    return table.slots[slot];
}

void BracketIndex::AddWindow(LengthTable& table, uint64_t hash, uint32_t line, uint32_t end) const {
    const uint32_t tag = TagOf(hash);
    Slot& slot = const_cast<Slot&>(Find(table, tag));
    const uint32_t entry = static_cast<uint32_t>(table.entries.size());
    // Lines come in order, so the chain's head is the latest line. One
    // window per line is enough: a line contains the pattern or not.
    if (slot.head != kNone && table.entries[slot.head].line == line) return;
    table.entries.push_back({line, end, slot.head});
    slot = {tag, entry};
}

void BracketIndex::HashWindows(uint32_t line, size_t length, LengthTable& table) const {
    const std::string_view text = lines_[line];
    const uint32_t* first = brackets_.data() + bracketBegin_[line];
    const uint32_t* last = brackets_.data() + bracketBegin_[line + 1];
    while (first != last && *first + 1 < length) ++first;  // window would start before the line
    if (first == last) return;

    const size_t count = static_cast<size_t>(last - first);
    const size_t span = *(last - 1) - (*first + 1 - length) + 1;
    if (count * length <= span) {
        // Few "["s in a long stretch: hash each window on its own.
        for (const uint32_t* b = first; b != last; ++b)
            AddWindow(table, HashOf(text.substr(*b + 1 - length, length)), line, *b);
        return;
    }
    // Many "["s: roll one window along the line.
    const uint64_t top = powers_[length - 1];
    size_t start = *first + 1 - length;
    uint64_t hash = HashOf(text.substr(start, length));
    for (const uint32_t* b = first; b != last; ++b) {
        while (start + length - 1 < *b) {
            hash = (hash - Digit(text[start]) * top) * kBase + Digit(text[start + length]);
            ++start;
        }
        AddWindow(table, hash, line, *b);
    }
}

const BracketIndex::LengthTable* BracketIndex::TableOfLength(size_t length) {
    auto found = byLength_.find(length);
    if (found != byLength_.end()) return &found->second;

    size_t windows = 0;
    for (uint32_t line = 0; line < lines_.size(); ++line)
        for (uint32_t b = bracketBegin_[line]; b < bracketBegin_[line + 1]; ++b)
            if (brackets_[b] + 1 >= length) ++windows;
    if (windows > entriesLeft_) return nullptr;
    entriesLeft_ -= windows;

    while (powers_.size() < length) powers_.push_back(powers_.empty() ? 1 : powers_.back() * kBase);
    LengthTable& table = byLength_[length];
    table.slots.assign(std::bit_ceil(2 * windows + 2), Slot{0, kNone});
    table.entries.reserve(windows);
    for (uint32_t line = 0; line < lines_.size(); ++line)
        if (bracketBegin_[line] != bracketBegin_[line + 1]) HashWindows(line, length, table);
    return &table;
}

const std::vector<uint32_t>* BracketIndex::LinesContaining(std::string_view pattern) {
    std::string key(pattern);
    auto cached = answers_.find(key);
    if (cached != answers_.end()) return &cached->second;

    const LengthTable* table = TableOfLength(pattern.size());
    if (table == nullptr) return nullptr;
    std::vector<uint32_t> lines;
    for (uint32_t e = Find(*table, TagOf(HashOf(pattern))).head; e != kNone; e = table->entries[e].next) {
        const Entry& entry = table->entries[e];
        const std::string_view text = lines_[entry.line];
        // The recorded window is the match unless two texts shared a hash;
        // then the line is searched in full.
        if (text.substr(entry.end + 1 - pattern.size(), pattern.size()) == pattern ||
            text.find(pattern) != std::string_view::npos)
            lines.push_back(entry.line);
    }
    std::reverse(lines.begin(), lines.end());  // the chain runs from the last line back
    return &answers_.emplace(std::move(key), std::move(lines)).first->second;
}

}  // namespace tavel
