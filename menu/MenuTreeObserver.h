#pragma once

#include <cstddef>

namespace tavel {

class MenuItem;

// Told about every structural change of a MenuTree, before and after, so a
// view can keep its own bookkeeping in step. A null parent is the top level.
class MenuTreeObserver {
public:
    virtual ~MenuTreeObserver() = default;
    virtual void BeforeInsert(const MenuItem* /*parent*/, size_t /*row*/) {}
    virtual void AfterInsert() {}
    virtual void BeforeRemove(const MenuItem* /*parent*/, size_t /*row*/) {}
    virtual void AfterRemove() {}
    virtual void BeforeMove(const MenuItem* /*fromParent*/, size_t /*fromRow*/,
                            const MenuItem* /*toParent*/, size_t /*toRow*/) {}
    virtual void AfterMove() {}
    virtual void BeforeReset() {}
    virtual void AfterReset() {}
    virtual void DataChanged(const MenuItem* /*item*/) {}
    virtual void ExpansionChanged(const MenuItem* /*item*/) {}
    virtual void SelectionChanged(const MenuItem* /*item*/) {}
};

}  // namespace tavel
