#include "tools/FileLinkCheck.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

namespace tavel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kOutside = "outside the project folder";

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// The entry of `folder` whose name equals `name` when letter case is ignored.
std::optional<std::string> EntryIgnoringCase(const fs::path& folder, const std::string& name) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (::strcasecmp(entry.c_str(), name.c_str()) == 0) return entry;
    }
    return std::nullopt;
}

// What a web server serves for the path: the file itself, or a folder's
// index page; a file asked for as a folder ("page.htm/") is not served.
LinkResult ServedAt(const fs::path& target, bool asFolder) {
    if (IsFile(target) && !asFolder) return LinkOk();
    if (IsFolder(target)) {
        if (IsFile(target / "index.html") || IsFile(target / "index.htm")) return LinkOk();
        return {LinkResultKind::Broken, "folder without index.html or index.htm"};
    }
    return {LinkResultKind::Broken, "missing file"};
}

}  // namespace

LinkResult CheckFileLink(const std::string& folder, std::string_view path) {
    // Resolved by name as the server does, without asking the disk where
    // ".." leads.
    std::vector<std::string> names;
    size_t levelsUp = 0;
    for (size_t start = 0; start <= path.size();) {
        size_t end = std::min(path.find('/', start), path.size());
        std::string name(path.substr(start, end - start));
        start = end + 1;
        if (name.empty() || name == ".") continue;
        if (name != "..")
            names.push_back(std::move(name));
        else if (!names.empty())
            names.pop_back();
        else
            ++levelsUp;
    }
    const bool asFolder = !path.empty() && path.back() == '/';

    fs::path anchor = fs::path(folder).lexically_normal();
    if (!anchor.has_filename()) anchor = anchor.parent_path();
    for (size_t i = 0; i < levelsUp; ++i) anchor = anchor.parent_path();

    fs::path exact = anchor;
    for (const std::string& name : names) exact /= name;
    LinkResult result = ServedAt(exact, asFolder);

    if (result.text == "missing file") {
        // Walk the names from the anchor, each matched without regard to case.
        fs::path found = anchor;
        std::string spelling(levelsUp * 3, '.');
        for (size_t i = 0; i < levelsUp; ++i) spelling[i * 3 + 2] = '/';
        bool differs = false;
        for (size_t i = 0; i < names.size() && !found.empty(); ++i) {
            std::optional<std::string> entry =
                Exists(found / names[i]) ? std::optional(names[i]) : EntryIgnoringCase(found, names[i]);
            if (!entry) {
                found.clear();
                break;
            }
            differs = differs || *entry != names[i];
            found /= *entry;
            spelling += (i == 0 ? "" : "/") + *entry;
        }
        if (differs && !found.empty() && ServedAt(found, asFolder).kind == LinkResultKind::Ok)
            result = {LinkResultKind::Broken, "differs only in letter case from " + spelling + (asFolder ? "/" : "")};
    }

    if (levelsUp == 0) return result;
    if (result.kind == LinkResultKind::Ok) return {LinkResultKind::Warning, kOutside};
    return {result.kind, result.text + " (" + kOutside + ")"};
}

}  // namespace tavel
