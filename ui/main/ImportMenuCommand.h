#pragma once

class QWidget;

namespace tavel {

class CommandActions;
class CommandRunner;
class NavigationChooser;
class ProjectFileCommands;
class UiServices;
class Workspace;

// Import menu from page: after the question about unsaved changes, the
// user picks a web page; its navigation (the one the user chooses when it
// has several) replaces the menu tree, one step that Undo takes back.
class ImportMenuCommand {
public:
    // Connects Import menu from page of `actions`.
    ImportMenuCommand(Workspace& workspace, UiServices& services, CommandRunner& runner, CommandActions& actions,
                      ProjectFileCommands& files, QWidget& window);

    NavigationChooser& Chooser() const { return *chooser_; }

private:
    void Run();

    Workspace& workspace_;
    UiServices& services_;
    CommandRunner& runner_;
    ProjectFileCommands& files_;
    QWidget& window_;
    NavigationChooser* chooser_;
};

}  // namespace tavel
