#pragma once

#include "menu/ScriptReader.h"
#include "project/ApplicationTitle.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

class AtomicFileBatch;
class ButtonStyleList;
class Preview;
class Workspace;

// Generates the menu data script from the tree and writes the four project
// texts into `folder` (created when missing, one level), or into the template
// folder when `folder` is empty, all of them or none. Clears the modified
// flag; the title and the Save command are left to the caller. A failure
// throws FileError naming the file and changes nothing, on disk or in the
// workspace. Writing over a script the tree holds only part of asks first;
// No throws CommandDeclined before anything is written.
void SaveProjectTexts(Workspace& workspace, Preview& preview, const std::string& folder);

// SaveProjectTexts in two halves, for a command that writes other files in
// the same batch: the constructor asks as Save does and stages the four
// files (and the folder) into `batch`; Finish, once the batch has
// committed, makes the workspace follow: the script text, the modified
// flag, the preview.
class ProjectSave {
public:
    ProjectSave(Workspace& workspace, const std::string& folder, AtomicFileBatch& batch);
    void Finish(Preview& preview);

private:
    Workspace& workspace_;
    std::string scriptPath_;
    std::string script_;
};

// The window title for a project name. The program starts with the default
// title; every project command that switches the project sets this one.
std::string ProjectTitle(std::string_view projectName);
inline std::string DefaultProjectTitle() { return ProjectTitle("Default project"); }

// Hint of the Save command, following the modified flag.
const char* SaveCommandHint(bool modified);

// ---- The question before unsaved tree changes are dropped ----------------

inline constexpr const char* kConfirmationCaption = "Confirmation...";  // before Open and New Menu
inline constexpr const char* kCloseCaption = kApplicationTitle;       // before the window closes

// The question's text, or none when the tree has no unsaved changes and
// nothing needs asking.
std::optional<std::string> SaveChangesQuestion(const Workspace& workspace);

enum class SaveAnswer { Yes, No, Cancel };
enum class SaveChangesStep {
    GoOn,               // the command goes on without saving
    SaveProjectFolder,  // SaveProjectTexts into the open project's folder, then go on
    SaveAs,             // the default project: Save as with its dialog, then go on
    Stop,               // the command ends with nothing changed
};
// What the answer leads to. A save that is cancelled or fails ends the
// calling command as Stop does, so no answer ever loses work.
SaveChangesStep StepAfterAnswer(const Workspace& workspace, SaveAnswer answer);

// ---- Save as ----------------------------------------------------------------

// The folder a project named `name` gets in `parentFolder`: the two joined by
// one separator. An empty name makes the parent folder itself the project's.
std::string SaveAsFolder(std::string_view parentFolder, std::string_view name);

// The project files that `folder` already holds when it is not the open
// project's own folder: Save as would replace another project's files.
std::vector<std::string> OtherProjectFiles(const Workspace& workspace, const std::string& folder);
std::string ReplaceProjectQuestion(const std::string& folder, const std::vector<std::string>& files);

// Writes the project into `folder` under `name` and only then switches to it:
// the script generated from the tree, the page, the style sheet with its
// button background line in the project-folder form, the runtime, and the
// chosen button image as table_bgcolor.jpg. A failure throws FileError
// naming the file and leaves the workspace, the open project's files and
// the button list as they were.
void SaveProjectAs(Workspace& workspace, Preview& preview, ButtonStyleList& buttons,
                   const std::string& folder, const std::string& name);

// ---- Open -------------------------------------------------------------------

struct OpenResult {
    // Things the user should hear about although the project opened: a
    // script that read as no menu at all, a menu too large to read whole.
    std::vector<std::string> warnings;
};

// The project a file chosen in the open dialog selects: the folder that
// holds it (with its final separator) and that folder's name. A file in the
// root folder gives the root as both, as a drive root gives the drive.
struct ChosenProject {
    std::string folder;
    std::string name;
};
ChosenProject ProjectOfChosenFile(const std::string& chosenFile);

// Opens the project whose folder holds `chosenFile` (any file of it). All
// four files are read before anything switches: when any cannot be read,
// FileError names every one that failed and the workspace stays as it was.
OpenResult OpenProject(Workspace& workspace, Preview& preview, const std::string& chosenFile);

// The project folder that a path given from outside the program names (the
// command line, the desktop, the recent projects): the folder itself, or its
// page index.htm. The result is absolute, so that the project's name is the
// folder's own even for ".". Throws FileError naming the path when it is
// neither an existing folder nor a project's page.
std::string ProjectFolderNamed(const std::string& path);

// OpenProject for such a path.
OpenResult OpenNamedProject(Workspace& workspace, Preview& preview, const std::string& path);

// The warning for a script that holds text but yielded no menu item: the
// next save would replace it with the empty menu. None when the script is
// empty or is the empty menu's own script.
std::optional<std::string> UnreadScriptWarning(std::string_view script, size_t itemsRead, const std::string& path);

// The warning for lines of the script at `path` that gave no item: how
// many, and the first of them with its number.
std::string DroppedLinesWarning(const ScriptReadResult& read, const std::string& path);

// What the user must hear about a script read from `path` into the tree:
// a menu cut short at the reader's limit, a script that gave no item, or
// lines that gave none.
std::vector<std::string> ScriptReadWarnings(const ScriptReadResult& read, std::string_view script,
                                            const std::string& path);

}  // namespace tavel
