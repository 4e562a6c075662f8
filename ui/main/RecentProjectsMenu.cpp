#include "ui/main/RecentProjectsMenu.h"

#include "project/RecentProjects.h"
#include "ui/common/LocalText.h"
#include "ui/common/ProgramSettings.h"

#include <QAction>
#include <QCursor>
#include <QDir>
#include <QMenu>
#include <QSettings>

namespace tavel {
namespace {

constexpr const char* kFoldersKey = "RecentProjects/folders";

}  // namespace

RecentProjectsMenu::RecentProjectsMenu(QAction& action, QWidget& window,
                                       std::function<void(const std::string& folder)> open,
                                       std::function<void(const QString& line)> say)
    : QObject(&window), menu_(new QMenu(&window)), open_(std::move(open)), say_(std::move(say)) {
    menu_->setObjectName("RecentProjectsMenu");
    action.setMenu(menu_);
    connect(menu_, &QMenu::aboutToShow, this, &RecentProjectsMenu::Refresh);
    Fill(Folders());
}

std::vector<std::string> RecentProjectsMenu::Folders() const {
    std::vector<std::string> folders;
    for (const QString& folder : QSettings(kSettingsOwner, kSettingsOwner).value(kFoldersKey).toStringList())
        folders.push_back(Bytes(folder));
    return folders;
}

void RecentProjectsMenu::Store(const std::vector<std::string>& folders) {
    QStringList list;
    for (const std::string& folder : folders) list << Shown(folder);
    QSettings(kSettingsOwner, kSettingsOwner).setValue(kFoldersKey, list);
}

void RecentProjectsMenu::Remember(const std::string& folder) {
    if (folder.empty()) return;
    const std::vector<std::string> folders = WithRecentProject(Folders(), folder);
    Store(folders);
    Fill(folders);
}

void RecentProjectsMenu::Refresh() {
    const RecentProjectsCheck check = CheckRecentProjects(Folders(), HoldsProject);
    if (!check.gone.empty()) {
        Store(check.kept);
        say_(Shown(GoneProjectsLine(check.gone)));
    }
    Fill(check.kept);
}

void RecentProjectsMenu::Popup() {
    Refresh();
    menu_->popup(QCursor::pos());
}

void RecentProjectsMenu::Fill(const std::vector<std::string>& folders) {
    menu_->clear();
    for (size_t i = 0; i < folders.size(); ++i) {
        const std::string folder = folders[i];
        QString shown = QDir::toNativeSeparators(QDir::cleanPath(Shown(folder)));
        QAction* entry = menu_->addAction(QString("&%1 %2").arg(i + 1).arg(shown.replace('&', "&&")));
        entry->setStatusTip(Shown(folder));
        connect(entry, &QAction::triggered, this, [this, folder] { open_(folder); });
    }
    if (folders.empty()) menu_->addAction("No projects yet")->setEnabled(false);
}

}  // namespace tavel
