#include "ui/main/ImportMenuCommand.h"

#include "project/Workspace.h"
#include "tools/MenuImport.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"
#include "ui/importpage/NavigationChooser.h"
#include "ui/main/CommandActions.h"
#include "ui/main/CommandRunner.h"
#include "ui/main/ProjectFileCommands.h"

#include <QDir>

namespace tavel {

namespace {
constexpr const char* kPageFilter = "Web pages (*.htm *.html *.xhtml *.xht *.php *.asp);;All files (*)";
}  // namespace

ImportMenuCommand::ImportMenuCommand(Workspace& workspace, UiServices& services, CommandRunner& runner,
                                     CommandActions& actions, ProjectFileCommands& files, QWidget& window)
    : workspace_(workspace),
      services_(services),
      runner_(runner),
      files_(files),
      window_(window),
      chooser_(new NavigationChooser(&window)) {
    actions.On(Command::ImportMenu, [this] { Run(); });
}

void ImportMenuCommand::Run() {
    if (!files_.ConfirmSaveChanges()) return;
    const QString folder = workspace_.IsDefaultProject() ? QDir::homePath() : Shown(workspace_.ProjectFolder());
    const QString chosen = services_.ChooseFileToOpen(&window_, kPageFilter, folder);
    if (chosen.isEmpty()) return;
    // A page without a menu throws, naming the file, before the tree is touched.
    auto navigation = ReadPageNavigation(Bytes(chosen));
    size_t choice = navigation->Preselected();
    if (navigation->Candidates().size() > 1) {
        chooser_->Show(chosen, navigation->Candidates(), choice);
        if (!services_.RunDialog(*chooser_)) return;
        choice = chooser_->Chosen();
    }
    const ImportedMenu menu = navigation->MenuOf(choice);
    // The parse is let go before the tree is built: the two never take
    // memory at once.
    navigation.reset();
    ReplaceMenuTree(workspace_, menu);
    if (const std::string notes = ImportNotesMessage(menu); !notes.empty())
        runner_.Message(&window_, Shown(notes), QMessageBox::Information);
}

}  // namespace tavel
