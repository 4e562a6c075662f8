#pragma once

#include "menu/TreeCommands.h"
#include "project/Workspace.h"

#include <QMainWindow>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QPlainTextEdit;
class QTabWidget;

namespace tavel {

class MenuTreeModel;
class MenuTreeView;
class TForm4;
class TForm7;
class TForm8;
class UiServices;
class WebPreview;

// The main window: the menu tree on the left, the preview and the project
// texts on the right, every command as an action of the menu bar, the
// toolbar and its shortcut. It owns the program's one Workspace and is a
// view of it; the rules live in the core.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    TForm1(const std::string& programFolder, UiServices& services, QWidget* parent = nullptr);
    ~TForm1() override;

    // The dialogs are created after the main window, as the program has
    // always done; they are handed over once they exist.
    void SetDialogs(TForm4* itemDialog, TForm7* about, TForm8* tools);

    Workspace& Work() { return workspace_; }
    QAction* Action(const char* name) const;

    // Command handlers, one per action, named as the commands are known.
    void Action5Execute();   // Print tree report
    void Action6Execute();   // Exit
    void Action7Execute();   // Add item
    void Action8Execute();   // Add subitem
    void Action9Execute();   // Edit item
    void Action10Execute();  // Delete
    void Action11Execute();  // See code
    void Action13Execute();  // Tools window on or off
    void Action14Execute();  // Help
    void Action16Execute();  // About
    void Action17Execute();  // Generate code
    void Action18Execute();  // Separator
    void TreeDblClick();
    void Expandall1Click();
    void Collapseall1Click();
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton4Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildActions();
    void BuildMenusAndToolbar();
    QWidget* BuildBrowserTab();
    QPlainTextEdit* BuildMemo(const char* name, std::string ProjectTexts::*text);
    void FormCreate();
    void FormShow();

    // Runs a command: user edits in the memos reach the core first, and an
    // error that ends the command is shown and the program goes on.
    void Run(const std::function<void()>& command);
    void ShowError(const std::string& text);
    void PlainMessage(const char* text);
    void FlushMemos();
    // Shows the core's texts in the memos: all of them, or only `only`.
    void RefreshMemos(std::string ProjectTexts::*only = nullptr);

    Workspace workspace_;
    TreeCommands commands_;
    UiServices& services_;
    TForm4* itemDialog_ = nullptr;
    TForm7* about_ = nullptr;
    TForm8* tools_ = nullptr;

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
    std::vector<std::string> startupFailures_;
};

}  // namespace tavel
