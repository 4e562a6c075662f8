#pragma once

namespace tavel {

class Preview;
class Workspace;

// Rebuilds the menu data script from the tree. When the tree has items the
// script is also written to temp.js of the open project (or of the template
// folder) and the preview is refreshed. A failed write throws FileError and
// changes nothing: the script text and the preview stay as they were. The
// modified flag is not touched. Writing over a script the tree holds only
// part of asks first; No throws CommandDeclined with nothing changed.
void GenerateCode(Workspace& workspace, Preview& preview);

// The preview after the script was written: the project's page (the
// template page stays for the default project), reloaded. An empty tree
// writes no script and leaves the preview alone.
void ShowGeneratedCode(const Workspace& workspace, Preview& preview);

}  // namespace tavel
