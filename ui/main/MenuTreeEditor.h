#pragma once

#include "project/TreeAnnouncements.h"
#include "project/TreeCommands.h"

#include <QObject>

class QAction;
class QMainWindow;
class QMenu;

namespace tavel {

class CommandActions;
class CommandRunner;
class ItemDialog;
class MenuItem;
class MenuTreeModel;
class MenuTreeView;
class UiServices;
class Workspace;

// The menu tree as the user edits it: the view over the core's tree with
// its right-click menu, and the tree commands (adding, editing, deleting,
// undo and redo, the keyboard moves) with the Edit Item dialog and their
// messages. Drops and double-clicks run as the window's commands do; a
// refused move says why in the window's status bar. What a move or an
// addition did is told to screen readers through the tree's items.
class MenuTreeEditor : public QObject {
    Q_OBJECT

public:
    // Connects the tree commands of `actions`; the right-click menu offers
    // the moves among them.
    MenuTreeEditor(Workspace& workspace, UiServices& services, CommandRunner& runner, CommandActions& actions,
                   QMainWindow& window);
    ~MenuTreeEditor() override;

    MenuTreeView& View() { return *view_; }
    void SetItemDialog(ItemDialog* itemDialog) { itemDialog_ = itemDialog; }

private:
    void ConnectCommands(CommandActions& actions);
    void AddItem();
    void AddSubitem();
    void EditItem();
    void Undo();
    void Redo();

    // The Edit Item dialog, told first what it is open for, which encoding
    // the script is in and whether the item is a menu-bar title.
    bool RunItemDialog(ItemDialogUse use, bool menuBarTitle);
    void Move(KeyboardMove kind, TreeCommands::MoveRefusal (TreeCommands::*move)());
    void TellAdded(const MenuItem* added);
    bool AcceptsDrop(const MenuItem* target, bool afterTarget, QString* why) const;
    static QString RefusalText(TreeCommands::MoveRefusal refusal);
    void ShowCurrentItem();

    Workspace& workspace_;
    TreeCommands commands_;
    UiServices& services_;
    CommandRunner& runner_;
    QMainWindow& window_;
    ItemDialog* itemDialog_ = nullptr;
    MenuTreeModel* model_ = nullptr;
    MenuTreeView* view_ = nullptr;
    QMenu* popup_ = nullptr;
};

}  // namespace tavel
