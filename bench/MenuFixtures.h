#pragma once

#include "menu/MenuTree.h"

#include <cstddef>

namespace tavel::bench {

// A three-level menu of about `items` items: ten top-level entries, each
// with second-level items that carry up to eight third-level children.
void BuildThreeLevelMenu(MenuTree& tree, size_t items);

}  // namespace tavel::bench
