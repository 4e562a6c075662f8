#include "project/ExternalBrowserTarget.h"

#include "platform/Paths.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"

namespace tavel {

std::string ExternalBrowserTarget(const Workspace& workspace) {
    if (workspace.IsDefaultProject()) return workspace.UserPath(programpath::kTemplatePage);
    return FileLocation(JoinPath(workspace.ProjectFolder(), projectfile::kPage));
}

}  // namespace tavel
