#include "ui/ActionTable.h"

#include "ui/MainWindow.h"

namespace tavel {
namespace {

constexpr ActionSpec kActions[] = {
    {"Action1", "File", "&New Menu", nullptr, "Create new menu or load skin", "Ctrl+N", "new-menu", &MainWindow::NewMenu},
    {"Action2", "File", "&Save", nullptr, "Save project in current file", "Ctrl+S", "save", nullptr},
    {"Action3", "File", "Sav&e as...", nullptr, "Save as another file", "Ctrl+Alt+S", "save-as", nullptr},
    {"Action4", "File", "&Open", nullptr, "Open an existing file", "Ctrl+O", "open", nullptr},
    {"Action5", "File", "&Print", nullptr, "Print tree report", "Ctrl+P", "print", &MainWindow::PrintTreeReport},
    {"Action6", "File", "E&xit", nullptr, "Quit", "F10", "exit", &MainWindow::Exit},
    {"Action7", "Menu", "Add &item", nullptr, "Add next item to the tree", "F2", "add-item", &MainWindow::AddItem},
    {"Action8", "Menu", "A&dd subitem", nullptr, "Add subitem to the tree", "F3", "add-subitem", &MainWindow::AddSubitem},
    {"Action9", "Menu", "Edit ite&m", nullptr, "Edit selected item", "F4", "edit-item", &MainWindow::EditItem},
    {"Action10", "Menu", "De&lete", nullptr, "Delete selected item", "Ctrl+Alt+D", "delete", &MainWindow::DeleteItem},
    {"Action11", "HTML", "See c&ode", nullptr, "See database code", "Ctrl+C", "see-code", &MainWindow::SeeCode},
    {"Action12", "HTML", "Page Desi&gn", nullptr, "Set up page design", "Ctrl+D", "page-design", nullptr},
    {"Action13", "HTML", "&Tools", nullptr, "Program tools", "Ctrl+T", "tools", &MainWindow::ToggleTools},
    {"Action14", "???", "&Help", nullptr, "Help context", "F1", "help", &MainWindow::ShowHelp},
    {"Action16", "???", "Abo&ut Tavel", nullptr, "Information", "Ctrl+H", "about", &MainWindow::ShowAbout},
    {"Action17", "HTML", "Generate code", "G&enerate code", "Generate database code", "Ctrl+Alt+N", "generate", &MainWindow::GenerateCode},
    {"Action18", "Menu", "Separator", nullptr, "Insert separator", "F5", "separator", &MainWindow::AddSeparator},
};

constexpr const char* kFileMenu[] = {"Action1", "Action2", "Action3", "Action4", "Action5", "-", "Action6"};
constexpr const char* kMenuMenu[] = {"Action7", "Action8", "Action9", "Action18", "Action10"};
constexpr const char* kHtmlMenu[] = {"Action17", "Action11", "Action12", "Action13"};
constexpr const char* kHelpMenu[] = {"Action14", "-", "Action16"};

constexpr MenuSpec kMenus[] = {
    {"&File", kFileMenu},
    {"&Menu", kMenuMenu},
    {"&HTML", kHtmlMenu},
    {"???", kHelpMenu},
};

constexpr const char* kToolbar[] = {"Action1", "Action2",  "Action3",  "Action4",  "Action5",  "-",
                                    "Action7", "Action8",  "Action9",  "Action18", "Action10", "-",
                                    "Action17", "Action11", "Action12", "Action13", "-",      "Action14",
                                    "Action16"};

}  // namespace

std::span<const ActionSpec> MainActions() { return kActions; }
std::span<const MenuSpec> MainMenus() { return kMenus; }
std::span<const char* const> MainToolbar() { return kToolbar; }

}  // namespace tavel
