#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace tavel {

// File > Recent projects: the projects opened or saved lately, newest
// first, kept in the program's settings across runs. Each time the menu
// opens, a project that is no longer there is taken off the list and the
// status bar says so.
class RecentProjectsMenu : public QObject {
    Q_OBJECT

public:
    // The menu hangs on `action`; choosing an entry calls `open` with its
    // folder, and `say` puts a line into the status bar.
    RecentProjectsMenu(QAction& action, QWidget& window, std::function<void(const std::string& folder)> open,
                       std::function<void(const QString& line)> say);

    // The open project goes to the top of the list; the default project
    // (an empty folder) is none to come back to.
    void Remember(const std::string& folder);
    // Shows the list as it now is, the projects gone taken off.
    void Refresh();
    void Popup();

    std::vector<std::string> Folders() const;

private:
    void Store(const std::vector<std::string>& folders);
    void Fill(const std::vector<std::string>& folders);

    QMenu* menu_ = nullptr;
    std::function<void(const std::string&)> open_;
    std::function<void(const QString&)> say_;
};

}  // namespace tavel
