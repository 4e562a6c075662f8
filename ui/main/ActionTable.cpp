#include "ui/main/ActionTable.h"

namespace tavel {
namespace {

using C = Command;

constexpr ActionEntry kActions[] = {
    {C::NewMenu, "Action1", "&New Menu", "Create new menu or load skin", "Ctrl+N", "new-menu"},
    {C::Save, "Action2", "&Save", "Save project in current file", "Ctrl+S", "save"},
    {C::SaveAs, "Action3", "Sav&e as...", "Save as another file", "Ctrl+Alt+S", "save-as"},
    {C::Open, "Action4", "&Open", "Open an existing file", "Ctrl+O", "open"},
    // A submenu of the projects worked on lately.
    {C::RecentProjects, "RecentProjects", "Recen&t projects", "Open one of the projects opened or saved lately", "", "recent-projects"},
    // A menu read out of an existing page's navigation.
    {C::ImportMenu, "ImportMenu", "&Import menu from page...", "Make the menu from the navigation of a web page", "", "open"},
    {C::Print, "Action5", "&Print", "Print tree report", "Ctrl+P", "print"},
    {C::Exit, "Action6", "E&xit", "Quit", "F10", "exit"},
    // Installed, the default project is the user's copy; this puts the shipped one back.
    {C::RestoreDefaultProject, "RestoreDefaultProject", "&Restore default project", "Replace the default project with the one that comes with the program", "", "restore-default"},
    {C::AddItem, "Action7", "Add &item", "Add next item to the tree", "F2", "add-item"},
    {C::AddSubitem, "Action8", "A&dd subitem", "Add subitem to the tree", "F3", "add-subitem"},
    {C::EditItem, "Action9", "Edit ite&m", "Edit selected item", "F4", "edit-item"},
    {C::Delete, "Action10", "De&lete", "Delete selected item", "Ctrl+Alt+D", "delete"},
    {C::SeeCode, "Action11", "See c&ode", "See database code", "Ctrl+C", "see-code"},
    {C::PageDesign, "Action12", "Page Desi&gn", "Set up page design", "Ctrl+D", "page-design"},
    {C::Tools, "Action13", "&Tools", "Program tools", "Ctrl+T", "tools"},
    {C::Help, "Action14", "&Help", "Help context", "F1", "help"},
    {C::About, "Action16", "Abo&ut Tavel", "Information", "Ctrl+H", "about"},
    {C::GenerateCode, "Action17", "G&enerate code", "Generate database code", "Ctrl+Alt+N", "generate"},
    {C::Separator, "Action18", "Separator", "Insert separator", "F5", "separator"},
    // Undo and redo of the tree edits; their captions name the edit.
    {C::Undo, "Undo", "&Undo", "Undo the last change to the menu tree", "Ctrl+Z", "undo"},
    {C::Redo, "Redo", "&Redo", "Redo the change last undone", "Ctrl+Y; Ctrl+Shift+Z", "redo"},
    // Restructuring the tree from the keyboard.
    {C::MoveUp, "MoveUp", "Move u&p", "Move the selected item up", "Ctrl+Up", "move-up"},
    {C::MoveDown, "MoveDown", "Move do&wn", "Move the selected item down", "Ctrl+Down", "move-down"},
    {C::Indent, "Indent", "I&ndent", "Make the selected item the last subitem of the item above it", "Ctrl+Right", "indent"},
    {C::Outdent, "Outdent", "Ou&tdent", "Move the selected item out of its submenu, after its parent", "Ctrl+Left", "outdent"},
    // Every item's link tried, in a window of its own.
    {C::CheckLinks, "CheckLinks", "Check &links", "Check the link of every item", "Ctrl+L", "check-links"},
};

constexpr LayoutEntry kFileMenu[] = {
    C::NewMenu, C::Save, C::SaveAs, C::Open, C::RecentProjects, C::ImportMenu, C::Print, kLine,
    C::RestoreDefaultProject, kLine,
    C::Exit,
};
constexpr LayoutEntry kMenuMenu[] = {
    C::Undo, C::Redo, kLine,
    C::AddItem, C::AddSubitem, C::EditItem, C::Separator, C::Delete, kLine,
    C::MoveUp, C::MoveDown, C::Indent, C::Outdent,
};
constexpr LayoutEntry kHtmlMenu[] = {C::GenerateCode, C::SeeCode, C::PageDesign, C::Tools, C::CheckLinks};
constexpr LayoutEntry kHelpMenu[] = {C::Help, kLine, C::About};

constexpr MenuEntry kMenus[] = {
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

std::span<const ActionEntry> MainActions() { return kActions; }
std::span<const MenuEntry> MainMenus() { return kMenus; }
std::span<const LayoutEntry> MainToolbar() { return kToolbar; }

}  // namespace tavel
