#include "project/ProjectOperations.h"

#include "design/ButtonLine.h"
#include "design/ButtonStyleList.h"
#include "menu/ScriptReader.h"
#include "menu/ScriptWriter.h"
#include "platform/AtomicFileBatch.h"
#include "platform/FileError.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WriteJournal.h"
#include "project/GenerateCode.h"
#include "project/Preview.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"

#include <filesystem>

namespace tavel {
namespace {

constexpr std::string_view kProjectFiles[] = {projectfile::kScript, projectfile::kPage, projectfile::kStyleSheet,
                                              projectfile::kRuntime};

// The four texts in the order they are read and written.
std::string ProjectTexts::* const kTextOfFile[] = {&ProjectTexts::script, &ProjectTexts::page,
                                                    &ProjectTexts::styleSheet, &ProjectTexts::runtime};

// The folder the open project's files live in, the template folder included.
std::string OpenProjectFolder(const Workspace& workspace) {
    return FolderOfPath(workspace.ProjectFilePath(projectfile::kScript));
}

}  // namespace

ProjectSave::ProjectSave(Workspace& workspace, const std::string& folder, AtomicFileBatch& batch)
    : workspace_(workspace) {
    const auto path = [&](std::string_view name) {
        return folder.empty() ? workspace.TemplatePath(name) : JoinPath(folder, name);
    };
    scriptPath_ = path(projectfile::kScript);
    // Asked before anything is written, so No leaves every file as it was.
    workspace.ConfirmScriptWrite(scriptPath_);
    script_ = WriteMenuScript(workspace.Tree());
    if (!folder.empty()) batch.AddFolder(folder);
    ProjectTexts texts = workspace.Texts();
    texts.script = script_;
    for (size_t i = 0; i < std::size(kProjectFiles); ++i) batch.Add(path(kProjectFiles[i]), texts.*kTextOfFile[i]);
}

void ProjectSave::Finish(Preview& preview) {
    workspace_.Texts().script = std::move(script_);
    workspace_.ScriptWritten(scriptPath_);
    workspace_.MarkSaved();
    ShowGeneratedCode(workspace_, preview);
}

void SaveProjectTexts(Workspace& workspace, Preview& preview, const std::string& folder) {
    AtomicFileBatch batch;
    ProjectSave save(workspace, folder, batch);
    batch.Commit();
    save.Finish(preview);
}

std::string ProjectTitle(std::string_view projectName) { return kApplicationTitle + std::string(" - ") + std::string(projectName); }

const char* SaveCommandHint(bool modified) {
    return modified ? "Save project to the current file" : "Project has not been modified!";
}

std::optional<std::string> SaveChangesQuestion(const Workspace& workspace) {
    if (!workspace.Modified()) return std::nullopt;
    // A project saved under an empty name lives in the folder itself; calling
    // it the default project would promise a save into the templates.
    const std::string& name = workspace.ProjectName().empty() ? workspace.ProjectFolder() : workspace.ProjectName();
    if (name.empty()) return std::string("Save changes to this default project?");
    return "Save changes to this project, \"" + name + "\"?";
}

SaveChangesStep StepAfterAnswer(const Workspace& workspace, SaveAnswer answer) {
    switch (answer) {
        case SaveAnswer::Yes:
            return workspace.IsDefaultProject() ? SaveChangesStep::SaveAs : SaveChangesStep::SaveProjectFolder;
        case SaveAnswer::No:
            return SaveChangesStep::GoOn;
        case SaveAnswer::Cancel:
            break;
    }
    return SaveChangesStep::Stop;
}

std::string SaveAsFolder(std::string_view parentFolder, std::string_view name) {
    if (name.empty()) return std::string(parentFolder);
    return JoinPath(parentFolder, name);
}

std::vector<std::string> OtherProjectFiles(const Workspace& workspace, const std::string& folder) {
    std::vector<std::string> found;
    if (!FolderExists(folder) || SameFolder(folder, OpenProjectFolder(workspace))) return found;
    for (std::string_view name : kProjectFiles)
        if (FileExists(JoinPath(folder, name))) found.emplace_back(name);
    return found;
}

std::string ReplaceProjectQuestion(const std::string& folder, const std::vector<std::string>& files) {
    std::string list;
    for (const std::string& file : files) list += (list.empty() ? "" : ", ") + file;
    // New Menu also asks this about the open project's own folder and the
    // template folder, so the wording must not assume the files are another
    // project's.
    return "The folder \"" + folder + "\" already holds a project (" + list +
           ").\n\nReplace these files?";
}

void SaveProjectAs(Workspace& workspace, Preview& preview, ButtonStyleList& buttons, const std::string& folder,
                   const std::string& name) {
    // Everything is prepared on copies; the workspace and the button list
    // change only once every file is written. Generate code is not run as
    // such: it would write temp.js into the project being left.
    ProjectTexts texts = workspace.Texts();
    texts.script = WriteMenuScript(workspace.Tree());
    ButtonStyleList chosen = buttons;
    bool writePicture = false;
    if (ReadButtonLine(texts.styleSheet).hasMarker) {
        chosen.FromStyleSheet(texts.styleSheet);
        // With no entry named by the line and none selected there is nothing
        // to rebuild the line from: it stays as written and no image goes
        // with it.
        if (const std::optional<size_t> entry = chosen.Selected()) {
            SetButtonLine(texts.styleSheet, ButtonLineForm::ProjectFolder, chosen.Entries()[*entry]);
            writePicture = true;
        }
    }
    // Staged together and put in place together: a write that fails leaves
    // the folder as it was, not half this project and half another.
    AtomicFileBatch batch;
    batch.AddFolder(folder);
    for (size_t i = 0; i < std::size(kProjectFiles); ++i) batch.Add(JoinPath(folder, kProjectFiles[i]), texts.*kTextOfFile[i]);
    if (writePicture && chosen.HasPicture()) batch.Add(JoinPath(folder, projectfile::kButtonImage), chosen.Picture());
    batch.Commit();

    workspace.Texts() = std::move(texts);
    buttons = std::move(chosen);
    // The whole tree is in the new folder's script now, even where that is
    // the file the tree was once only partly read from.
    workspace.ScriptWritten(JoinPath(folder, projectfile::kScript));
    workspace.SetProject(folder, name);
    workspace.MarkSaved();
    preview.Navigate("file:///" + JoinPath(folder, projectfile::kPage));
}

ChosenProject ProjectOfChosenFile(const std::string& chosenFile) {
    ChosenProject chosen{FolderOfPath(chosenFile), ParentFolderName(chosenFile)};
    if (chosen.name.empty()) chosen.name = chosen.folder;
    return chosen;
}

OpenResult OpenProject(Workspace& workspace, Preview& preview, const std::string& chosenFile) {
    auto [folder, name] = ProjectOfChosenFile(chosenFile);
    if (folder.empty()) throw FileError("Cannot open \"" + chosenFile + "\": it names no folder.", chosenFile);
    // A save cut short is finished or undone before the files are read.
    if (std::string repaired = RecoverInterruptedWrites(folder); !repaired.empty())
        AddWriteNotice(std::move(repaired));

    ProjectTexts texts;
    std::vector<std::string> failures;
    for (size_t i = 0; i < std::size(kProjectFiles); ++i) {
        try {
            texts.*kTextOfFile[i] = ReadTextFile(JoinPath(folder, kProjectFiles[i]));
        } catch (const FileError& error) {
            failures.push_back(error.what());
        }
    }
    if (!failures.empty()) {
        std::string message = "The project in \"" + folder + "\" was not opened; these files could not be read:";
        for (const std::string& failure : failures) message += "\n\n" + failure;
        throw FileError(message, folder);
    }

    workspace.SetProject(folder, name);
    workspace.Texts() = std::move(texts);
    const std::string scriptPath = JoinPath(folder, projectfile::kScript);
    const ScriptReadResult read = workspace.RebuildTreeFromScript(scriptPath);
    workspace.MarkSaved();
    const std::string page = JoinPath(folder, projectfile::kPage);
    preview.Navigate(FileLocation(page));

    OpenResult result;
    result.warnings = ScriptReadWarnings(read, workspace.Texts().script, scriptPath);
    return result;
}

std::string ProjectFolderNamed(const std::string& path) {
    // An empty path would be the working folder, which nobody named.
    std::error_code ignored;
    const std::string absolute =
        path.empty() ? path : std::filesystem::absolute(path, ignored).lexically_normal().string();
    if (FolderExists(absolute)) return WithFinalSeparator(absolute);
    if (FileExists(absolute)) {
        if (absolute != FolderOfPath(absolute) + std::string(projectfile::kPage))
            throw FileError("\"" + path + "\" is a file, not a project folder (name the folder, or its " +
                                std::string(projectfile::kPage) + ").",
                            path);
        return FolderOfPath(absolute);
    }
    throw FileError("There is no project folder \"" + path + "\".", path);
}

OpenResult OpenNamedProject(Workspace& workspace, Preview& preview, const std::string& path) {
    return OpenProject(workspace, preview, JoinPath(ProjectFolderNamed(path), projectfile::kPage));
}

std::vector<std::string> ScriptReadWarnings(const ScriptReadResult& read, std::string_view script,
                                            const std::string& path) {
    std::vector<std::string> warnings;
    if (read.truncated)
        warnings.push_back("The menu data script \"" + path + "\" asks for a larger menu than can be read; only its first " +
                           std::to_string(read.items) + " items were read.");
    if (auto warning = UnreadScriptWarning(script, read.items, path)) {
        warnings.push_back(std::move(*warning));
    } else if (read.droppedLines != 0) {
        warnings.push_back(DroppedLinesWarning(read, path));
    }
    return warnings;
}

std::string DroppedLinesWarning(const ScriptReadResult& read, const std::string& path) {
    const bool one = read.droppedLines == 1;
    return (one ? std::string("1 line") : std::to_string(read.droppedLines) + " lines") + " of the menu data script \"" +
           path + "\" " + (one ? "holds" : "hold") + " no menu item that this program can read; saving the project " +
           "will drop " + (one ? "it" : "them") + ". The first is line " + std::to_string(read.firstDroppedLine) +
           ": " + read.firstDropped;
}

std::optional<std::string> UnreadScriptWarning(std::string_view script, size_t itemsRead, const std::string& path) {
    if (itemsRead > 0) return std::nullopt;
    if (script.find_first_not_of(" \t\r\n") == std::string_view::npos) return std::nullopt;
    if (script == WriteMenuScript(MenuTree())) return std::nullopt;
    return "The menu data script \"" + path +
           "\" holds text but no menu item that this program can read. Saving the project will replace it "
           "with an empty menu.";
}

}  // namespace tavel
