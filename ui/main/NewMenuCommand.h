#pragma once

#include <string>
#include <vector>

class QWidget;

namespace tavel {

class CommandActions;
class CommandRunner;
class NewMenuDialog;
class Preview;
class ProjectFileCommands;
class ProjectTextTabs;
class UiServices;
class Workspace;

// The New Menu command: after the question about unsaved changes, the New
// Menu dialog runs until the user starts a new menu, restyles the open one,
// or closes it.
class NewMenuCommand {
public:
    // Connects New Menu of `actions`.
    NewMenuCommand(Workspace& workspace, Preview& preview, UiServices& services, CommandRunner& runner,
                   CommandActions& actions, ProjectTextTabs& texts, ProjectFileCommands& files, QWidget& window);

    void SetDialog(NewMenuDialog* dialog) { dialog_ = dialog; }

private:
    void Run();
    bool ConfirmReplacing(const std::vector<std::string>& replacedFiles);

    Workspace& workspace_;
    Preview& preview_;
    UiServices& services_;
    CommandRunner& runner_;
    ProjectTextTabs& texts_;
    ProjectFileCommands& files_;
    QWidget& window_;
    NewMenuDialog* dialog_ = nullptr;
};

}  // namespace tavel
