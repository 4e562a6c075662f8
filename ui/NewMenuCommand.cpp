#include "ui/NewMenuCommand.h"

#include "platform/Paths.h"
#include "project/NewMenu.h"
#include "project/Preview.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"
#include "ui/ApplicationTitle.h"
#include "ui/CommandRunner.h"
#include "ui/LocalText.h"
#include "ui/NewMenuDialog.h"
#include "ui/ProjectFileCommands.h"
#include "ui/ProjectTextTabs.h"
#include "ui/UiServices.h"

namespace tavel {

NewMenuCommand::NewMenuCommand(Workspace& workspace, Preview& preview, UiServices& services, CommandRunner& runner,
                               ProjectTextTabs& texts, ProjectFileCommands& files, QWidget& window)
    : workspace_(workspace),
      preview_(preview),
      services_(services),
      runner_(runner),
      texts_(texts),
      files_(files),
      window_(window) {}

void NewMenuCommand::Run() {
    if (!files_.ConfirmSaveChanges()) return;
    dialog_->ListUserStyles();
    // No to the replace question is not the end of the command: the user
    // goes back to the dialog, its fields as they were, to pick another name
    // or folder. Only Close ends it.
    std::optional<NewMenuPlan> plan;
    while (!plan) {
        if (!services_.RunDialog(*dialog_)) return;
        const StyleChoice style = dialog_->SelectedStyle();

        if (dialog_->Chosen() == NewMenuDialog::Choice::SkinOnly) {
            RestyleProject(workspace_, preview_, style);
            texts_.Refresh();
            runner_.PlainMessage("Style has been modified!");
            preview_.Reload();
            return;
        }

        plan = PrepareNewMenu(workspace_, dialog_->Directory(), dialog_->MenuCaption(), style);
        // A new menu starts empty: whatever menu the folder holds would be
        // lost, so this asks as Save as does before replacing a project's files.
        if (!plan->replacedFiles.empty()) {
            const std::string folder = FolderOfPath(plan->replacedFiles.front());
            std::vector<std::string> names;
            for (const std::string& path : plan->replacedFiles) names.push_back(path.substr(FolderOfPath(path).size()));
            if (services_.Ask(&window_, kApplicationTitle, Shown(ReplaceProjectQuestion(folder, names)),
                              QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
                plan.reset();
        }
    }
    CreateNewMenu(workspace_, preview_, *plan);
    workspace_.ClearHistory();
    files_.ShowProjectTitle();
    texts_.Refresh();
    runner_.PlainMessage("Menu was succesfully created!");
    preview_.Reload();
}

}  // namespace tavel
