#pragma once

#include "ui/main/ActionTable.h"

#include <array>
#include <functional>

class QAction;
class QWidget;

namespace tavel {

class CommandRunner;

// The main window's actions, one per command of the action table, each with
// the table's caption, hint, shortcut and icon. The part of the window that
// runs a command connects it here when the part is made, so a new command
// touches the table and that part and nothing else.
class CommandActions {
public:
    // The actions belong to `window`, so their shortcuts reach it.
    CommandActions(QWidget& window, CommandRunner& runner);

    QAction* Of(Command command) const { return actions_[static_cast<size_t>(command)]; }
    // Runs `handler` as a command (through the runner, which reports what
    // ends it) whenever the command's action is triggered.
    void On(Command command, std::function<void()> handler);

private:
    CommandRunner& runner_;
    std::array<QAction*, kCommandCount> actions_{};
};

}  // namespace tavel
