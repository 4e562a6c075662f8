// Properties of writing and reading menus, over many random trees and
// scripts. Seeds are fixed so a failure can be replayed.
#include "PlainScriptReader.h"
#include "TestSupport.h"
#include "menu/ScriptReader.h"
#include "menu/ScriptWriter.h"
#include "platform/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tavel {
namespace {

using enum MenuItemKind;

using test::Row;

class RandomMenus {
public:
    // With `awkward`, texts also hold double quotes and backslashes, which
    // the writer escapes and the reader reads back.
    explicit RandomMenus(unsigned seed, bool awkward = false) : rng_(seed), awkward_(awkward) {}

    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
    bool Chance(int percent) { return Below(100) < static_cast<size_t>(percent); }

    // Plain words: no brackets or "theMenu", which the reading rule takes for
    // names of arrays; quotes and backslashes only when awkward.
    std::string Word() {
        static const char* words[] = {"home", "shop", "news", "About us", "Contact", "FAQ", "x", "a b", "99"};
        // The writer tests eight bytes at a time: quotes and backslashes sit
        // alone in the middle byte of a short text, the last byte of a text
        // of four to seven, the last of one longer than eight, a middle word.
        static const char* awkward[] = {R"(Say "hi")", R"(C:\new)", "\\", "\"", R"(\")", R"(a\\b)", R"("")", R"(x\)",
                                        R"(a"b)", R"(Hello")", R"(Last word\)", R"(Section 2" of a long caption)"};
        if (Chance(15)) return "";
        if (awkward_ && Chance(30)) return awkward[Below(std::size(awkward))];
        return words[Below(std::size(words))];
    }
    std::string Link() { return Chance(20) ? "" : Word() + ".html"; }
    MenuItemKind Kind() {
        static constexpr MenuItemKind kKinds[] = {Plain, Plain, Plain, Submenu, Separator};
        return kKinds[Below(5)];
    }

    // Up to three levels; sometimes wide enough that submenu numbers reach
    // the range where third-level names could collide.
    std::vector<Row> Tree() {
        std::vector<Row> rows;
        const size_t tops = Chance(10) ? 10 + Below(25) : Below(7);
        for (size_t t = 0; t < tops; ++t) {
            rows.push_back({0, Kind(), Word(), Word(), Link()});
            size_t seconds = Chance(30) ? 0 : Below(5);
            for (size_t s = 0; s < seconds; ++s) {
                rows.push_back({1, Kind(), Word(), Word(), Link()});
                size_t thirds = Chance(50) ? 0 : Below(4);
                for (size_t h = 0; h < thirds; ++h) rows.push_back({2, Kind(), Word(), Word(), Link()});
            }
        }
        return rows;
    }

    // Bytes that stress the reading rule: quotes, brackets, names it looks for.
    std::string Junk() {
        static const std::string_view bits[] = {"\"", "[", "theMenu", "myMenu0[", "myMenu1",
                                                "\"\"", std::string_view("\0", 1), "M", "\",\"",
                                                "myMenu12[", "]", "\r", " "};
        static const std::string_view escapes[] = {"\\", "\\\"", "\\\\", "\\\"\",\""};
        std::string s;
        if (awkward_ && Chance(50)) s += escapes[Below(std::size(escapes))];
        for (size_t n = 1 + Below(3); n > 0; --n) s += bits[Below(std::size(bits))];
        return s;
    }

    std::vector<std::string> Mutate(std::vector<std::string> lines) {
        for (size_t n = Below(6); n > 0 && !lines.empty(); --n) {
            size_t i = Below(lines.size());
            switch (Below(7)) {
                case 0: std::swap(lines[i], lines[Below(lines.size())]); break;
                case 1: lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), lines[Below(lines.size())]); break;
                case 2: lines[i].resize(Below(lines[i].size() + 1)); break;
                case 3: lines[i].insert(Below(lines[i].size() + 1), 1, '"'); break;
                case 4: {
                    size_t q = lines[i].find('"');
                    if (q != std::string::npos) lines[i].erase(q, 1);
                    break;
                }
                case 5: lines[i].insert(Below(lines[i].size() + 1), Junk()); break;
                case 6: lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i)); break;
            }
        }
        std::shuffle(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(Chance(20) ? lines.size() : 0), rng_);
        return lines;
    }

private:
    std::mt19937 rng_;
    bool awkward_;
};

std::string ScriptOf(const std::vector<Row>& rows) {
    MenuTree tree;
    test::BuildTree(tree, rows);
    return WriteMenuScript(tree);
}

// What survives a write and a read: top-level separators go with their
// subtree, every top-level item becomes "M" with the fixed hint, third-level
// items become "L", and a second-level item's children come back only when
// its kind is "M"; without them it keeps the array name as its link.
std::vector<Row> ApplyKnownLosses(const std::vector<Row>& rows) {
    auto hasChildren = [&](size_t i) { return i + 1 < rows.size() && rows[i + 1].level > rows[i].level; };
    size_t submenus = 0;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].level == 0 && rows[i].kind != Separator && hasChildren(i)) ++submenus;

    std::vector<Row> out;
    size_t t = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        Row row = rows[i];
        if (row.level == 0 && row.kind == Separator) {
            while (i + 1 < rows.size() && rows[i + 1].level > 0) ++i;
            continue;
        }
        if (row.level == 0) {
            row.kind = Submenu;
            row.hint = kTopLevelHint;
            if (!out.empty()) ++t;
        }
        if (row.level == 2) row.kind = Plain;
        if (row.level == 1 && row.kind != Submenu && hasChildren(i)) {
            std::string joined = std::to_string(t) + std::to_string(i);
            bool renamed = t != 0 && std::stoull(joined) < submenus;
            row.link = "myMenu" + (renamed ? std::to_string(t) + "_" + std::to_string(i) : joined);
            out.push_back(row);
            while (i + 1 < rows.size() && rows[i + 1].level > 1) ++i;
            continue;
        }
        out.push_back(row);
    }
    return out;
}

void ExpectRoundTrips(bool awkward) {
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomMenus random(seed, awkward);
        const std::vector<Row> rows = random.Tree();
        const std::string first = ScriptOf(rows);

        MenuTree read;
        LoadTreeFromScript(first, read);
        const std::string second = WriteMenuScript(read);
        ASSERT_EQ(second, ScriptOf(ApplyKnownLosses(rows)));

        MenuTree again;
        LoadTreeFromScript(second, again);
        ASSERT_EQ(WriteMenuScript(again), second) << "not stable after one round";
    }
}

TEST(ScriptRoundTrip, WriteReadWriteKeepsWhatTheFormatCarries) { ExpectRoundTrips(false); }

TEST(ScriptRoundTrip, QuotesAndBackslashesComeBackInTheirPlace) { ExpectRoundTrips(true); }

// The indexed reader must give exactly the plain rule's tree, selection and
// truncation, for scripts the writer makes and for anything made of them.
void ExpectReadersAgree(bool awkward) {
    size_t nonEmpty = 0;
    for (unsigned seed = 1; seed <= 4000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomMenus random(seed, awkward);
        std::vector<Row> rows = random.Tree();
        for (Row& row : rows) {
            if (random.Chance(10)) row.caption += random.Junk();
            if (random.Chance(10)) row.link += random.Junk();
        }
        std::vector<std::string> lines = random.Mutate(TextLines(ScriptOf(rows)).Lines());
        std::string script;
        for (const auto& line : lines) script += line + (random.Chance(5) ? "\n" : "\r\n");

        ScriptReadLimits limits;
        if (random.Chance(20)) limits = {.maxItems = random.Below(40), .maxBytes = random.Below(400)};

        MenuTree fast;
        MenuTree plain;
        ScriptReadResult fastResult = LoadTreeFromScript(script, fast, limits);
        ScriptReadResult plainResult = test::PlainLoadTreeFromScript(script, plain, limits);
        ASSERT_EQ(test::RowsOf(fast), test::RowsOf(plain)) << script;
        ASSERT_EQ(fastResult.items, plainResult.items);
        ASSERT_EQ(fastResult.truncated, plainResult.truncated);
        ASSERT_EQ(fast.Selected() == nullptr, plain.Selected() == nullptr);
        if (fast.Selected() != nullptr) {
            ASSERT_EQ(fast.AbsoluteIndex(fast.Selected()), plain.AbsoluteIndex(plain.Selected()));
        }
        if (fast.Count() > 0) ++nonEmpty;
    }
    EXPECT_GT(nonEmpty, 2000u) << "the mutations leave too few menus to compare";
}

TEST(ScriptReaderDifferential, IndexedReaderEqualsThePlainRule) { ExpectReadersAgree(false); }

TEST(ScriptReaderDifferential, IndexedReaderEqualsThePlainRuleWithEscapes) { ExpectReadersAgree(true); }

}  // namespace
}  // namespace tavel
