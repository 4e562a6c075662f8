#pragma once

#include "design/ButtonStyleList.h"
#include "menu/MenuTree.h"

#include <string>
#include <string_view>

namespace tavel {

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
    // `programFolder` ends with a separator (one is added when it does not).
    explicit Workspace(std::string programFolder);

    const std::string& ProgramFolder() const { return programFolder_; }
    const std::string& ProjectFolder() const { return projectFolder_; }
    const std::string& ProjectName() const { return projectName_; }
    bool IsDefaultProject() const { return projectFolder_.empty(); }
    // An empty folder and name go back to the default project.
    void SetProject(std::string folder, std::string name);

    // The tree has changes that no save has written.
    bool Modified() const { return modified_; }
    bool SaveEnabled() const { return saveEnabled_; }
    // Every tree edit calls this.
    void MarkModified();
    void MarkSaved();
    void SetSaveEnabled(bool enabled) { saveEnabled_ = enabled; }

    MenuTree& Tree() { return tree_; }
    const MenuTree& Tree() const { return tree_; }

    // The button images the page design offers, with the one chosen; Save
    // as carries the chosen image into a new project folder.
    ButtonStyleList& ButtonStyles() { return buttonStyles_; }

    ProjectTexts& Texts() { return texts_; }
    const ProjectTexts& Texts() const { return texts_; }

    // A file below the program folder, from its fixed relative path.
    std::string ProgramPath(std::string_view relative) const;
    // A project file (temp.js, index.htm, ...) of the open project, or of
    // the template folder for the default project.
    std::string ProjectFilePath(std::string_view name) const;

private:
    std::string programFolder_;
    std::string projectFolder_;
    std::string projectName_;
    bool modified_ = false;
    bool saveEnabled_ = true;
    MenuTree tree_;
    ProjectTexts texts_;
    ButtonStyleList buttonStyles_;
};

}  // namespace tavel
