#pragma once

#include "design/ButtonStyleList.h"
#include "menu/MenuTree.h"
#include "menu/ScriptReader.h"
#include "project/EditHistory.h"

#include <functional>
#include <string>
#include <string_view>

namespace tavel {

class Prompts;

// The four texts of a project, each a CR LF byte string shown in its memo.
struct ProjectTexts {
    std::string script;      // temp.js, the menu data script
    std::string page;        // index.htm, the page template
    std::string styleSheet;  // stt.css
    std::string runtime;     // sys.js, the menu runtime
};

// Everything one running program works on: where it lives, which project is
// open, the project's texts and its menu tree. The windows are views of it.
class Workspace {
public:
    // `programFolder` holds the shipped data and is only read; `userFolder`
    // takes what the program writes of its own: the default project's texts
    // and user styles. A portable run has one folder for both. Each ends
    // with a separator (one is added when it does not).
    explicit Workspace(std::string programFolder);
    Workspace(std::string programFolder, std::string userFolder);

    const std::string& ProgramFolder() const { return programFolder_; }
    const std::string& UserFolder() const { return userFolder_; }
    // Installed, the default project is the user's own copy of the shipped
    // one; portable, it is the shipped one itself.
    bool Portable() const { return programFolder_ == userFolder_; }
    const std::string& ProjectFolder() const { return projectFolder_; }
    const std::string& ProjectName() const { return projectName_; }
    bool IsDefaultProject() const { return projectFolder_.empty(); }
    // An empty folder and name go back to the default project.
    void SetProject(std::string folder, std::string name);
    // Told after every SetProject, so that a window showing the project's
    // name follows it.
    void SetProjectListener(std::function<void()> listener) { projectListener_ = std::move(listener); }

    // The tree has changes that no save has written.
    bool Modified() const { return modified_; }
    bool SaveEnabled() const { return saveEnabled_; }
    // A change to the tree that the edit history does not know about: only a
    // save makes the project clean again.
    void MarkModified();
    // The files now hold the tree: this is also the history's clean point,
    // so undoing back to here clears the modified flag again.
    void MarkSaved();
    void SetSaveEnabled(bool enabled);
    // Told whenever the modified flag, the Save command's state or what Undo
    // and Redo would do may have changed, so that a window shows them as
    // they are without looking again after every command.
    void SetEditStateListener(std::function<void()> listener) { editStateListener_ = std::move(listener); }

    // The undo history of the tree edits. After the history moves (an edit
    // recorded, undone or redone) FollowHistory sets the modified flag from
    // it: clear exactly at the last saved state.
    EditHistory& History() { return history_; }
    const EditHistory& History() const { return history_; }
    void FollowHistory();
    // Forgets every recorded edit; for a tree that was opened, started anew
    // or created. (A tree emptied wholesale drops its history by itself.)
    void ClearHistory();

    // The tree was read from the menu data script at `path` but only its
    // first `itemsRead` items made it in: the first write over that file asks
    // first (see ConfirmScriptWrite).
    void RememberPartlyRead(std::string path, size_t itemsRead);
    void ForgetPartlyRead() { partlyReadPath_.clear(); }
    const std::string& PartlyReadPath() const { return partlyReadPath_; }
    // Call before writing the tree's script to `path`. Writing over the file
    // the tree holds only part of asks through the prompts; No throws
    // CommandDeclined (and asks again next time). Without prompts such a
    // write is declined: nothing is lost unasked.
    void ConfirmScriptWrite(const std::string& path);
    // The tree's whole script is now in the file at `path`: when that is the
    // file read only in part, the question ends. A write that failed asks
    // again next time.
    void ScriptWritten(const std::string& path);
    void SetPrompts(Prompts* prompts) { prompts_ = prompts; }

    // Rebuilds the tree from the menu data script text, which was read from
    // the file at `path`: the history starts over, and a read that stopped
    // at a limit is remembered so that the file is not later written over
    // short without a question. Start-up and Open both come through here.
    ScriptReadResult RebuildTreeFromScript(const std::string& path, const ScriptReadLimits& limits = {});

    MenuTree& Tree() { return tree_; }
    const MenuTree& Tree() const { return tree_; }

    // The button images the page design offers, with the one chosen; Save
    // as carries the chosen image into a new project folder.
    ButtonStyleList& ButtonStyles() { return buttonStyles_; }

    ProjectTexts& Texts() { return texts_; }
    const ProjectTexts& Texts() const { return texts_; }

    // A file below the program folder, from its fixed relative path.
    std::string ProgramPath(std::string_view relative) const;
    // A file below the user's folder, from its fixed relative path.
    std::string UserPath(std::string_view relative) const;
    // One of the default project's files, in the user's template folder.
    std::string TemplatePath(std::string_view name) const;
    // A project file (temp.js, index.htm, ...) of the open project, or of
    // the template folder for the default project.
    std::string ProjectFilePath(std::string_view name) const;

private:
    void EditStateChanged();

    std::string programFolder_;
    std::string userFolder_;
    std::string projectFolder_;
    std::string projectName_;
    bool modified_ = false;
    bool saveEnabled_ = true;
    MenuTree tree_;
    EditHistory history_{tree_};
    ProjectTexts texts_;
    std::string partlyReadPath_;
    size_t partlyReadItems_ = 0;
    Prompts* prompts_ = nullptr;
    ButtonStyleList buttonStyles_;
    std::function<void()> editStateListener_;
    std::function<void()> projectListener_;
};

}  // namespace tavel
