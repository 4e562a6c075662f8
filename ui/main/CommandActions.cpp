#include "ui/main/CommandActions.h"

#include "ui/main/CommandRunner.h"

#include <QAction>
#include <QWidget>

namespace tavel {

CommandActions::CommandActions(QWidget& window, CommandRunner& runner) : runner_(runner) {
    for (const ActionEntry& row : MainActions()) {
        auto* action = new QAction(QIcon(QString(":/icons/%1.svg").arg(row.icon)), row.caption, &window);
        action->setObjectName(row.name);
        action->setToolTip(row.hint);
        action->setStatusTip(row.hint);
        if (*row.shortcut) action->setShortcuts(QKeySequence::listFromString(row.shortcut, QKeySequence::PortableText));
        window.addAction(action);
        actions_.at(static_cast<size_t>(row.command)) = action;
    }
}

void CommandActions::On(Command command, std::function<void()> handler) {
    QObject::connect(Of(command), &QAction::triggered, Of(command),
                     [this, handler = std::move(handler)] { runner_.Run(handler); });
}

}  // namespace tavel
