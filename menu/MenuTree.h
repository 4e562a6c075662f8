#pragma once

#include "menu/MenuItemData.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace tavel {

class MenuTreeObserver;

class MenuItem {
public:
    const MenuItemData& Data() const { return data_; }

    // Null for a top-level item.
    MenuItem* Parent() const { return parent_ != nullptr && parent_->parent_ != nullptr ? parent_ : nullptr; }
    size_t ChildCount() const { return children_.size(); }
    MenuItem* Child(size_t row) const { return children_[row].get(); }
    MenuItem* FirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    MenuItem* LastChild() const { return children_.empty() ? nullptr : children_.back().get(); }
    bool HasChildren() const { return !children_.empty(); }
    // Position among its siblings.
    size_t Row() const { return row_; }
    bool Expanded() const { return expanded_; }

private:
    friend class MenuTree;

    MenuItemData data_;
    MenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> children_;
    size_t row_ = 0;
    bool expanded_ = false;
    mutable size_t absolute_ = 0;
};

// The menu as an ordered tree of items with no fixed root: the top level is
// itself an ordered list. Items are addressed by pointer; a pointer stays
// valid until its item is deleted or the tree is cleared.
class MenuTree {
public:
    MenuTree();
    ~MenuTree();
    MenuTree(const MenuTree&) = delete;
    MenuTree& operator=(const MenuTree&) = delete;

    void SetObserver(MenuTreeObserver* observer);

    // Empties the tree and lets it be refilled without a notice per item;
    // the observer hears one reset around the whole load instead.
    class BulkLoad {
    public:
        explicit BulkLoad(MenuTree& tree);
        ~BulkLoad();
        BulkLoad(const BulkLoad&) = delete;
        BulkLoad& operator=(const BulkLoad&) = delete;

    private:
        MenuTree& tree_;
        MenuTreeObserver* observer_;
    };

    size_t TopCount() const { return root_.children_.size(); }
    MenuItem* Top(size_t row) const { return root_.children_[row].get(); }
    // The children of `parent`, or the top level for null.
    size_t ChildCount(const MenuItem* parent) const;
    MenuItem* Child(const MenuItem* parent, size_t row) const;

    // Adds an item as the last child of `item`'s parent, or at the end of the
    // top level when `item` is top-level or null.
    MenuItem* AppendSibling(const MenuItem* item, MenuItemData data);
    MenuItem* AppendChild(MenuItem* parent, MenuItemData data);
    // Moves `item` with its subtree to stand immediately before `target`,
    // under the target's parent. Nothing moves when the target is the item
    // itself or one of its descendants.
    void MoveBefore(MenuItem* item, MenuItem* target);
    // Moves `item` with its subtree so that it then stands at `row` among the
    // children of `parent` (the top level for null), the row counted once the
    // item has left its old place. Nothing moves onto the item itself or into
    // its own subtree, nor when the item already stands there.
    void MoveTo(MenuItem* item, MenuItem* parent, size_t row);
    // Removes the item with its subtree. A selection inside it moves to the
    // next sibling, else the previous one, else the parent.
    void Delete(MenuItem* item);
    // Removes the item like Delete but hands the subtree over, every pointer
    // into it still valid, so that Insert can put it back later.
    std::unique_ptr<MenuItem> Take(MenuItem* item);
    // Puts a subtree that Take handed out (or a new item) at `row` among the
    // children of `parent`, the top level for null.
    MenuItem* Insert(MenuItem* parent, size_t row, std::unique_ptr<MenuItem> item);
    static std::unique_ptr<MenuItem> NewItem(MenuItemData data);
    void Clear();
    // Counts the times the tree was emptied wholesale (Clear, BulkLoad), so
    // that whoever keeps pointers into it can tell they went stale.
    size_t Generation() const { return generation_; }

    void SetData(MenuItem* item, MenuItemData data);

    static int ItemLevel(const MenuItem* item);
    // Levels below the item: 0 for an item without children.
    static int Height(const MenuItem* item);
    static bool IsDescendant(const MenuItem* item, const MenuItem* ancestor);

    // Position in a walk that visits an item before its children, from 0.
    size_t AbsoluteIndex(const MenuItem* item) const;
    MenuItem* ItemAt(size_t absoluteIndex) const;
    size_t Count() const;
    bool Empty() const { return root_.children_.empty(); }

    MenuItem* Selected() const { return selected_; }
    void Select(MenuItem* item);

    void SetExpanded(MenuItem* item, bool expanded);

private:
    void Renumber(MenuItem* parent, size_t from);
    void RebuildOrder() const;
    std::unique_ptr<MenuItem> Detach(MenuItem* item);
    MenuItem* ListOwner(const MenuItem* parent) const;

    MenuItem root_;
    MenuItem* selected_ = nullptr;
    MenuTreeObserver* observer_ = nullptr;
    mutable std::vector<MenuItem*> order_;
    mutable bool orderValid_ = true;
    size_t generation_ = 0;
};

}  // namespace tavel
