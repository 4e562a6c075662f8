#pragma once

#include <string>

namespace tavel {

class Preview;
class Workspace;

// Generates the menu data script from the tree and writes the four project
// texts into `folder` (created when missing, one level), or into the template
// folder when `folder` is empty. Clears the modified flag; the title and the
// Save command are left to the caller. Writing over a script the tree holds
// only part of asks first; No throws CommandDeclined before anything is
// written.
void SaveProjectTexts(Workspace& workspace, Preview& preview, const std::string& folder);

}  // namespace tavel
