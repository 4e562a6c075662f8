#include "project/UserFolder.h"

#include "platform/AtomicFileBatch.h"
#include "platform/FileError.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"

#include <filesystem>

namespace tavel {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemplateFiles[] = {programpath::kTemplateScript, programpath::kTemplatePage,
                                               programpath::kTemplateStyleSheet, programpath::kTemplateRuntime};

// The user's folder may be the first thing below a data home that does not
// exist yet either, so every missing level is made.
void CreateFolders(const std::string& folder) {
    std::string path;
    for (const fs::path& part : fs::path(folder)) {
        path = (fs::path(path) / part).string();
        if (part != "/" && !part.empty()) CreateFolderIfMissing(path);
    }
}

void CopyShippedTemplates(const Workspace& workspace, bool overWhatIsThere) {
    CreateFolders(workspace.TemplatePath(""));
    // Everything is read before anything is written, so a shipped file that
    // cannot be read leaves the user's files as they were.
    AtomicFileBatch batch;
    std::vector<std::pair<std::string, std::string>> copies;
    for (std::string_view file : kTemplateFiles) {
        const std::string target = workspace.UserPath(file);
        if (overWhatIsThere || !FileExists(target)) copies.emplace_back(target, ReadFileBytes(workspace.ProgramPath(file)));
    }
    for (const auto& [target, bytes] : copies) batch.Add(target, bytes);
    batch.Commit();
}

// A link of the program's own is put right when it points elsewhere (the
// program moved); a folder or file of the user's is left alone.
void LinkShippedButtons(const Workspace& workspace) {
    const fs::path link = fs::path(workspace.UserFolder()) / "buttons";
    const fs::path target = fs::path(workspace.ProgramFolder()) / "buttons";
    std::error_code error;
    const fs::file_status status = fs::symlink_status(link, error);
    if (fs::is_symlink(status) && fs::read_symlink(link, error) != target) fs::remove(link, error);
    else if (fs::exists(status)) return;
    fs::create_directory_symlink(target, link, error);
    if (error)
        throw FileError("Cannot link \"" + link.string() + "\" to \"" + target.string() + "\". " + error.message(),
                        link.string());
}

}  // namespace

void PrepareUserFolder(const Workspace& workspace) {
    if (workspace.Portable()) return;
    CopyShippedTemplates(workspace, false);
    LinkShippedButtons(workspace);
}

std::string RestoreDefaultProjectQuestion(const Workspace& workspace) {
    std::string question = "Replace your default project with the one that comes with the program?\n\n"
                           "The files temp.js, index.htm, stt.css and sys.js in \"" +
                           workspace.TemplatePath("") +
                           "\" are replaced; New Menu and the next start begin from them. "
                           "Projects saved elsewhere and your own styles stay as they are.";
    if (workspace.IsDefaultProject() && workspace.Modified())
        question += "\n\nThe changes to the open default project are lost.";
    return question;
}

StartupLoadResult RestoreDefaultProject(Workspace& workspace, Preview& preview) {
    if (workspace.Portable()) return {};
    CopyShippedTemplates(workspace, true);
    LinkShippedButtons(workspace);
    if (!workspace.IsDefaultProject()) return {};
    return LoadDefaultProject(workspace, preview);
}

}  // namespace tavel
