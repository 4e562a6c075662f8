#include "ui/ActionTable.h"

#include "ui/MainWindow.h"

namespace tavel {
namespace {

constexpr ActionSpec kActions[] = {
    {"Action1", "File", "&New Menu", nullptr, "Create new menu or load skin", "Ctrl+N", "new-menu", &MainWindow::NewMenu},
    {"Action2", "File", "&Save", nullptr, "Save project in current file", "Ctrl+S", "save", &MainWindow::Save},
    {"Action3", "File", "Sav&e as...", nullptr, "Save as another file", "Ctrl+Alt+S", "save-as", &MainWindow::SaveAs},
    {"Action4", "File", "&Open", nullptr, "Open an existing file", "Ctrl+O", "open", &MainWindow::Open},
    {"Action5", "File", "&Print", nullptr, "Print tree report", "Ctrl+P", "print", &MainWindow::PrintTreeReport},
    {"Action6", "File", "E&xit", nullptr, "Quit", "F10", "exit", &MainWindow::Exit},
    {"Action7", "Menu", "Add &item", nullptr, "Add next item to the tree", "F2", "add-item", &MainWindow::AddItem},
    {"Action8", "Menu", "A&dd subitem", nullptr, "Add subitem to the tree", "F3", "add-subitem", &MainWindow::AddSubitem},
    {"Action9", "Menu", "Edit ite&m", nullptr, "Edit selected item", "F4", "edit-item", &MainWindow::EditItem},
    {"Action10", "Menu", "De&lete", nullptr, "Delete selected item", "Ctrl+Alt+D", "delete", &MainWindow::DeleteItem},
    {"Action11", "HTML", "See c&ode", nullptr, "See database code", "Ctrl+C", "see-code", &MainWindow::SeeCode},
    {"Action12", "HTML", "Page Desi&gn", nullptr, "Set up page design", "Ctrl+D", "page-design", &MainWindow::PageDesign},
    {"Action13", "HTML", "&Tools", nullptr, "Program tools", "Ctrl+T", "tools", &MainWindow::ToggleTools},
    {"Action14", "???", "&Help", nullptr, "Help context", "F1", "help", &MainWindow::ShowHelp},
    {"Action16", "???", "Abo&ut Tavel", nullptr, "Information", "Ctrl+H", "about", &MainWindow::ShowAbout},
    {"Action17", "HTML", "Generate code", "G&enerate code", "Generate database code", "Ctrl+Alt+N", "generate", &MainWindow::GenerateCode},
    {"Action18", "Menu", "Separator", nullptr, "Insert separator", "F5", "separator", &MainWindow::AddSeparator},
    // Undo and redo of the tree edits; their captions name the edit.
    {"Undo", "Menu", "&Undo", nullptr, "Undo the last change to the menu tree", "Ctrl+Z", "undo", &MainWindow::Undo},
    {"Redo", "Menu", "&Redo", nullptr, "Redo the change last undone", "Ctrl+Y; Ctrl+Shift+Z", "redo", &MainWindow::Redo},
    // Restructuring the tree from the keyboard.
    {"MoveUp", "Menu", "Move u&p", nullptr, "Move the selected item up", "Ctrl+Up", "move-up", &MainWindow::MoveItemUp},
    {"MoveDown", "Menu", "Move do&wn", nullptr, "Move the selected item down", "Ctrl+Down", "move-down", &MainWindow::MoveItemDown},
    {"Indent", "Menu", "I&ndent", nullptr, "Make the selected item the last subitem of the item above it", "Ctrl+Right", "indent", &MainWindow::IndentItem},
    {"Outdent", "Menu", "Ou&tdent", nullptr, "Move the selected item out of its submenu, after its parent", "Ctrl+Left", "outdent", &MainWindow::OutdentItem},
};

constexpr const char* kFileMenu[] = {"Action1", "Action2", "Action3", "Action4", "Action5", "-", "Action6"};
constexpr const char* kMenuMenu[] = {"Undo",   "Redo",     "-",      "Action7", "Action8", "Action9", "Action18",
                                     "Action10", "-",      "MoveUp", "MoveDown", "Indent",  "Outdent"};
constexpr const char* kHtmlMenu[] = {"Action17", "Action11", "Action12", "Action13"};
constexpr const char* kHelpMenu[] = {"Action14", "-", "Action16"};

constexpr MenuSpec kMenus[] = {
    {"&File", kFileMenu},
    {"&Menu", kMenuMenu},
    {"&HTML", kHtmlMenu},
    {"???", kHelpMenu},
};

constexpr const char* kToolbar[] = {"Action1",  "Action2",  "Action3",  "Action4",  "Action5",  "-",
                                    "Action7",  "Action8",  "Action9",  "Action18", "Action10", "-",
                                    "Undo",     "Redo",     "-",        "Action17", "Action11", "Action12",
                                    "Action13", "-",        "Action14", "Action16"};

}  // namespace

std::span<const ActionSpec> MainActions() { return kActions; }
std::span<const MenuSpec> MainMenus() { return kMenus; }
std::span<const char* const> MainToolbar() { return kToolbar; }

}  // namespace tavel
