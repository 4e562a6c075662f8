#include "project/PageDesign.h"

#include "platform/TextFile.h"
#include "project/Preview.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"

namespace tavel {

void WriteStyleRule(Workspace& workspace, Preview& preview, std::string_view selector,
                    const StyleRuleSettings& settings) {
    std::string& styleSheet = workspace.Texts().styleSheet;
    styleSheet = StyleRuleText(styleSheet, selector, settings);
    WriteTextFile(workspace.ProjectFilePath(projectfile::kStyleSheet), styleSheet);
    preview.Reload();
}

}  // namespace tavel
