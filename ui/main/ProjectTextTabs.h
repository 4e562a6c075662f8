#pragma once

#include "project/Workspace.h"

#include <QObject>

#include <initializer_list>
#include <string>
#include <vector>

class QPlainTextEdit;
class QTabWidget;

namespace tavel {

class CommandActions;

// The project's four texts in editors on the tabs "Database", "index.htm"
// and "Style.css" (the runtime script lies unseen on the style sheet's tab).
// What the user types stays in an editor until Flush hands it to the core;
// Refresh shows the core's texts again.
class ProjectTextTabs : public QObject {
    Q_OBJECT

public:
    using Text = std::string ProjectTexts::*;

    // Adds the three tabs to `pages`, after the tabs already there, and
    // connects See code of `actions`, which shows the script's tab.
    ProjectTextTabs(ProjectTexts& texts, QTabWidget& pages, CommandActions& actions);

    // An edit changes the project text itself; it is not a tree change, so
    // the modified flag stays as it is.
    void Flush();
    void Refresh();
    void Refresh(const std::vector<Text>& only);

    // Refreshes the texts it names when it goes out of scope, however the
    // command ends: a command that rebuilds a text and then fails to write
    // it still shows the text it built.
    class RefreshOnExit {
    public:
        RefreshOnExit(ProjectTextTabs& tabs, std::initializer_list<Text> texts) : tabs_(tabs), texts_(texts) {}
        ~RefreshOnExit() { tabs_.Refresh(texts_); }
        RefreshOnExit(const RefreshOnExit&) = delete;
        RefreshOnExit& operator=(const RefreshOnExit&) = delete;

    private:
        ProjectTextTabs& tabs_;
        std::vector<Text> texts_;
    };

private:
    void ShowScript();

    struct Editor {
        QPlainTextEdit* editor;
        Text text;
        bool edited = false;
    };
    QPlainTextEdit* AddEditor(Text text);
    void Show(Editor& editor);

    ProjectTexts& texts_;
    QTabWidget& pages_;
    std::vector<Editor> editors_;
    bool refreshing_ = false;
};

}  // namespace tavel
