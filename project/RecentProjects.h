#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tavel {

// The projects the user worked on lately, newest first, as the File menu
// offers them: folders, each at most once.
inline constexpr size_t kRecentProjectsKept = 8;

// The list with `folder` in front: the same folder further down goes (it
// may be spelled with or without its final separator), and the oldest
// beyond kRecentProjectsKept fall off. The default project (an empty
// folder) is no project to come back to and leaves the list as it is.
std::vector<std::string> WithRecentProject(std::vector<std::string> recent, const std::string& folder);

// The list split into the projects still there and those gone: a folder
// that no longer holds a menu data script has nothing left to open.
struct RecentProjectsCheck {
    std::vector<std::string> kept;
    std::vector<std::string> gone;
};
RecentProjectsCheck CheckRecentProjects(const std::vector<std::string>& recent,
                                        const std::function<bool(const std::string& folder)>& holdsProject);
bool HoldsProject(const std::string& folder);

// The status bar's line about the projects taken off the list; empty when
// none was.
std::string GoneProjectsLine(const std::vector<std::string>& gone);

}  // namespace tavel
