#pragma once

#include "project/DataFolders.h"
#include "project/Workspace.h"
#include "ui/ActionTable.h"

#include <QMainWindow>

#include <array>
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
class CommandRunner;
class ItemDialog;
class LinkCheckWindow;
class MenuTreeEditor;
class NewMenuCommand;
class NewMenuDialog;
class PageDesignDialog;
class Preview;
class ProjectFileCommands;
class ProjectSaveDialog;
class ProjectTextTabs;
class ToolsWindow;
class UiServices;

// The main window: the menu tree on the left, the preview and the project
// texts on the right, every command as an action of the menu bar, the
// toolbar and its shortcut. It owns the program's one Workspace and is a
// view of it; the rules live in the core. The window holds the actions and
// runs the simple commands itself; the tree, the file commands, New Menu,
// the preview and the texts are parts it is made of.
class MainWindow : public QMainWindow {
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

    Workspace& Work() { return workspace_; }

    // The commands. The action table (ActionTable.cpp) ties each one to its
    // action's object name, caption, hint, shortcut and icon; most hand the
    // work to the part of the window it belongs to.
    void Save();
    void SaveAs();
    void Open();
    void RestoreDefaultProject();
    void NewMenu();
    void PrintTreeReport();
    void Exit();
    void AddItem();
    void AddSubitem();
    void EditItem();
    void DeleteItem();
    void SeeCode();
    void ToggleTools();
    void ShowHelp();
    void ShowAbout();
    void GenerateCode();
    void AddSeparator();
    void PageDesign();
    void Undo();
    void Redo();
    void MoveItemUp();
    void MoveItemDown();
    void IndentItem();
    void OutdentItem();
    void CheckLinks();

    // Forgets every tree edit Undo could take back: for a tree that was
    // opened, started anew or created. The Undo and Redo commands follow.
    void ClearHistory();

    // The Program Tools window works on this window's project. Its commands
    // run like the window's own (memo edits reach the core first, an error
    // is shown over `over`), and the memos show what they changed.
    void RunToolCommand(QWidget* over, const std::function<void()>& command);
    void ToolMessage(QWidget* over, const std::string& text);
    Preview& PreviewPane();
    UiServices& Services() { return services_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The close question, whatever asks the window to close.
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* ActionOf(Command command) const { return actions_[static_cast<size_t>(command)]; }
    void BuildActions();
    QToolBar* BuildMenusAndToolbar();
    void LoadStartupProject();
    void PlaceOnFirstShow();
    void ShowStartupFailures();
    // Undo, Redo and Save follow the workspace whenever it says they may
    // have changed.
    void ShowEditState();

    Workspace workspace_;
    UiServices& services_;
    std::unique_ptr<CommandRunner> runner_;
    AboutBox* about_ = nullptr;
    ToolsWindow* tools_ = nullptr;
    PageDesignDialog* pageDesign_ = nullptr;
    LinkCheckWindow* linkCheck_ = nullptr;  // made when first asked for

    std::array<QAction*, kCommandCount> actions_{};
    std::unique_ptr<MenuTreeEditor> treeEditor_;
    QTabWidget* pages_ = nullptr;
    BrowserTab* browser_ = nullptr;
    ProjectTextTabs* texts_ = nullptr;
    std::unique_ptr<ProjectFileCommands> files_;
    std::unique_ptr<NewMenuCommand> newMenu_;

    QString scriptError_;  // the status bar's message while it is shown

    bool shownOnce_ = false;
    bool startupFailuresDue_ = false;
    std::vector<std::string> startupFailures_;
};

}  // namespace tavel
