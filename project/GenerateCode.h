#pragma once

namespace tavel {

class Preview;
class Workspace;

// Rebuilds the menu data script from the tree. When the tree has items the
// script is also written to temp.js of the open project (or of the template
// folder) and the preview is refreshed; a failed write throws FileError and
// leaves the preview alone. The modified flag is not touched. Writing over a
// script the tree holds only part of asks first; No throws CommandDeclined
// with nothing changed, the script text included.
void GenerateCode(Workspace& workspace, Preview& preview);

}  // namespace tavel
