#include "project/Workspace.h"

#include "platform/Paths.h"
#include "project/CommandDeclined.h"
#include "project/ProgramFolder.h"
#include "project/Prompts.h"

namespace tavel {

Workspace::Workspace(std::string programFolder) : Workspace(programFolder, programFolder) {}

Workspace::Workspace(std::string programFolder, std::string userFolder)
    : programFolder_(WithFinalSeparator(std::move(programFolder))), userFolder_(WithFinalSeparator(std::move(userFolder))) {}

void Workspace::SetProject(std::string folder, std::string name) {
    projectFolder_ = std::move(folder);
    projectName_ = std::move(name);
    if (projectListener_) projectListener_();
}

void Workspace::MarkModified() {
    modified_ = true;
    saveEnabled_ = true;
    history_.ForgetClean();
    EditStateChanged();
}

void Workspace::MarkSaved() {
    modified_ = false;
    history_.SetClean();
    EditStateChanged();
}

void Workspace::SetSaveEnabled(bool enabled) {
    saveEnabled_ = enabled;
    EditStateChanged();
}

void Workspace::FollowHistory() {
    modified_ = !history_.AtCleanPoint();
    saveEnabled_ = true;
    EditStateChanged();
}

void Workspace::ClearHistory() {
    history_.Clear();
    if (modified_) history_.ForgetClean();
    EditStateChanged();
}

void Workspace::EditStateChanged() {
    if (editStateListener_) editStateListener_();
}

ScriptReadResult Workspace::RebuildTreeFromScript(const std::string& path, const ScriptReadLimits& limits) {
    const ScriptReadResult read = LoadTreeFromScript(texts_.script, tree_, limits);
    ClearHistory();
    if (read.truncated)
        RememberPartlyRead(path, read.items);
    else
        ForgetPartlyRead();
    return read;
}

void Workspace::RememberPartlyRead(std::string path, size_t itemsRead) {
    partlyReadPath_ = std::move(path);
    partlyReadItems_ = itemsRead;
}

void Workspace::ConfirmScriptWrite(const std::string& path) {
    if (partlyReadPath_.empty() || path != partlyReadPath_) return;
    if (prompts_ == nullptr || !prompts_->ConfirmWriteOverPartlyRead(path, partlyReadItems_)) throw CommandDeclined();
}

void Workspace::ScriptWritten(const std::string& path) {
    if (path == partlyReadPath_) partlyReadPath_.clear();
}

std::string Workspace::ProgramPath(std::string_view relative) const {
    return ResolveProgramPath(programFolder_, relative);
}

std::string Workspace::UserPath(std::string_view relative) const { return ResolveProgramPath(userFolder_, relative); }

std::string Workspace::TemplatePath(std::string_view name) const {
    return UserPath(std::string(programpath::kTemplateFolder) + std::string(name));
}

std::string Workspace::ProjectFilePath(std::string_view name) const {
    if (IsDefaultProject()) return TemplatePath(name);
    return JoinPath(projectFolder_, name);
}

}  // namespace tavel
