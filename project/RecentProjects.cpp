#include "project/RecentProjects.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/ProgramFolder.h"

#include <algorithm>

namespace tavel {

std::vector<std::string> WithRecentProject(std::vector<std::string> recent, const std::string& folder) {
    if (folder.empty()) return recent;
    const std::string key = WithFinalSeparator(folder);
    std::erase_if(recent, [&](const std::string& entry) { return WithFinalSeparator(entry) == key; });
    recent.insert(recent.begin(), folder);
    if (recent.size() > kRecentProjectsKept) recent.resize(kRecentProjectsKept);
    return recent;
}

RecentProjectsCheck CheckRecentProjects(const std::vector<std::string>& recent,
                                        const std::function<bool(const std::string& folder)>& holdsProject) {
    RecentProjectsCheck check;
    for (const std::string& folder : recent) (holdsProject(folder) ? check.kept : check.gone).push_back(folder);
    return check;
}

bool HoldsProject(const std::string& folder) { return FileExists(JoinPath(folder, projectfile::kScript)); }

std::string GoneProjectsLine(const std::vector<std::string>& gone) {
    if (gone.empty()) return {};
    std::string line = gone.size() == 1 ? "Taken off the recent projects, since it is no longer there: "
                                        : "Taken off the recent projects, since they are no longer there: ";
    for (size_t i = 0; i < gone.size(); ++i) line += (i == 0 ? "" : ", ") + gone[i];
    return line;
}

}  // namespace tavel
