#include "project/Workspace.h"

#include "platform/Paths.h"

namespace tavel {

Workspace::Workspace(std::string programFolder) : programFolder_(std::move(programFolder)) {
    if (programFolder_.empty() || !IsPathSeparator(programFolder_.back()))
        programFolder_ += kPathSeparator;
}

void Workspace::SetProject(std::string folder, std::string name) {
    projectFolder_ = std::move(folder);
    projectName_ = std::move(name);
}

void Workspace::MarkModified() {
    modified_ = true;
    saveEnabled_ = true;
}

void Workspace::MarkSaved() { modified_ = false; }

std::string Workspace::ProgramPath(std::string_view relative) const {
    return ResolveProgramPath(programFolder_, relative);
}

std::string Workspace::ProjectFilePath(std::string_view name) const {
    if (IsDefaultProject()) return ProgramPath(std::string("system\\") + std::string(name));
    return JoinPath(projectFolder_, name);
}

}  // namespace tavel
