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
    // The tree as it stands is what the files hold.
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

    MenuTree& tree_;
    std::vector<Entry> entries_;
    size_t position_ = 0;  // entries before it are done, from it on undone
    static constexpr size_t kNoCleanPoint = static_cast<size_t>(-1);
    size_t clean_ = 0;
    size_t generation_;
    std::unique_ptr<Entry> recording_;
};

}  // namespace tavel
