#include "platform/FolderListing.h"

#include "platform/FileError.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <strings.h>

namespace tavel {

std::vector<std::string> FilesWithExtension(const std::string& folder, std::string_view extension) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) throw FileError("Cannot open folder \"" + folder + "\". " + std::strerror(errno), folder);
    const std::string ext(extension);
    std::vector<std::string> names;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > ext.size() && ::strcasecmp(name.c_str() + name.size() - ext.size(), ext.c_str()) == 0 &&
            FileExists(JoinPath(folder, name)))
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = ::strcasecmp(a.c_str(), b.c_str());
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

}  // namespace tavel
