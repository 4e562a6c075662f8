#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavel {

class MenuTree;

// One field of a line: the text between a double quote and the next double
// quote that no backslash escapes, as it stands in the line.
struct QuotedField {
    std::string_view text;
    size_t next;  // 1-based position to continue from
};

// Takes the next field at or after the 1-based `position`. With no quote left
// the field is empty and the position lies beyond the line's end; with no
// closing quote the field runs to the end of the line. Inside a field a
// backslash escapes a double quote or a backslash that follows it (the
// writer's escapes); any other backslash is an ordinary character.
QuotedField NextQuotedField(std::string_view line, size_t position);

// The text a field stands for: \" is a double quote and \\ a backslash; every
// other byte, a backslash before anything else included, is itself, so that
// a script written without escapes (by hand: "C:\new") reads as it was typed.
std::string FieldText(std::string_view field);

// A menu data script can name the same submenu from many entries, and every
// naming attaches all of that submenu's later lines again; a hostile script
// can so ask for a tree of billions of items. Reading stops at these limits.
// The index that finds submenu entries is bounded as well, so that no
// script, however made, can make reading take unbounded time or memory.
struct ScriptReadLimits {
    size_t maxItems = 1'000'000;
    size_t maxBytes = size_t{256} << 20;  // captions, hints and links together
    size_t maxIndexEntries = size_t{32} << 20;
};

struct ScriptReadResult {
    size_t items = 0;
    bool truncated = false;  // a limit was reached; the tree holds what came before
    // Lines that hold text but gave no item (a declaration "var name = new
    // Array();" aside): a save, which writes the script from the tree, would
    // lose them. The first of them, 1-based, and as it stands.
    size_t droppedLines = 0;
    size_t firstDroppedLine = 0;
    std::string firstDropped;
};

// Replaces the whole tree with the menu the script declares. Entries are
// found by substrings, not by parsing: a line holding "theMenu" is a
// top-level entry, and the later lines holding an entry's link followed by
// "[" are its submenu entries, attached in line order. Line 0 is never read.
ScriptReadResult LoadTreeFromScript(std::string_view script, MenuTree& tree,
                                    const ScriptReadLimits& limits = {});

inline constexpr const char* kTopLevelHint = "there is no hint here";

}  // namespace tavel
