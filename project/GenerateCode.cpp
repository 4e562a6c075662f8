#include "project/GenerateCode.h"

#include "menu/ScriptWriter.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/Preview.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"

namespace tavel {

void GenerateCode(Workspace& workspace, Preview& preview) {
    const std::string path = workspace.ProjectFilePath(projectfile::kScript);
    // An empty tree leaves temp.js on disk as it was until the next save.
    if (!workspace.Tree().Empty()) workspace.ConfirmScriptWrite(path);
    workspace.Texts().script = WriteMenuScript(workspace.Tree());
    if (workspace.Tree().Empty()) return;

    WriteTextFile(path, workspace.Texts().script);
    if (!workspace.IsDefaultProject()) {
        preview.Navigate(FileLocation(JoinPath(workspace.ProjectFolder(), projectfile::kPage)));
    }
    preview.Reload();
}

}  // namespace tavel
