#include "project/GenerateCode.h"

#include "menu/ScriptWriter.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/Preview.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"

namespace tavel {

void GenerateCode(Workspace& workspace, Preview& preview) {
    std::string script = WriteMenuScript(workspace.Tree());
    // An empty tree leaves temp.js on disk as it was until the next save.
    if (!workspace.Tree().Empty()) {
        const std::string path = workspace.ProjectFilePath(projectfile::kScript);
        workspace.ConfirmScriptWrite(path);
        WriteTextFile(path, script);
        workspace.ScriptWritten(path);
    }
    workspace.Texts().script = std::move(script);
    ShowGeneratedCode(workspace, preview);
}

void ShowGeneratedCode(const Workspace& workspace, Preview& preview) {
    if (workspace.Tree().Empty()) return;
    if (!workspace.IsDefaultProject())
        preview.Navigate(FileLocation(JoinPath(workspace.ProjectFolder(), projectfile::kPage)));
    preview.Reload();
}

}  // namespace tavel
