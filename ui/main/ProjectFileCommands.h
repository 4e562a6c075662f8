#pragma once

#include "project/Prompts.h"
#include "project/ProjectOperations.h"

#include <QMessageBox>

#include <string>

namespace tavel {

class CommandActions;
class CommandRunner;
class Preview;
class ProjectSaveDialog;
class ProjectTextTabs;
class UiServices;
class Workspace;

// Open, Save, Save as and Restore default project, and the question before
// unsaved tree changes are dropped (by Open, New Menu and closing the window). It also answers the
// core's question before a menu data script read only in part is written
// over, and keeps the window's title on the open project.
class ProjectFileCommands : private Prompts {
public:
    // Connects Open, Save, Save as and Restore default project of `actions`.
    ProjectFileCommands(Workspace& workspace, Preview& preview, UiServices& services, CommandRunner& runner,
                        CommandActions& actions, ProjectTextTabs& texts, QWidget& window);
    ~ProjectFileCommands() override;

    void SetSaveDialog(ProjectSaveDialog* saveDialog) { saveDialog_ = saveDialog; }

    // Ask before unsaved tree changes are dropped and save when told to.
    // False when the calling command must end: Cancel, or a Yes whose save
    // was cancelled or failed. True to go on.
    bool ConfirmSaveChanges();
    bool ConfirmClose();

    // Opens the project a path names from outside the program (its folder,
    // or its index.htm), as Open does with the file chosen: after the
    // question about unsaved changes; a project that cannot be opened is
    // reported and the open one stays.
    void OpenNamed(const std::string& path);

    void ShowProjectTitle();

private:
    void Save();
    void Open();
    // The window follows the project just opened.
    void ShowOpened(const OpenResult& result);
    // Asks first; then puts the shipped template texts back in the user's
    // folder and reloads the default project when it is open.
    void RestoreDefaultProject();
    bool AskToSaveChanges(const char* caption, QMessageBox::Icon icon);
    bool SaveToProjectFolder();
    // Save as with its dialog; true when the project was saved.
    bool RunSaveAs();
    std::string StartFolderForOpen() const;
    bool ConfirmWriteOverPartlyRead(const std::string& path, size_t itemsRead) override;

    Workspace& workspace_;
    Preview& preview_;
    UiServices& services_;
    CommandRunner& runner_;
    ProjectTextTabs& texts_;
    QWidget& window_;
    ProjectSaveDialog* saveDialog_ = nullptr;
};

}  // namespace tavel
