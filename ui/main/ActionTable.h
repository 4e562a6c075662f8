#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace tavel {

// The main window's commands, one action each. The window keeps the actions
// in this order and reaches each one through its command; the part of the
// window that runs a command connects it (CommandActions).
enum class Command {
    NewMenu, Save, SaveAs, Open, RecentProjects, ImportMenu, Print, RestoreDefaultProject, Exit,
    AddItem, AddSubitem, EditItem, Delete, Separator, Undo, Redo, MoveUp, MoveDown, Indent, Outdent,
    GenerateCode, SeeCode, PageDesign, Tools, CheckLinks, Help, About,  // About stays last: it gives the count
};
inline constexpr size_t kCommandCount = static_cast<size_t>(Command::About) + 1;

// One command, as the menu bar, the toolbar and the shortcut all reach it.
struct ActionEntry {
    Command command;
    const char* name;         // object name
    const char* caption;      // as the menu shows it, with its accelerator letter
    const char* hint;
    const char* shortcut;     // portable text, "; " between several, empty for none
    const char* icon;         // resource name under :/icons/
};

std::span<const ActionEntry> MainActions();

// Menu bar and toolbar layouts: commands in order, with kLine for a
// separator line between groups.
using LayoutEntry = std::optional<Command>;
inline constexpr std::nullopt_t kLine = std::nullopt;
struct MenuEntry {
    const char* title;
    std::span<const LayoutEntry> entries;
};
std::span<const MenuEntry> MainMenus();
std::span<const LayoutEntry> MainToolbar();

}  // namespace tavel
