#pragma once

#include <functional>
#include <string>

class QWidget;

namespace tavel {

class Preview;
class UiServices;
class Workspace;

// What the Program Tools window needs of the window it works for: that
// window's project, preview and services, and its way of running a command
// (what the user typed reaches the core first, an error is shown over
// `over`, and the texts it shows follow what the command changed).
class ToolsHost {
public:
    virtual Workspace& Work() = 0;
    virtual UiServices& Services() = 0;
    virtual Preview& PreviewPane() = 0;
    virtual void RunToolCommand(QWidget* over, const std::function<void()>& command) = 0;
    // A plain message over `over`.
    virtual void ToolMessage(QWidget* over, const std::string& text) = 0;
    // A line in the main window's status bar.
    virtual void ToolStatus(const std::string& text) = 0;

protected:
    ~ToolsHost() = default;
};

}  // namespace tavel
