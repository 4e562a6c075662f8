#include "platform/Paths.h"

#include <dirent.h>
#include <strings.h>

#include <vector>

namespace tavel {
namespace {

size_t LastSeparator(std::string_view path, size_t before = std::string_view::npos) {
    return path.find_last_of("\\/", before);
}

std::vector<std::string> SplitComponents(std::string_view relative) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : relative) {
        if (IsPathSeparator(c)) {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

// The entry of `folder` whose name equals `name` ignoring case; an exact match
// wins over a case-insensitive one so that a folder holding both keeps them apart.
std::string MatchEntry(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return name;
    std::string found;
    while (dirent* entry = ::readdir(dir)) {
        if (name == entry->d_name) {
            found = name;
            break;
        }
        if (found.empty() && ::strcasecmp(name.c_str(), entry->d_name) == 0) found = entry->d_name;
    }
    ::closedir(dir);
    return found.empty() ? name : found;
}

constexpr std::string_view kBackslashLocation = "file:\\\\\\";
constexpr std::string_view kSlashLocation = "file:///";

}  // namespace

std::string FolderOfPath(std::string_view path) {
    size_t last = LastSeparator(path);
    if (last == std::string_view::npos) return {};
    return std::string(path.substr(0, last + 1));
}

std::string ParentFolderName(std::string_view path) {
    size_t last = LastSeparator(path);
    if (last == std::string_view::npos) return {};
    if (last == 0) return {};
    size_t previous = LastSeparator(path, last - 1);
    if (previous == std::string_view::npos) return std::string(path.substr(0, last));
    return std::string(path.substr(previous + 1, last - previous - 1));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (joined.empty() || !IsPathSeparator(joined.back())) joined += kPathSeparator;
    joined += name;
    return joined;
}

std::string WithFinalSeparator(std::string folder) {
    if (folder.empty() || !IsPathSeparator(folder.back())) folder += kPathSeparator;
    return folder;
}

std::string ResolveProgramPath(std::string_view programFolder, std::string_view relative) {
    std::string path(programFolder);
    for (const std::string& part : SplitComponents(relative)) {
        std::string folder = path;
        if (!folder.empty() && IsPathSeparator(folder.back()) && folder.size() > 1) folder.pop_back();
        path = JoinPath(path, MatchEntry(folder, part));
    }
    return path;
}

std::string LocalPathOfLocation(std::string_view location) {
    if (location.substr(0, kBackslashLocation.size()) == kBackslashLocation)
        return std::string(location.substr(kBackslashLocation.size()));
    if (location.substr(0, kSlashLocation.size()) == kSlashLocation) {
        std::string_view rest = location.substr(kSlashLocation.size());
        // On this platform an absolute path brings its own leading slash.
        if (!rest.empty() && rest.front() == '/') return std::string(rest);
        return "/" + std::string(rest);
    }
    return {};
}

std::string FileLocation(std::string_view path) {
    return std::string(kBackslashLocation) + std::string(path);
}

}  // namespace tavel
