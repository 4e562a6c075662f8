#pragma once

#include "tools/PageNavigation.h"

namespace tavel {

class Workspace;

// The name Undo gives the import.
inline constexpr const char* kImportMenuName = "Import menu";

// Replaces the whole menu tree with an imported menu, as one edit that Undo
// takes back; the project's texts stay as they are and the project counts
// as changed.
void ReplaceMenuTree(Workspace& workspace, const ImportedMenu& menu);

}  // namespace tavel
