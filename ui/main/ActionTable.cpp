#include "ui/ActionTable.h"

#include "ui/MainWindow.h"

namespace tavel {
namespace {

using C = Command;

constexpr ActionSpec kActions[] = {
    {C::NewMenu, "Action1", "File", "&New Menu", nullptr, "Create new menu or load skin", "Ctrl+N", "new-menu", &MainWindow::NewMenu},
    {C::Save, "Action2", "File", "&Save", nullptr, "Save project in current file", "Ctrl+S", "save", &MainWindow::Save},
    {C::SaveAs, "Action3", "File", "Sav&e as...", nullptr, "Save as another file", "Ctrl+Alt+S", "save-as", &MainWindow::SaveAs},
    {C::Open, "Action4", "File", "&Open", nullptr, "Open an existing file", "Ctrl+O", "open", &MainWindow::Open},
    {C::Print, "Action5", "File", "&Print", nullptr, "Print tree report", "Ctrl+P", "print", &MainWindow::PrintTreeReport},
    {C::Exit, "Action6", "File", "E&xit", nullptr, "Quit", "F10", "exit", &MainWindow::Exit},
    // Installed, the default project is the user's copy; this puts the shipped one back.
    {C::RestoreDefaultProject, "RestoreDefaultProject", "File", "&Restore default project", nullptr, "Replace the default project with the one that comes with the program", "", "restore-default", &MainWindow::RestoreDefaultProject},
    {C::AddItem, "Action7", "Menu", "Add &item", nullptr, "Add next item to the tree", "F2", "add-item", &MainWindow::AddItem},
    {C::AddSubitem, "Action8", "Menu", "A&dd subitem", nullptr, "Add subitem to the tree", "F3", "add-subitem", &MainWindow::AddSubitem},
    {C::EditItem, "Action9", "Menu", "Edit ite&m", nullptr, "Edit selected item", "F4", "edit-item", &MainWindow::EditItem},
    {C::Delete, "Action10", "Menu", "De&lete", nullptr, "Delete selected item", "Ctrl+Alt+D", "delete", &MainWindow::DeleteItem},
    {C::SeeCode, "Action11", "HTML", "See c&ode", nullptr, "See database code", "Ctrl+C", "see-code", &MainWindow::SeeCode},
    {C::PageDesign, "Action12", "HTML", "Page Desi&gn", nullptr, "Set up page design", "Ctrl+D", "page-design", &MainWindow::PageDesign},
    {C::Tools, "Action13", "HTML", "&Tools", nullptr, "Program tools", "Ctrl+T", "tools", &MainWindow::ToggleTools},
    {C::Help, "Action14", "???", "&Help", nullptr, "Help context", "F1", "help", &MainWindow::ShowHelp},
    {C::About, "Action16", "???", "Abo&ut Tavel", nullptr, "Information", "Ctrl+H", "about", &MainWindow::ShowAbout},
    {C::GenerateCode, "Action17", "HTML", "Generate code", "G&enerate code", "Generate database code", "Ctrl+Alt+N", "generate", &MainWindow::GenerateCode},
    {C::Separator, "Action18", "Menu", "Separator", nullptr, "Insert separator", "F5", "separator", &MainWindow::AddSeparator},
    // Undo and redo of the tree edits; their captions name the edit.
    {C::Undo, "Undo", "Menu", "&Undo", nullptr, "Undo the last change to the menu tree", "Ctrl+Z", "undo", &MainWindow::Undo},
    {C::Redo, "Redo", "Menu", "&Redo", nullptr, "Redo the change last undone", "Ctrl+Y; Ctrl+Shift+Z", "redo", &MainWindow::Redo},
    // Restructuring the tree from the keyboard.
    {C::MoveUp, "MoveUp", "Menu", "Move u&p", nullptr, "Move the selected item up", "Ctrl+Up", "move-up", &MainWindow::MoveItemUp},
    {C::MoveDown, "MoveDown", "Menu", "Move do&wn", nullptr, "Move the selected item down", "Ctrl+Down", "move-down", &MainWindow::MoveItemDown},
    {C::Indent, "Indent", "Menu", "I&ndent", nullptr, "Make the selected item the last subitem of the item above it", "Ctrl+Right", "indent", &MainWindow::IndentItem},
    {C::Outdent, "Outdent", "Menu", "Ou&tdent", nullptr, "Move the selected item out of its submenu, after its parent", "Ctrl+Left", "outdent", &MainWindow::OutdentItem},
    // Every item's link tried, in a window of its own.
    {C::CheckLinks, "CheckLinks", "HTML", "Check &links", nullptr, "Check the link of every item", "Ctrl+L", "check-links", &MainWindow::CheckLinks},
};

constexpr LayoutEntry kFileMenu[] = {C::NewMenu, C::Save, C::SaveAs, C::Open, C::Print, kLine, C::RestoreDefaultProject, kLine, C::Exit};
constexpr LayoutEntry kMenuMenu[] = {
    C::Undo, C::Redo, kLine,
    C::AddItem, C::AddSubitem, C::EditItem, C::Separator, C::Delete, kLine,
    C::MoveUp, C::MoveDown, C::Indent, C::Outdent,
};
constexpr LayoutEntry kHtmlMenu[] = {C::GenerateCode, C::SeeCode, C::PageDesign, C::Tools, C::CheckLinks};
constexpr LayoutEntry kHelpMenu[] = {C::Help, kLine, C::About};

constexpr MenuSpec kMenus[] = {
    {"&File", kFileMenu},
    {"&Menu", kMenuMenu},
    {"&HTML", kHtmlMenu},
    {"???", kHelpMenu},
};

constexpr LayoutEntry kToolbar[] = {
    C::NewMenu, C::Save, C::SaveAs, C::Open, C::Print, kLine,
    C::AddItem, C::AddSubitem, C::EditItem, C::Separator, C::Delete, kLine,
    C::Undo, C::Redo, kLine,
    C::GenerateCode, C::SeeCode, C::PageDesign, C::Tools, C::CheckLinks, kLine,
    C::Help, C::About,
};

}  // namespace

std::span<const ActionSpec> MainActions() { return kActions; }
std::span<const MenuSpec> MainMenus() { return kMenus; }
std::span<const LayoutEntry> MainToolbar() { return kToolbar; }

}  // namespace tavel
