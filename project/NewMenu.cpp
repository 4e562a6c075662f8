#include "project/NewMenu.h"

#include "platform/AtomicFileBatch.h"
#include "platform/FileError.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/Preview.h"
#include "project/ProgramFolder.h"
#include "project/ProjectOperations.h"

#include <algorithm>
#include <filesystem>
#include <strings.h>

namespace tavel {
namespace {

constexpr std::string_view kStyleFileExtension = ".tvs";

std::optional<std::string> ReadIfPresent(const std::string& path) {
    if (!FileExists(path)) return std::nullopt;
    return ReadTextFile(path);
}

std::string UserStylePath(const Workspace& workspace, const std::string& name, std::string_view extension) {
    return workspace.UserPath(std::string(programpath::kUserStyles) + name + std::string(extension));
}

}  // namespace

std::string StyleBasePath(const Workspace& workspace, const StyleChoice& style) {
    if (style.origin == StyleOrigin::User) return workspace.UserPath(std::string(programpath::kUserStyles) + style.name);
    return workspace.ProgramPath(std::string(programpath::kProvidedStyles) + style.name);
}

StyleFiles ReadStyleFiles(const Workspace& workspace, const StyleChoice& style) {
    const std::string base = StyleBasePath(workspace, style);
    StyleFiles files;
    files.styleSheet = ReadIfPresent(base + ".css");
    files.styleFilePath = base + std::string(kStyleFileExtension);
    files.styleFile = ReadIfPresent(files.styleFilePath);
    return files;
}

std::vector<std::string> ListUserStyles(const Workspace& workspace) {
    std::vector<std::string> names;
    const std::string folder = workspace.UserPath(programpath::kUserStyles);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string file = entry.path().filename().string();
        if (file.size() <= kStyleFileExtension.size() || !entry.is_regular_file(error)) continue;
        const size_t stem = file.size() - kStyleFileExtension.size();
        if (::strcasecmp(file.c_str() + stem, std::string(kStyleFileExtension).c_str()) != 0) continue;
        names.push_back(file.substr(0, stem));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string NewMenuFolder(const std::string& directory, const std::string& caption) {
    if (directory.empty()) return caption;
    if (IsPathSeparator(directory.back())) return directory + caption;
    return directory + kPathSeparator + caption;
}

NewMenuPlan PrepareNewMenu(const Workspace& workspace, const std::string& directory, const std::string& caption,
                           const StyleChoice& style) {
    NewMenuPlan plan;
    plan.folder = NewMenuFolder(directory, caption);
    plan.name = caption;
    plan.texts.page = ReadTextFile(workspace.UserPath(programpath::kTemplatePage));
    plan.texts.styleSheet = ReadTextFile(workspace.UserPath(programpath::kTemplateStyleSheet));
    const std::string runtimePath = workspace.UserPath(programpath::kTemplateRuntime);
    plan.texts.runtime = ReadTextFile(runtimePath);

    const StyleFiles files = ReadStyleFiles(workspace, style);
    CheckStyleFits(files, plan.texts.runtime, runtimePath);
    ApplyStyle(files, plan.texts.styleSheet, plan.texts.runtime);

    for (std::string_view file : {projectfile::kScript, projectfile::kPage, projectfile::kStyleSheet, projectfile::kRuntime}) {
        const std::string path = plan.folder.empty() ? workspace.TemplatePath(file) : JoinPath(plan.folder, file);
        if (FileExists(path)) plan.replacedFiles.push_back(path);
    }
    return plan;
}

void CreateNewMenu(Workspace& workspace, Preview& preview, const NewMenuPlan& plan) {
    // The new project is written from a workspace of its own, whose tree is
    // empty; the open one is replaced only once every file is on disk.
    Workspace fresh(workspace.ProgramFolder(), workspace.UserFolder());
    fresh.SetProject(plan.folder, plan.name);
    fresh.Texts() = plan.texts;
    SaveProjectTexts(fresh, preview, plan.folder);

    workspace.Tree().Clear();
    workspace.SetProject(plan.folder, plan.name);
    workspace.Texts() = fresh.Texts();
    workspace.MarkSaved();
    preview.Navigate(FileLocation(workspace.ProjectFilePath(projectfile::kPage)));
}

void RestyleProject(Workspace& workspace, Preview& preview, const StyleChoice& style) {
    const StyleFiles files = ReadStyleFiles(workspace, style);
    ProjectTexts& texts = workspace.Texts();
    CheckStyleFits(files, texts.runtime, workspace.ProjectFilePath(projectfile::kRuntime));

    const std::string oldStyleSheet = texts.styleSheet;
    const std::string oldRuntime = texts.runtime;
    ApplyStyle(files, texts.styleSheet, texts.runtime);
    try {
        SaveProjectTexts(workspace, preview, workspace.ProjectFolder());
    } catch (...) {
        texts.styleSheet = oldStyleSheet;
        texts.runtime = oldRuntime;
        throw;
    }

    std::string page = workspace.IsDefaultProject() ? std::string()
                                                    : JoinPath(workspace.ProjectFolder(), projectfile::kPage);
    if (page.empty() || !FileExists(page)) page = workspace.UserPath(programpath::kTemplatePage);
    preview.Navigate(FileLocation(page));
}

std::string SaveUserStyle(const Workspace& workspace, const std::string& name,
                          const std::vector<std::pair<std::string, std::string>>& entries, const StyleChoice* basis) {
    AtomicFileBatch batch;
    // The folder the user styles' folder sits in; a user folder lacks it at first.
    batch.AddFolder(workspace.UserPath(programpath::kStyles));
    batch.AddFolder(workspace.UserPath(programpath::kUserStyles));
    // A style made from another keeps that style's sheet, so its text
    // colours still suit the colours it took over.
    const bool sameStyle = basis != nullptr && basis->origin == StyleOrigin::User && basis->name == name;
    if (basis != nullptr && !sameStyle) {
        const std::optional<std::string> sheet = ReadIfPresent(StyleBasePath(workspace, *basis) + ".css");
        const std::string sheetPath = UserStylePath(workspace, name, ".css");
        if (sheet)
            batch.Add(sheetPath, *sheet);
        else if (FileExists(sheetPath))
            batch.Remove(sheetPath);
    }
    const std::string path = UserStylePath(workspace, name, kStyleFileExtension);
    batch.Add(path, StyleFileText(entries));
    batch.Commit();
    return path;
}

bool UserStyleExists(const Workspace& workspace, const std::string& name) {
    return FileExists(UserStylePath(workspace, name, kStyleFileExtension));
}

void DeleteUserStyle(const Workspace& workspace, const std::string& name) {
    AtomicFileBatch batch;
    for (std::string_view extension : {kStyleFileExtension, std::string_view(".css"), std::string_view(".jpg")})
        if (const std::string path = UserStylePath(workspace, name, extension); FileExists(path)) batch.Remove(path);
    batch.Commit();
}

}  // namespace tavel
