#pragma once

#include "project/DataFolders.h"
#include "project/Workspace.h"
#include "ui/main/ActionTable.h"
#include "ui/tools/ToolsHost.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QTabWidget;
class QToolBar;

namespace tavel {

class AboutBox;
class BrowserTab;
class CommandActions;
class CommandRunner;
class ItemDialog;
class LinkCheckWindow;
class MenuTreeEditor;
class ImportMenuCommand;
class NewMenuCommand;
class NewMenuDialog;
class PageDesignDialog;
class Preview;
class ProjectFileCommands;
class ProjectSaveDialog;
class ProjectTextTabs;
class RecentProjectsMenu;
class ToolsWindow;
class UiServices;

// The main window: the menu tree on the left, the preview and the project
// texts on the right, every command as an action of the menu bar, the
// toolbar and its shortcut. It owns the program's one Workspace and is a
// view of it; the rules live in the core. The window holds the actions and
// runs the simple commands itself; the tree, the file commands, New Menu,
// the preview and the texts are parts it is made of, and each part connects
// the commands it runs. The Program Tools window works through it.
class MainWindow : public QMainWindow, private ToolsHost {
    Q_OBJECT

public:
    // The workspace reads the shipped data from one folder and writes into
    // the other (one and the same in a portable run).
    MainWindow(const DataFolders& folders, UiServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The dialogs work on this window's workspace and are its children, so
    // they are made after it and handed over once they exist.
    void SetDialogs(ItemDialog* itemDialog, AboutBox* about, ToolsWindow* tools);
    void SetPageDesignDialog(PageDesignDialog* pageDesign) { pageDesign_ = pageDesign; }
    void SetSaveDialog(ProjectSaveDialog* saveDialog);
    void SetNewMenuDialog(NewMenuDialog* newMenu);

    Workspace& Work() override { return workspace_; }

    // Opens the project a path names from outside the program (the command
    // line, the desktop): a project folder or its index.htm.
    void OpenProjectNamed(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The close question, whatever asks the window to close.
    void closeEvent(QCloseEvent* event) override;

private:
    // The commands no part of the window owns.
    void ConnectOwnCommands();
    void PrintTreeReport();
    void ToggleTools();
    void ShowHelp();
    void GenerateCode();
    void PageDesign();
    void CheckLinks();

    QToolBar* BuildMenusAndToolbar();
    void LoadStartupProject();
    void PlaceOnFirstShow();
    void ShowStartupFailures();
    // Undo, Redo and Save follow the workspace whenever it says they may
    // have changed.
    void ShowEditState();
    // The tools and the recent projects follow the open project.
    void ProjectChanged();

    // What the Program Tools window asks of this window.
    UiServices& Services() override { return services_; }
    Preview& PreviewPane() override;
    void RunToolCommand(QWidget* over, const std::function<void()>& command) override;
    void ToolMessage(QWidget* over, const std::string& text) override;
    void ToolStatus(const std::string& text) override;

    Workspace workspace_;
    UiServices& services_;
    std::unique_ptr<CommandRunner> runner_;
    std::unique_ptr<CommandActions> actions_;
    AboutBox* about_ = nullptr;
    ToolsWindow* tools_ = nullptr;
    PageDesignDialog* pageDesign_ = nullptr;
    LinkCheckWindow* linkCheck_ = nullptr;  // made when first asked for

    std::unique_ptr<MenuTreeEditor> treeEditor_;
    QTabWidget* pages_ = nullptr;
    BrowserTab* browser_ = nullptr;
    ProjectTextTabs* texts_ = nullptr;
    std::unique_ptr<ProjectFileCommands> files_;
    std::unique_ptr<NewMenuCommand> newMenu_;
    std::unique_ptr<ImportMenuCommand> importMenu_;
    RecentProjectsMenu* recent_ = nullptr;

    QString scriptError_;  // the status bar's message while it is shown

    bool shownOnce_ = false;
    bool startupFailuresDue_ = false;
    std::vector<std::string> startupFailures_;
};

}  // namespace tavel
