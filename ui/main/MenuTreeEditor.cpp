#include "ui/main/MenuTreeEditor.h"

#include "project/TreeMessages.h"
#include "project/Workspace.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"
#include "ui/item/ItemDialog.h"
#include "ui/main/CommandActions.h"
#include "ui/main/CommandRunner.h"
#include "ui/main/MenuTreeModel.h"
#include "ui/main/MenuTreeView.h"

#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

namespace tavel {
namespace {

// How long the status bar says why a move or a drop was refused.
constexpr int kRefusalShownMs = 5000;

}  // namespace

MenuTreeEditor::MenuTreeEditor(Workspace& workspace, UiServices& services, CommandRunner& runner,
                               CommandActions& actions, QMainWindow& window)
    : workspace_(workspace), commands_(workspace), services_(services), runner_(runner), window_(window) {
    model_ = new MenuTreeModel(workspace_.Tree());
    MenuTreeView::DropRules rules{
        [this](const MenuItem* target, bool after, QString* why) { return AcceptsDrop(target, after, why); },
        [this](MenuItem* target, bool after) { runner_.Run([&] { commands_.Drop(target, after); }); },
        [this](MenuItem* item) { workspace_.Tree().Select(item); },
        [this](MenuItem* item, bool open) { workspace_.Tree().SetExpanded(item, open); },
    };
    view_ = new MenuTreeView(*model_, std::move(rules));
    view_->setToolTip("Menu tree");
    view_->setStatusTip("Menu tree");
    view_->setMinimumWidth(120);
    QPalette palette = view_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    view_->setPalette(palette);
    connect(view_, &MenuTreeView::ItemDoubleClicked, this, [this] { runner_.Run([this] { EditItem(); }); });
    connect(view_, &MenuTreeView::DropRefusalShown, this, [this](const QString& reason) {
        if (reason.isEmpty())
            window_.statusBar()->clearMessage();
        else
            window_.statusBar()->showMessage(reason);
    });
    connect(view_, &MenuTreeView::DropRefused, this,
            [this](const QString& reason) { window_.statusBar()->showMessage(reason, kRefusalShownMs); });

    popup_ = new QMenu(&window);
    QAction* expandAll = popup_->addAction("Expand all", this, [this] { commands_.ExpandAll(); });
    QAction* collapseAll = popup_->addAction("Collapse all", this, [this] { commands_.CollapseAll(); });
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { popup_->popup(view_->viewport()->mapToGlobal(pos)); });
    // Shift+F10 opens it from the keyboard as the Menu key does, at the
    // selected item.
    auto* popupKey = new QAction(view_);
    popupKey->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    popupKey->setShortcutContext(Qt::WidgetShortcut);
    view_->addAction(popupKey);
    connect(popupKey, &QAction::triggered, this, [this] {
        const QRect item = view_->visualRect(view_->currentIndex());
        popup_->popup(view_->viewport()->mapToGlobal(item.isValid() ? item.bottomLeft() : QPoint(0, 0)));
    });

    ConnectCommands(actions);

    SetFormNames({
        {view_, "Tree"},
        {popup_, "PopupMenu1"},
        {expandAll, "Expandall1"},
        {collapseAll, "Collapseall1"},
    });
    SetAccessibleNames({
        {view_, "Menu tree"},
    });
}

MenuTreeEditor::~MenuTreeEditor() {
    // The model goes before the workspace whose tree it watches.
    delete view_;
    delete model_;
}

void MenuTreeEditor::ConnectCommands(CommandActions& actions) {
    actions.On(Command::AddItem, [this] { AddItem(); });
    actions.On(Command::AddSubitem, [this] { AddSubitem(); });
    actions.On(Command::EditItem, [this] { EditItem(); });
    actions.On(Command::Delete, [this] { commands_.DeleteSelected(); });
    actions.On(Command::Separator, [this] { TellAdded(commands_.AddSeparator()); });
    actions.On(Command::Undo, [this] { Undo(); });
    actions.On(Command::Redo, [this] { Redo(); });
    const struct {
        Command command;
        KeyboardMove kind;
        TreeCommands::MoveRefusal (TreeCommands::*move)();
    } moves[] = {
        {Command::MoveUp, KeyboardMove::Up, &TreeCommands::MoveUp},
        {Command::MoveDown, KeyboardMove::Down, &TreeCommands::MoveDown},
        {Command::Indent, KeyboardMove::Indent, &TreeCommands::Indent},
        {Command::Outdent, KeyboardMove::Outdent, &TreeCommands::Outdent},
    };
    popup_->addSeparator();
    for (const auto& [command, kind, move] : moves) {
        actions.On(command, [this, kind, move] { Move(kind, move); });
        popup_->addAction(actions.Of(command));
    }
}

bool MenuTreeEditor::RunItemDialog(ItemDialogUse use, bool menuBarTitle) {
    itemDialog_->SetEightBitScript(!IsUtf8(workspace_.Texts().script));
    itemDialog_->SetMenuBarTitle(menuBarTitle);
    itemDialog_->SetUse(Shown(ItemDialogUseText(use, workspace_.Tree().Selected())));
    return services_.RunDialog(*itemDialog_);
}

void MenuTreeEditor::AddItem() {
    if (!RunItemDialog(ItemDialogUse::AddItem, commands_.AddsMenuBarTitle())) return;
    TreeCommands::AddItemOutcome outcome = commands_.AddItem(itemDialog_->Texts());
    TellAdded(outcome.item);
    if (outcome.needsSubmenu) {
        runner_.PlainMessage(treemessage::kNoUpperMenu);
        AddSubitem();
    }
}

void MenuTreeEditor::AddSubitem() {
    switch (commands_.CheckAddSubitem()) {
        case TreeCommands::SubitemRefusal::NoSelection:
            runner_.PlainMessage(treemessage::kEmptyItem);
            return;
        case TreeCommands::SubitemRefusal::TooDeep:
            services_.Message(&window_, treemessage::kWarningCaption, treemessage::kTooDeep, QMessageBox::Warning);
            return;
        case TreeCommands::SubitemRefusal::None:
            break;
    }
    if (!RunItemDialog(ItemDialogUse::AddSubitem, false)) return;
    TellAdded(commands_.AddSubitem(itemDialog_->Texts()));
}

// The selection stays where it was, so nothing on screen would tell a
// screen reader of the new item: the item the keyboard is on says it.
void MenuTreeEditor::TellAdded(const MenuItem* added) {
    const MenuItem* current = workspace_.Tree().Selected();
    if (added == nullptr || current == nullptr) return;
    view_->Announce(model_->IndexOf(current), AddedItemText(workspace_.Tree(), *added, current), false);
}

void MenuTreeEditor::EditItem() {
    if (!commands_.CanEdit()) return;
    itemDialog_->SetTexts(commands_.SelectedTexts());
    if (RunItemDialog(ItemDialogUse::EditItem, commands_.EditsMenuBarTitle())) {
        const ItemTexts texts = itemDialog_->Texts();
        commands_.FinishEdit(&texts);
    } else {
        commands_.FinishEdit(nullptr);
    }
}

// The selection comes back with the tree; its item is brought into view,
// submenus opened, so the user sees what was undone.
void MenuTreeEditor::Undo() {
    commands_.Undo();
    ShowCurrentItem();
}

void MenuTreeEditor::Redo() {
    commands_.Redo();
    ShowCurrentItem();
}

void MenuTreeEditor::ShowCurrentItem() { view_->scrollTo(view_->currentIndex()); }

QString MenuTreeEditor::RefusalText(TreeCommands::MoveRefusal refusal) {
    switch (refusal) {
        case TreeCommands::MoveRefusal::TooDeep:
            return treemessage::kMoveTooDeep;
        case TreeCommands::MoveRefusal::IntoItself:
            return treemessage::kMoveIntoItself;
        default:
            return {};
    }
}

bool MenuTreeEditor::AcceptsDrop(const MenuItem* target, bool afterTarget, QString* why) const {
    const TreeCommands::MoveRefusal refusal = commands_.CheckDrop(target, afterTarget);
    if (why != nullptr) *why = RefusalText(refusal);
    return refusal == TreeCommands::MoveRefusal::None;
}

void MenuTreeEditor::Move(KeyboardMove kind, TreeCommands::MoveRefusal (TreeCommands::*move)()) {
    const TreeCommands::MoveRefusal refusal = (commands_.*move)();
    const std::string outcome = MoveOutcomeText(kind, refusal);
    if (refusal != TreeCommands::MoveRefusal::None) window_.statusBar()->showMessage(Shown(outcome), kRefusalShownMs);
    // The tree keeps the keyboard, so moves can follow one another.
    view_->setFocus();
    ShowCurrentItem();
    // Where the item went, or why it stayed, is heard as well as seen.
    view_->Announce(view_->currentIndex(), outcome, refusal == TreeCommands::MoveRefusal::None);
}

}  // namespace tavel
