#pragma once

#include "project/Prompts.h"
#include "project/TreeCommands.h"
#include "project/Workspace.h"

#include <QMainWindow>
#include <QMessageBox>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QPlainTextEdit;
class QTabWidget;

namespace tavel {

class MenuTreeModel;
class Preview;
class MenuTreeView;
class NewMenuDialog;
class ItemDialog;
class PageDesignDialog;
class AboutBox;
class ProjectSaveDialog;
class ToolsWindow;
class UiServices;
class WebPreview;

// The main window: the menu tree on the left, the preview and the project
// texts on the right, every command as an action of the menu bar, the
// toolbar and its shortcut. It owns the program's one Workspace and is a
// view of it; the rules live in the core.
class MainWindow : public QMainWindow, private Prompts {
    Q_OBJECT

public:
    MainWindow(const std::string& programFolder, UiServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The dialogs are created after the main window, as the program has
    // always done; they are handed over once they exist.
    void SetDialogs(ItemDialog* itemDialog, AboutBox* about, ToolsWindow* tools);
    void SetPageDesignDialog(PageDesignDialog* pageDesign) { pageDesign_ = pageDesign; }
    void SetSaveDialog(ProjectSaveDialog* saveDialog);
    void SetNewMenuDialog(NewMenuDialog* newMenu) { newMenu_ = newMenu; }

    Workspace& Work() { return workspace_; }
    QAction* Action(const char* name) const;

    // The commands. The action table (ActionTable.cpp) ties each one to its
    // action's object name, caption, hint, shortcut and icon.
    void Save();
    void SaveAs();
    void Open();
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

    // Forgets every tree edit Undo could take back: for a tree that was
    // opened, started anew or created. The Undo and Redo commands follow.
    void ClearHistory();

    // Asks before unsaved tree changes are dropped and saves when told to.
    // False when the calling command must end: Cancel, or a Yes whose save
    // was cancelled or failed. True to go on.
    bool ConfirmSaveChanges();

    // The tree's double-click and its right-click menu.
    void EditSelectedItem();
    void ExpandAll();
    void CollapseAll();

    // The Program Tools window works on this window's project. Its commands
    // run like the window's own (memo edits reach the core first, an error
    // is shown over `over`), and the memos show what they changed.
    void RunToolCommand(QWidget* over, const std::function<void()>& command);
    void ToolMessage(QWidget* over, const std::string& text);
    Preview& PreviewPane();
    UiServices& Services() { return services_; }

    // The preview's own toolbar.
    void GoBack();
    void GoForward();
    void GoHome();
    void OpenInExternalBrowser();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The close question, whatever asks the window to close.
    void closeEvent(QCloseEvent* event) override;

private:
    // The Edit Item dialog, told first which encoding the script is in.
    bool RunItemDialog();
    std::string StartFolderForOpen() const;
    void BuildActions();
    void BuildMenusAndToolbar();
    QWidget* BuildBrowserTab();
    QPlainTextEdit* BuildMemo(const char* name, std::string ProjectTexts::*text);
    void LoadStartupProject();
    void PlaceOnFirstShow();
    void ShowStartupFailures();
    bool ConfirmWriteOverPartlyRead(const std::string& path, size_t itemsRead) override;
    // Undo and Redo name the edit they would take back or do again.
    void UpdateUndoActions();
    void KeyboardMove(TreeCommands::MoveRefusal (TreeCommands::*move)());
    bool AcceptsDrop(const MenuItem* target, bool afterTarget, QString* why) const;
    static QString RefusalText(TreeCommands::MoveRefusal refusal);

    // Runs a command: user edits in the memos reach the core first, an
    // error that ends the command is shown over `over` (this window, or a
    // tool window on top of it) and the program goes on, and the Undo and
    // Save commands follow what the command did.
    void Run(const std::function<void()>& command);
    void RunOver(QWidget* over, const std::function<void()>& command);
    void ShowError(const std::string& text);
    // Runs a step whose failure is shown here; true when it succeeded.
    bool Attempt(const std::function<void()>& step);
    bool AskToSaveChanges(const char* caption, QMessageBox::Icon icon);
    bool SaveToProjectFolder();
    // Save as with its dialog; true when the project was saved.
    bool RunSaveAs();
    // The Save command's state and hint follow the workspace.
    void UpdateSaveCommand();
    void ShowProjectTitle();
    void PlainMessage(const char* text);
    void FlushMemos();
    // Shows the core's texts in the memos: all of them, or only `only`.
    void RefreshMemos(std::string ProjectTexts::*only = nullptr);

    Workspace workspace_;
    TreeCommands commands_;
    UiServices& services_;
    ItemDialog* itemDialog_ = nullptr;
    AboutBox* about_ = nullptr;
    ToolsWindow* tools_ = nullptr;
    PageDesignDialog* pageDesign_ = nullptr;
    ProjectSaveDialog* saveDialog_ = nullptr;
    NewMenuDialog* newMenu_ = nullptr;

    MenuTreeModel* model_ = nullptr;
    MenuTreeView* tree_ = nullptr;
    WebPreview* web_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QMenu* popup_ = nullptr;

    struct MemoBinding {
        QPlainTextEdit* memo;
        std::string ProjectTexts::*text;
        bool edited = false;
    };
    std::vector<MemoBinding> memos_;
    bool refreshingMemos_ = false;
    bool shownOnce_ = false;
    bool startupFailuresDue_ = false;
    std::vector<std::string> startupFailures_;
};

}  // namespace tavel
