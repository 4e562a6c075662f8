#pragma once

#include "menu/MenuItemData.h"
#include "tools/HtmlDocument.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// A menu read out of a page, item by item in walk order (parents before
// children), each with its level from 0 (the menu bar) to 2. The texts of
// all items share one buffer: a menu of a hundred thousand items then
// costs little beside the page it came from.
struct ImportedItem {
    int level = 0;
    MenuItemData data;
};

class ImportedMenu {
public:
    void Add(int level, MenuItemKind kind, std::string_view caption, std::string_view hint, std::string_view link);
    size_t Size() const { return entries_.size(); }
    int Level(size_t index) const { return entries_[index].level; }
    MenuItemData Data(size_t index) const;
    ImportedItem At(size_t index) const { return {Level(index), Data(index)}; }

    // Items that stood deeper than the third level in the page and were
    // moved up to it.
    size_t folded = 0;
    // Items that opened a submenu and had a link of their own in the page:
    // each link became the first item of its submenu.
    size_t movedLinks = 0;

private:
    struct Entry {
        size_t text;  // where its caption starts; hint and link follow
        uint32_t captionLength;
        uint32_t hintLength;
        uint32_t linkLength;
        uint8_t level;
        MenuItemKind kind;
    };
    std::string texts_;
    std::vector<Entry> entries_;
};

// One part of a page that may be its navigation.
struct NavigationCandidate {
    const GumboNode* node = nullptr;
    // A <nav> or an element marked role="navigation", not a bare list.
    bool landmark = false;
    // Where it sits, from the body down ("body > header > nav#main").
    std::string place;
    // The text of its first few links, as they read.
    std::vector<std::string> firstCaptions;
    size_t links = 0;
};

// A page's navigation: the page read in its own encoding, with every
// candidate for its menu. Throws FileError naming the page when it is empty,
// binary, nested deeper than browsers build, or holds no navigation at all;
// the caller's menu is then left as it was.
class PageNavigation {
public:
    PageNavigation(std::string bytes, const std::string& name);
    ~PageNavigation();
    PageNavigation(const PageNavigation&) = delete;
    PageNavigation& operator=(const PageNavigation&) = delete;

    // In page order; never empty.
    const std::vector<NavigationCandidate>& Candidates() const { return candidates_; }
    // The one a user most likely means: the landmark with most links, else
    // the list with most links.
    size_t Preselected() const { return preselected_; }

    // The candidate's menu: each list item an item, nested lists its levels.
    ImportedMenu MenuOf(size_t candidate) const;

private:
    std::unique_ptr<HtmlDocument> page_;
    std::vector<NavigationCandidate> candidates_;
    size_t preselected_ = 0;
};

// Reads the page at `path` (FileError naming it when it cannot).
std::unique_ptr<PageNavigation> ReadPageNavigation(const std::string& path);

// What the user is told of what the import changed in the page's shape:
// items moved up to the third level, links of submenu openers moved into
// their submenus; empty when the menu is as the page has it.
std::string ImportNotesMessage(const ImportedMenu& menu);

}  // namespace tavel
