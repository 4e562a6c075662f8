#include "project/PageDesign.h"

#include "design/ButtonStyleList.h"
#include "platform/AtomicFileBatch.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/Preview.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"

namespace tavel {

void WriteStyleRule(Workspace& workspace, Preview& preview, std::string_view selector,
                    const StyleRuleSettings& settings) {
    std::string styleSheet = StyleRuleText(workspace.Texts().styleSheet, selector, settings);
    WriteTextFile(workspace.ProjectFilePath(projectfile::kStyleSheet), styleSheet);
    workspace.Texts().styleSheet = std::move(styleSheet);
    preview.Reload();
}

PageDesignSettings ReadPageDesign(const Workspace& workspace, const std::vector<std::string>& buttonEntries,
                                  const PageDesignSettings& shown) {
    const ProjectTexts& texts = workspace.Texts();
    return ReadPageDesign(texts.styleSheet, texts.runtime, buttonEntries, shown);
}

void ApplyPageDesign(Workspace& workspace, Preview& preview, const PageDesignSettings& settings) {
    PageDesignFiles files;
    files.gaps = ReadTextFile(workspace.ProgramPath(programpath::kGaps));
    if (settings.scheme) {
        // The scheme's name comes from the folder listing and is joined as it
        // stands: a name is not a relative path.
        const std::string scheme = JoinPath(workspace.ProgramPath(programpath::kColourSchemes), *settings.scheme);
        files.schemeStyleSheet = ReadTextFile(scheme + ".css");
        files.styleLines = ReadTextFile(workspace.ProgramPath(programpath::kStyleLines));
        files.schemeLines = ReadTextFile(scheme);
    }
    ProjectTexts& texts = workspace.Texts();
    // A project folder holds its own copy of the button image; the template
    // folder's sheet reaches the buttons folder itself.
    PageDesignSettings chosen = settings;
    if (!workspace.IsDefaultProject())
        chosen.button = ProjectFolderButton(settings.button, settings.scheme ? files.schemeStyleSheet : texts.styleSheet,
                                            workspace.ButtonStyles().Entries());
    const bool copyImage = !workspace.IsDefaultProject() && chosen.button && *chosen.button != ButtonStyleList::kNone;
    std::string picture;
    if (copyImage)
        picture = ReadFileBytes(JoinPath(workspace.ProgramPath(programpath::kButtons), *chosen.button + ".jpg"));

    const ButtonLineForm form = workspace.IsDefaultProject() ? ButtonLineForm::DefaultProject : ButtonLineForm::ProjectFolder;
    DesignTexts applied = ApplyPageDesign({texts.styleSheet, texts.runtime}, chosen, files, form);

    // The files are staged together and put in place together, so a disk
    // that fills up half-way leaves every one of them as it was, and the
    // texts in memory change only once the files hold them.
    AtomicFileBatch batch;
    if (copyImage) batch.Add(workspace.ProjectFilePath(projectfile::kButtonImage), picture);
    batch.Add(workspace.ProjectFilePath(projectfile::kRuntime), applied.runtime);
    batch.Add(workspace.ProjectFilePath(projectfile::kStyleSheet), applied.styleSheet);
    batch.Commit();
    texts.runtime = std::move(applied.runtime);
    texts.styleSheet = std::move(applied.styleSheet);
    preview.Reload();
}

}  // namespace tavel
