#include "design/ButtonStyleList.h"

#include "design/ButtonLine.h"
#include "platform/FileError.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <strings.h>

namespace tavel {
namespace {

bool IsJpegName(const std::string& name) {
    return name.size() > 4 && ::strcasecmp(name.c_str() + name.size() - 4, ".jpg") == 0;
}

// The picture is kept byte for byte: no line breaks are touched.
std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError("Cannot open file \"" + path + "\". " + std::strerror(errno), path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

ButtonStyleList::ButtonStyleList() : entries_{kNone} {}

void ButtonStyleList::Fill(const std::string& folder) {
    entries_.assign(1, kNone);
    selected_.reset();
    folder_ = folder;
    while (folder_.size() > 1 && IsPathSeparator(folder_.back())) folder_.pop_back();
    DIR* dir = ::opendir(folder_.c_str());
    if (dir == nullptr) throw FileError("Cannot open folder \"" + folder_ + "\". " + std::strerror(errno), folder_);
    std::vector<std::string> names;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (IsJpegName(name) && FileExists(JoinPath(folder_, name))) names.push_back(name.substr(0, name.size() - 4));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = ::strcasecmp(a.c_str(), b.c_str());
        return order != 0 ? order < 0 : a < b;
    });
    entries_.insert(entries_.end(), names.begin(), names.end());
}

void ButtonStyleList::Select(size_t entry) {
    if (entry < entries_.size()) selected_ = entry;
}

std::optional<size_t> ButtonStyleList::Find(std::string_view name) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i] == name) return i;
    return std::nullopt;
}

void ButtonStyleList::LoadSelected() {
    if (!selected_) return;
    const std::string& entry = entries_[*selected_];
    currentPath_ = JoinPath(folder_, entry + ".jpg");
    if (FileExists(currentPath_)) picture_ = ReadBytes(currentPath_);
    if (*selected_ == 0) picture_.clear();
}

void ButtonStyleList::FromStyleSheet(std::string_view styleSheet) {
    const ButtonLineName line = ReadButtonLine(styleSheet);
    if (!line.hasMarker) {
        selected_ = 0;
        picture_.clear();
        return;
    }
    if (!line.name) return;
    if (std::optional<size_t> entry = Find(*line.name)) {
        selected_ = entry;
        LoadSelected();
    }
}

void ButtonStyleList::WritePicture(const std::string& path) const {
    if (!picture_.empty()) WriteTextFile(path, picture_);
}

std::optional<std::string> ButtonStyleList::ImageToEdit() const {
    if (!currentPath_.empty() && FileExists(currentPath_)) return currentPath_;
    return std::nullopt;
}

}  // namespace tavel
