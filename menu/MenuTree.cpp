#include "menu/MenuTree.h"

#include "menu/MenuTreeObserver.h"

#include <algorithm>
#include <stdexcept>

namespace tavel {
namespace {

// Stands in for a missing observer, so calls need no null checks.
MenuTreeObserver g_silent;

}  // namespace

MenuTree::MenuTree() { observer_ = &g_silent; }

void MenuTree::SetObserver(MenuTreeObserver* observer) {
    observer_ = observer != nullptr ? observer : &g_silent;
}

MenuTree::BulkLoad::BulkLoad(MenuTree& tree) : tree_(tree), observer_(tree.observer_) {
    observer_->BeforeReset();
    tree_.observer_ = &g_silent;
    tree_.Clear();
}

MenuTree::BulkLoad::~BulkLoad() {
    tree_.observer_ = observer_;
    observer_->AfterReset();
    observer_->SelectionChanged(tree_.selected_);
}

MenuTree::~MenuTree() = default;

MenuItem* MenuTree::ListOwner(const MenuItem* parent) const {
    return const_cast<MenuItem*>(parent != nullptr ? parent : &root_);
}

size_t MenuTree::ChildCount(const MenuItem* parent) const {
    return ListOwner(parent)->children_.size();
}

MenuItem* MenuTree::Child(const MenuItem* parent, size_t row) const {
    return ListOwner(parent)->children_[row].get();
}

void MenuTree::Renumber(MenuItem* parent, size_t from) {
    auto& list = parent->children_;
    for (size_t i = from; i < list.size(); ++i) list[i]->row_ = i;
}

MenuItem* MenuTree::AppendChild(MenuItem* parent, MenuItemData data) {
    return Insert(parent, ChildCount(parent), NewItem(std::move(data)));
}

MenuItem* MenuTree::AppendSibling(const MenuItem* item, MenuItemData data) {
    return AppendChild(item != nullptr ? item->Parent() : nullptr, std::move(data));
}

std::unique_ptr<MenuItem> MenuTree::Detach(MenuItem* item) {
    MenuItem* owner = item->parent_;
    size_t row = item->row_;
    auto detached = std::move(owner->children_[row]);
    owner->children_.erase(owner->children_.begin() + static_cast<std::ptrdiff_t>(row));
    Renumber(owner, row);
    orderValid_ = false;
    return detached;
}

void MenuTree::MoveBefore(MenuItem* item, MenuItem* target) {
    if (item == nullptr || target == nullptr || item == target || IsDescendant(target, item)) return;
    size_t row = target->row_;
    // Leaving a place before the target in the same list shifts it up by one.
    if (item->parent_ == target->parent_ && item->row_ < row) --row;
    MoveTo(item, target->Parent(), row);
}

void MenuTree::MoveTo(MenuItem* item, MenuItem* parent, size_t row) {
    if (item == nullptr || parent == item || (parent != nullptr && IsDescendant(parent, item))) return;
    MenuItem* fromOwner = item->parent_;
    MenuItem* toOwner = ListOwner(parent);
    const size_t fromRow = item->row_;
    const size_t rowsLeft = toOwner->children_.size() - (fromOwner == toOwner ? 1 : 0);
    row = std::min(row, rowsLeft);
    if (fromOwner == toOwner && fromRow == row) return;

    // Observers count the destination in the list as it stands before the move.
    const size_t destination = fromOwner == toOwner && row > fromRow ? row + 1 : row;
    observer_->BeforeMove(item->Parent(), fromRow, parent, destination);
    auto moving = Detach(item);
    moving->parent_ = toOwner;
    toOwner->children_.insert(toOwner->children_.begin() + static_cast<std::ptrdiff_t>(row), std::move(moving));
    Renumber(toOwner, row);
    orderValid_ = false;
    observer_->AfterMove();
}

void MenuTree::Delete(MenuItem* item) { Take(item); }

std::unique_ptr<MenuItem> MenuTree::Take(MenuItem* item) {
    if (item == nullptr) return nullptr;
    MenuItem* nextSelection = selected_;
    if (selected_ != nullptr && (selected_ == item || IsDescendant(selected_, item))) {
        MenuItem* owner = item->parent_;
        if (item->row_ + 1 < owner->children_.size())
            nextSelection = owner->children_[item->row_ + 1].get();
        else if (item->row_ > 0)
            nextSelection = owner->children_[item->row_ - 1].get();
        else
            nextSelection = item->Parent();
    }
    observer_->BeforeRemove(item->Parent(), item->row_);
    auto taken = Detach(item);
    taken->parent_ = nullptr;
    observer_->AfterRemove();
    if (nextSelection != selected_) Select(nextSelection);
    return taken;
}

std::unique_ptr<MenuItem> MenuTree::NewItem(MenuItemData data) {
    auto item = std::make_unique<MenuItem>();
    item->data_ = std::move(data);
    return item;
}

MenuItem* MenuTree::Insert(MenuItem* parent, size_t row, std::unique_ptr<MenuItem> item) {
    MenuItem* owner = ListOwner(parent);
    row = std::min(row, owner->children_.size());
    observer_->BeforeInsert(parent, row);
    item->parent_ = owner;
    MenuItem* raw = item.get();
    owner->children_.insert(owner->children_.begin() + static_cast<std::ptrdiff_t>(row), std::move(item));
    Renumber(owner, row);
    orderValid_ = false;
    observer_->AfterInsert();
    return raw;
}

void MenuTree::Clear() {
    observer_->BeforeReset();
    root_.children_.clear();
    ++generation_;
    selected_ = nullptr;
    order_.clear();
    orderValid_ = true;
    observer_->AfterReset();
    observer_->SelectionChanged(nullptr);
}

void MenuTree::SetData(MenuItem* item, MenuItemData data) {
    item->data_ = std::move(data);
    observer_->DataChanged(item);
}

int MenuTree::ItemLevel(const MenuItem* item) {
    int level = 0;
    for (const MenuItem* p = item->Parent(); p != nullptr; p = p->Parent()) ++level;
    return level;
}

int MenuTree::Height(const MenuItem* item) {
    int height = 0;
    for (const auto& child : item->children_) height = std::max(height, 1 + Height(child.get()));
    return height;
}

bool MenuTree::IsDescendant(const MenuItem* item, const MenuItem* ancestor) {
    for (const MenuItem* p = item->Parent(); p != nullptr; p = p->Parent())
        if (p == ancestor) return true;
    return false;
}

void MenuTree::RebuildOrder() const {
    if (orderValid_) return;
    order_.clear();
    // Iterative walk: a tree made deep by moves must not exhaust the stack.
    std::vector<std::pair<const MenuItem*, size_t>> stack{{&root_, 0}};
    while (!stack.empty()) {
        auto& [owner, next] = stack.back();
        if (next < owner->children_.size()) {
            MenuItem* child = owner->children_[next++].get();
            child->absolute_ = order_.size();
            order_.push_back(child);
            stack.emplace_back(child, 0);
        } else {
            stack.pop_back();
        }
    }
    orderValid_ = true;
}

size_t MenuTree::AbsoluteIndex(const MenuItem* item) const {
    RebuildOrder();
    return item->absolute_;
}

MenuItem* MenuTree::ItemAt(size_t absoluteIndex) const {
    RebuildOrder();
    if (absoluteIndex >= order_.size()) throw std::out_of_range("no item at that index");
    return order_[absoluteIndex];
}

size_t MenuTree::Count() const {
    RebuildOrder();
    return order_.size();
}

void MenuTree::Select(MenuItem* item) {
    if (selected_ == item) return;
    selected_ = item;
    observer_->SelectionChanged(item);
}

void MenuTree::SetExpanded(MenuItem* item, bool expanded) {
    if (item->expanded_ == expanded) return;
    item->expanded_ = expanded;
    observer_->ExpansionChanged(item);
}

}  // namespace tavel
