#pragma once

#include "project/StyleFile.h"
#include "project/Workspace.h"

#include <string>
#include <vector>

namespace tavel {

class Preview;

// Styles shipped with the program live in "Styles\Provided\", the user's
// own in "Styles\User\", both under the program folder.
enum class StyleOrigin { Provided, User };

struct StyleChoice {
    StyleOrigin origin = StyleOrigin::Provided;
    std::string name;  // the list entry's text, which is also the files' name
};

// The style's files without their extension.
std::string StyleBasePath(const Workspace& workspace, const StyleChoice& style);
// Reads whichever of the style's ".css" and ".tvs" files exist.
StyleFiles ReadStyleFiles(const Workspace& workspace, const StyleChoice& style);
// The names of the ".tvs" files of "Styles\User\", without the extension,
// sorted; empty when the folder does not exist.
std::vector<std::string> ListUserStyles(const Workspace& workspace);

// The folder a new menu goes into: the directory and the caption joined by
// one separator; with both empty, no folder (the default project).
std::string NewMenuFolder(const std::string& directory, const std::string& caption);

// A new menu made ready, with everything read and checked, before anything
// of the open project changes.
struct NewMenuPlan {
    std::string folder;  // empty for the default project
    std::string name;
    ProjectTexts texts;  // page, style sheet and runtime, styled; no script yet
    // The project files the folder already holds, which Create would replace.
    std::vector<std::string> replacedFiles;
};

// Reads the template's page, style sheet and runtime, applies the style to
// them and notes which project files the target already holds. Throws
// FileError or StyleError naming the file; nothing has changed then.
NewMenuPlan PrepareNewMenu(const Workspace& workspace, const std::string& directory, const std::string& caption,
                           const StyleChoice& style);

// Saves the planned project (creating its folder) and only then makes it the
// open one: empty tree, the plan's folder, name and texts, modified flag
// clear. A failed save leaves the open project as it was. Points the preview
// at the new page.
void CreateNewMenu(Workspace& workspace, Preview& preview, const NewMenuPlan& plan);

// Restyles the open project and saves it (into the template folder for the
// default project), then points the preview at its page. The style is checked
// against the runtime first; when the check or the save fails, the texts in
// memory are those from before.
void RestyleProject(Workspace& workspace, Preview& preview, const StyleChoice& style);

// Saves a user style's file into "Styles\User\" (made when missing) and
// returns its path. The entries are (name, value) pairs in file order. A
// style made from another (`basis`, null for the defaults) also takes over
// that style's ".css", or loses a ".css" of its own when the basis has none.
std::string SaveUserStyle(const Workspace& workspace, const std::string& name,
                          const std::vector<std::pair<std::string, std::string>>& entries, const StyleChoice* basis);
// Whether a user style of that name already has a file.
bool UserStyleExists(const Workspace& workspace, const std::string& name);
// Removes a user style: its ".tvs" file and, when present, the ".css" and
// ".jpg" of the same name, so a later style of that name starts clean.
void DeleteUserStyle(const Workspace& workspace, const std::string& name);

}  // namespace tavel
