#pragma once

#include "menu/ScriptReader.h"

namespace tavel::test {

// The reading rule done the plain way: every entry that can have children
// scans all later lines for its prefix. Quadratic, and kept only to check
// the indexed reader against.
ScriptReadResult PlainLoadTreeFromScript(std::string_view script, MenuTree& tree,
                                         const ScriptReadLimits& limits = {});

}  // namespace tavel::test
