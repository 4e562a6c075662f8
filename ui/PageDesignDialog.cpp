#include "ui/PageDesignDialog.h"

#include "platform/FileError.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"
#include "ui/FixedDialog.h"
#include "ui/LocalText.h"
#include "ui/UiServices.h"

namespace tavel {

PageDesignDialog::PageDesignDialog(Workspace& workspace, UiServices& services, QWidget* parent) : QDialog(parent) {
    MakeFixedDialog(*this, "TForm5", "Project properties");
    try {
        workspace.ButtonStyles().Fill(workspace.ProgramPath(programpath::kButtons));
    } catch (const FileError& error) {
        // The list keeps "[none]" alone; told once the main window is up.
        const QString text = Shown(error.what());
        QMetaObject::invokeMethod(
            this, [this, &services, text] { services.Message(parentWidget(), "Tavel Builder", text, QMessageBox::Critical); },
            Qt::QueuedConnection);
    }
}

}  // namespace tavel
