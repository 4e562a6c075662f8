#include "design/ButtonStyleList.h"

#include "design/ButtonLine.h"
#include "platform/FileError.h"
#include "platform/FolderListing.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace tavel {

ButtonStyleList::ButtonStyleList() : entries_{kNone} {}

void ButtonStyleList::Fill(const std::string& folder) {
    entries_.assign(1, kNone);
    selected_.reset();
    folder_ = folder;
    while (folder_.size() > 1 && IsPathSeparator(folder_.back())) folder_.pop_back();
    std::vector<std::string> names = FilesWithExtension(folder_, ".jpg");
    for (std::string& name : names) name.resize(name.size() - 4);
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
    if (FileExists(currentPath_)) picture_ = ReadFileBytes(currentPath_);
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
