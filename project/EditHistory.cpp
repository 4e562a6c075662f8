#include "project/EditHistory.h"

#include "menu/MenuTree.h"

#include <utility>

namespace tavel {

struct EditHistory::Step {
    enum class Kind { Insert, Remove, Move, SetData } kind;
    MenuItem* item = nullptr;
    // Insert and Remove: where the item stands while in the tree.
    // Move: where it stands after the move; `otherParent`/`otherRow` before.
    MenuItem* parent = nullptr;
    size_t row = 0;
    MenuItem* otherParent = nullptr;
    size_t otherRow = 0;
    MenuItemData otherData;                // SetData: the record to swap in next
    std::unique_ptr<MenuItem> held;     // the subtree while it is out of the tree

    Step(Kind k, MenuItem* i, MenuItem* p, size_t r) : kind(k), item(i), parent(p), row(r) {}
};

struct EditHistory::Entry {
    std::string name;
    const void* joinKey = nullptr;  // what an edit must share to join this one
    std::string joinedName;
    std::vector<Step> steps;
    MenuItem* selectionBefore = nullptr;
    MenuItem* selectionAfter = nullptr;
};

EditHistory::EditHistory(MenuTree& tree) : tree_(tree), generation_(tree.Generation()) {}

EditHistory::~EditHistory() = default;

bool EditHistory::Stale() const { return generation_ != tree_.Generation(); }

void EditHistory::DropIfStale() {
    if (!Stale()) return;
    entries_.clear();
    position_ = 0;
    clean_ = kNoCleanPoint;
    recording_.reset();
    joinable_ = false;
    generation_ = tree_.Generation();
}

void EditHistory::Begin(std::string name) {
    DropIfStale();
    recording_ = std::make_unique<Entry>();
    recording_->name = std::move(name);
    recording_->selectionBefore = tree_.Selected();
}

void EditHistory::BeginJoining(std::string name, const void* key, std::string joinedName) {
    Begin(std::move(name));
    recording_->joinKey = key;
    recording_->joinedName = std::move(joinedName);
}

MenuItem* EditHistory::Insert(MenuItem* parent, size_t row, MenuItemData data) {
    MenuItem* item = tree_.Insert(parent, row, MenuTree::NewItem(std::move(data)));
    if (recording_) recording_->steps.emplace_back(Step::Kind::Insert, item, parent, item->Row());
    return item;
}

void EditHistory::Remove(MenuItem* item) {
    MenuItem* parent = item->Parent();
    const size_t row = item->Row();
    auto taken = tree_.Take(item);
    if (recording_) recording_->steps.emplace_back(Step::Kind::Remove, item, parent, row).held = std::move(taken);
}

void EditHistory::Move(MenuItem* item, MenuItem* parent, size_t row) {
    MenuItem* fromParent = item->Parent();
    const size_t fromRow = item->Row();
    tree_.MoveTo(item, parent, row);
    if (item->Parent() == fromParent && item->Row() == fromRow) return;  // nothing moved
    if (!recording_) return;
    Step& step = recording_->steps.emplace_back(Step::Kind::Move, item, item->Parent(), item->Row());
    step.otherParent = fromParent;
    step.otherRow = fromRow;
}

void EditHistory::SetData(MenuItem* item, MenuItemData data) {
    MenuItemData before = item->Data();
    tree_.SetData(item, std::move(data));
    if (recording_) recording_->steps.emplace_back(Step::Kind::SetData, item, nullptr, 0).otherData = std::move(before);
}

bool EditHistory::JoinsLastStep(const Entry& edit) const {
    // Undone steps and a clean point at the last step end `joinable_`.
    return joinable_ && edit.joinKey != nullptr && entries_[position_ - 1].joinKey == edit.joinKey;
}

void EditHistory::Commit() {
    if (!recording_) return;
    Entry& edit = *recording_;
    edit.selectionAfter = tree_.Selected();
    if (JoinsLastStep(edit)) {
        Entry& last = entries_[position_ - 1];
        for (Step& step : edit.steps) last.steps.push_back(std::move(step));
        last.selectionAfter = edit.selectionAfter;
        if (last.name != edit.name) last.name = edit.joinedName;
    } else {
        // A new edit ends every undone one; a clean point among them is gone.
        entries_.resize(position_);
        if (clean_ != kNoCleanPoint && clean_ > position_) clean_ = kNoCleanPoint;
        joinable_ = edit.joinKey != nullptr;
        entries_.push_back(std::move(edit));
        ++position_;
    }
    recording_.reset();
}

void EditHistory::Apply(Step& step, bool forward) {
    switch (step.kind) {
        case Step::Kind::Insert:
        case Step::Kind::Remove: {
            // Undoing an insert takes the item out; undoing a removal puts it back.
            const bool putIn = (step.kind == Step::Kind::Insert) == forward;
            if (putIn)
                tree_.Insert(step.parent, step.row, std::move(step.held));
            else
                step.held = tree_.Take(step.item);
            break;
        }
        case Step::Kind::Move: {
            MenuItem* toParent = forward ? step.parent : step.otherParent;
            tree_.MoveTo(step.item, toParent, forward ? step.row : step.otherRow);
            if (toParent != nullptr) tree_.SetExpanded(toParent, true);
            break;
        }
        case Step::Kind::SetData: {
            MenuItemData current = step.item->Data();
            tree_.SetData(step.item, std::move(step.otherData));
            step.otherData = std::move(current);
            break;
        }
    }
}

bool EditHistory::CanUndo() const { return !Stale() && position_ > 0; }
bool EditHistory::CanRedo() const { return !Stale() && position_ < entries_.size(); }
std::string EditHistory::UndoName() const { return CanUndo() ? entries_[position_ - 1].name : std::string(); }
std::string EditHistory::RedoName() const { return CanRedo() ? entries_[position_].name : std::string(); }
size_t EditHistory::UndoCount() const { return Stale() ? 0 : position_; }

void EditHistory::Undo() {
    DropIfStale();
    if (position_ == 0) return;
    // Undone, the step is no longer the last one done (and Redo can only
    // follow an undo, so it needs no such line).
    joinable_ = false;
    Entry& entry = entries_[--position_];
    for (auto step = entry.steps.rbegin(); step != entry.steps.rend(); ++step) Apply(*step, false);
    tree_.Select(entry.selectionBefore);
}

void EditHistory::Redo() {
    DropIfStale();
    if (position_ == entries_.size()) return;
    Entry& entry = entries_[position_++];
    for (Step& step : entry.steps) Apply(step, true);
    tree_.Select(entry.selectionAfter);
}

void EditHistory::Clear() {
    entries_.clear();
    position_ = 0;
    clean_ = 0;
    recording_.reset();
    joinable_ = false;
    generation_ = tree_.Generation();
}

void EditHistory::SetClean() {
    DropIfStale();
    clean_ = position_;
    joinable_ = false;
}

void EditHistory::ForgetClean() {
    DropIfStale();
    clean_ = kNoCleanPoint;
}

bool EditHistory::AtCleanPoint() const { return !Stale() && clean_ == position_; }

}  // namespace tavel
