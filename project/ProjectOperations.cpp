#include "project/ProjectOperations.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/GenerateCode.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"

namespace tavel {

void SaveProjectTexts(Workspace& workspace, Preview& preview, const std::string& folder) {
    const auto path = [&](std::string_view name) {
        return folder.empty() ? workspace.ProgramPath(std::string("system\\") + std::string(name))
                              : JoinPath(folder, name);
    };
    // Asked before anything is written, so No leaves every file as it was.
    workspace.ConfirmScriptWrite(path(projectfile::kScript));
    if (!folder.empty()) CreateFolderIfMissing(folder);
    GenerateCode(workspace, preview);
    const ProjectTexts& texts = workspace.Texts();
    WriteTextFile(path(projectfile::kScript), texts.script);
    WriteTextFile(path(projectfile::kPage), texts.page);
    WriteTextFile(path(projectfile::kStyleSheet), texts.styleSheet);
    WriteTextFile(path(projectfile::kRuntime), texts.runtime);
    workspace.MarkSaved();
}

}  // namespace tavel
