#include "ui/main/NewMenuCommand.h"

#include <optional>

#include "platform/Paths.h"
#include "project/ApplicationTitle.h"
#include "project/NewMenu.h"
#include "project/Preview.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"
#include "ui/main/CommandActions.h"
#include "ui/main/CommandRunner.h"
#include "ui/main/ProjectFileCommands.h"
#include "ui/main/ProjectTextTabs.h"
#include "ui/newmenu/NewMenuDialog.h"

namespace tavel {

NewMenuCommand::NewMenuCommand(Workspace& workspace, Preview& preview, UiServices& services, CommandRunner& runner,
                               CommandActions& actions, ProjectTextTabs& texts, ProjectFileCommands& files,
                               QWidget& window)
    : workspace_(workspace),
      preview_(preview),
      services_(services),
      runner_(runner),
      texts_(texts),
      files_(files),
      window_(window) {
    actions.On(Command::NewMenu, [this] { Run(); });
}

void NewMenuCommand::Run() {
    if (!files_.ConfirmSaveChanges()) return;
    dialog_->ListUserStyles();
    // Neither No to the replace question nor a failed write ends the
    // command: the user goes back to the dialog, its fields as they were, to
    // pick another name or folder or to mend the cause. Only Close ends it.
    while (services_.RunDialog(*dialog_)) {
        const StyleChoice style = dialog_->SelectedStyle();
        if (dialog_->Chosen() == NewMenuDialog::Choice::SkinOnly) {
            if (!runner_.Attempt([&] { RestyleProject(workspace_, preview_, style); })) continue;
            texts_.Refresh();
            runner_.PlainMessage("Style has been modified!");
            preview_.Reload();
            return;
        }
        std::optional<NewMenuPlan> plan;
        if (!runner_.Attempt([&] { plan = PrepareNewMenu(workspace_, dialog_->Directory(), dialog_->MenuCaption(), style); }))
            continue;
        if (!ConfirmReplacing(plan->replacedFiles)) continue;
        if (!runner_.Attempt([&] { CreateNewMenu(workspace_, preview_, *plan); })) continue;
        workspace_.ClearHistory();
        files_.ShowProjectTitle();
        texts_.Refresh();
        runner_.PlainMessage("Menu was succesfully created!");
        preview_.Reload();
        return;
    }
}

// A new menu starts empty: whatever menu the folder holds would be lost, so
// this asks as Save as does before replacing a project's files.
bool NewMenuCommand::ConfirmReplacing(const std::vector<std::string>& replacedFiles) {
    if (replacedFiles.empty()) return true;
    const std::string folder = FolderOfPath(replacedFiles.front());
    std::vector<std::string> names;
    for (const std::string& path : replacedFiles) names.push_back(path.substr(FolderOfPath(path).size()));
    return services_.Ask(&window_, kApplicationTitle, Shown(ReplaceProjectQuestion(folder, names)),
                         QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No,
                         QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace tavel
