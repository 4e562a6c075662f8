#pragma once

#include "menu/MenuItemData.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace tavel {

class MenuItem;
class MenuTree;

// The tree edits that can be undone and redone. Each edit is recorded as the
// few primitive changes it made (an item put in, taken out, moved, its record
// replaced); undoing runs their inverses. Items taken out are kept whole by
// the history, so every pointer into the tree stays valid across undo and
// redo and neither ever copies a subtree: undoing the Delete of a submenu of
// any size puts the one subtree back.
//
// The history remembers which position matches the files on disk (the clean
// point), so the workspace can tell whether undoing brought the tree back to
// what was last saved.
class EditHistory {
public:
    explicit EditHistory(MenuTree& tree);
    ~EditHistory();
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    // Records one edit. The primitives below change the tree and remember how
    // to go back; an edit that is never committed cannot be undone.
    void Begin(std::string name);
    // Records an edit that joins the step before it, so that one Undo takes
    // back both, when that step was begun here with the same `key` and the
    // history has done nothing since: no other edit, undo, redo, save or
    // clear. The joined step keeps its name when both names agree and is
    // called `joinedName` when they differ.
    void BeginJoining(std::string name, const void* key, std::string joinedName);
    MenuItem* Insert(MenuItem* parent, size_t row, MenuItemData data);
    void Remove(MenuItem* item);
    void Move(MenuItem* item, MenuItem* parent, size_t row);
    void SetData(MenuItem* item, MenuItemData data);
    void Commit();

    bool CanUndo() const;
    bool CanRedo() const;
    // The name of the edit that Undo (Redo) would take back (do again).
    std::string UndoName() const;
    std::string RedoName() const;
    // Each restores the tree, the records and the selection as they were
    // before (after) that edit.
    void Undo();
    void Redo();

    // Forgets every edit: the tree as it stands is where the history starts.
    void Clear();
    // The tree as it stands is what the files hold. The next edit starts a
    // step of its own, so that undo can always come back to this point.
    void SetClean();
    // No position matches the files any more (the tree changed unrecorded).
    void ForgetClean();
    bool AtCleanPoint() const;

    size_t UndoCount() const;

private:
    struct Step;
    struct Entry;
    // A tree emptied wholesale (a project opened, a new menu) leaves every
    // recorded pointer stale: the history then starts over.
    void DropIfStale();
    bool Stale() const;
    void Apply(Step& step, bool forward);
    bool JoinsLastStep(const Entry& edit) const;

    MenuTree& tree_;
    std::vector<Entry> entries_;
    size_t position_ = 0;  // entries before it are done, from it on undone
    static constexpr size_t kNoCleanPoint = static_cast<size_t>(-1);
    size_t clean_ = 0;
    size_t generation_;
    // The step before `position_` may be joined: nothing has happened since.
    bool joinable_ = false;
    std::unique_ptr<Entry> recording_;
};

}  // namespace tavel
