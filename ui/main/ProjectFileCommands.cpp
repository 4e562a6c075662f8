#include "ui/main/ProjectFileCommands.h"

#include "platform/Paths.h"
#include "project/ApplicationTitle.h"
#include "project/ProgramFolder.h"
#include "project/ProjectOperations.h"
#include "project/UserFolder.h"
#include "project/Workspace.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"
#include "ui/main/CommandActions.h"
#include "ui/main/CommandRunner.h"
#include "ui/main/ProjectTextTabs.h"
#include "ui/save/ProjectSaveDialog.h"

#include <QAction>
#include <QDir>
#include <QWidget>

namespace tavel {

ProjectFileCommands::ProjectFileCommands(Workspace& workspace, Preview& preview, UiServices& services,
                                         CommandRunner& runner, CommandActions& actions, ProjectTextTabs& texts,
                                         QWidget& window)
    : workspace_(workspace), preview_(preview), services_(services), runner_(runner), texts_(texts), window_(window) {
    workspace_.SetPrompts(this);
    actions.On(Command::Save, [this] { Save(); });
    actions.On(Command::SaveAs, [this] { RunSaveAs(); });
    actions.On(Command::Open, [this] { Open(); });
    actions.On(Command::RestoreDefaultProject, [this] { RestoreDefaultProject(); });
    // A portable run's template folder is the shipped one: nothing to restore.
    actions.Of(Command::RestoreDefaultProject)->setEnabled(!workspace_.Portable());
}

ProjectFileCommands::~ProjectFileCommands() { workspace_.SetPrompts(nullptr); }

void ProjectFileCommands::Save() {
    const bool saved = workspace_.IsDefaultProject() ? RunSaveAs() : SaveToProjectFolder();
    // When nothing was saved the changes are still there, and so is Save.
    if (saved) workspace_.SetSaveEnabled(false);
}

void ProjectFileCommands::Open() {
    if (!ConfirmSaveChanges()) return;
    const QString chosen = services_.ChooseFileToOpen(&window_, "Java Script File (*.js)", Shown(StartFolderForOpen()));
    if (chosen.isEmpty()) return;
    ShowOpened(OpenProject(workspace_, preview_, Bytes(chosen)));
}

void ProjectFileCommands::OpenNamed(const std::string& path) {
    runner_.Run([&] {
        if (ConfirmSaveChanges()) ShowOpened(OpenNamedProject(workspace_, preview_, path));
    });
}

void ProjectFileCommands::ShowOpened(const OpenResult& result) {
    ShowProjectTitle();
    texts_.Refresh();
    for (const std::string& warning : result.warnings) runner_.Message(&window_, Shown(warning), QMessageBox::Warning);
}

bool ProjectFileCommands::ConfirmSaveChanges() { return AskToSaveChanges(kConfirmationCaption, QMessageBox::NoIcon); }

bool ProjectFileCommands::ConfirmClose() { return AskToSaveChanges(kCloseCaption, QMessageBox::Warning); }

bool ProjectFileCommands::AskToSaveChanges(const char* caption, QMessageBox::Icon icon) {
    const std::optional<std::string> question = SaveChangesQuestion(workspace_);
    if (!question) return true;
    const QMessageBox::StandardButton pressed = services_.Ask(
        &window_, caption, Shown(*question), icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const SaveAnswer answer = pressed == QMessageBox::Yes  ? SaveAnswer::Yes
                              : pressed == QMessageBox::No ? SaveAnswer::No
                                                           : SaveAnswer::Cancel;
    switch (StepAfterAnswer(workspace_, answer)) {
        case SaveChangesStep::GoOn:
            return true;
        case SaveChangesStep::SaveProjectFolder:
            return SaveToProjectFolder();
        case SaveChangesStep::SaveAs:
            return RunSaveAs();
        case SaveChangesStep::Stop:
            break;
    }
    return false;
}

bool ProjectFileCommands::SaveToProjectFolder() {
    // A save that went through holds the script generated anew.
    ProjectTextTabs::RefreshOnExit refresh(texts_, {&ProjectTexts::script});
    return runner_.Attempt([this] { SaveProjectTexts(workspace_, preview_, workspace_.ProjectFolder()); });
}

bool ProjectFileCommands::RunSaveAs() {
    if (!services_.RunDialog(*saveDialog_)) return false;
    saveDialog_->RememberChoice();
    const std::string name = Bytes(saveDialog_->ProjectName());
    const std::string folder = SaveAsFolder(Bytes(saveDialog_->CurrentFolder()), name);
    const std::vector<std::string> others = OtherProjectFiles(workspace_, folder);
    if (!others.empty() &&
        services_.Ask(&window_, kApplicationTitle, Shown(ReplaceProjectQuestion(folder, others)),
                      QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return false;
    if (!runner_.Attempt([&] { SaveProjectAs(workspace_, preview_, workspace_.ButtonStyles(), folder, name); }))
        return false;
    ShowProjectTitle();
    texts_.Refresh();
    return true;
}

// Open starts where the user works: in the folder holding the open project,
// or in the home folder while the default project is open.
std::string ProjectFileCommands::StartFolderForOpen() const {
    if (workspace_.IsDefaultProject()) return Bytes(QDir::homePath());
    return FolderOfPath(JoinPath(workspace_.ProjectFolder(), projectfile::kScript));
}

void ProjectFileCommands::ShowProjectTitle() { window_.setWindowTitle(Shown(ProjectTitle(workspace_.ProjectName()))); }

bool ProjectFileCommands::ConfirmWriteOverPartlyRead(const std::string& path, size_t itemsRead) {
    return services_.Ask(&window_, kApplicationTitle, Shown(PartlyReadQuestion(path, itemsRead)), QMessageBox::Warning,
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void ProjectFileCommands::RestoreDefaultProject() {
    if (services_.Ask(&window_, kApplicationTitle, Shown(RestoreDefaultProjectQuestion(workspace_)),
                      QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const StartupLoadResult reload = tavel::RestoreDefaultProject(workspace_, preview_);
    texts_.Refresh();
    if (!reload.failures.empty())
        runner_.ShowError(StartupFailureMessage(reload.failures));
    else
        runner_.PlainMessage("The default project has been restored.");
}

}  // namespace tavel
