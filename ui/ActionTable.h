#pragma once

#include <span>

namespace tavel {

class MainWindow;

// One command of the main window, as the menu bar, the toolbar and the
// shortcut all reach it.
struct ActionSpec {
    const char* name;         // object name
    const char* category;
    const char* caption;
    const char* menuCaption;  // what the menu shows when it differs, else null
    const char* hint;
    const char* shortcut;     // portable text, "; " between several, empty for none
    const char* icon;         // resource name under :/icons/
    // What the command runs; null while the command is not available yet,
    // which leaves it visible in its places but disabled.
    void (MainWindow::*handler)();
};

std::span<const ActionSpec> MainActions();

// Menu bar and toolbar layouts: action names in order, "-" for a separator.
struct MenuSpec {
    const char* title;
    std::span<const char* const> entries;
};
std::span<const MenuSpec> MainMenus();
std::span<const char* const> MainToolbar();

}  // namespace tavel
