// Program start: a command of the command line runs without any window;
// otherwise every window is created once, the main window first (its
// start-up load runs then), and the event loop runs until it closes.
#include "cli/CommandLine.h"
#include "ui/about/AboutBox.h"
#include "ui/common/DataFolderLookup.h"
#include "ui/common/TavelApplication.h"
#include "ui/common/UiServices.h"
#include "ui/item/ItemDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/newmenu/NewMenuDialog.h"
#include "ui/newmenu/StyleMasterDialog.h"
#include "ui/pagedesign/PageDesignDialog.h"
#include "ui/save/ProjectSaveDialog.h"
#include "ui/tools/ToolsWindow.h"

#include <QTimer>

#include <unistd.h>

int main(int argc, char** argv) {
    if (tavel::IsCommandLineRun(argc, argv)) return tavel::RunCommandLine(argc, argv);
    if (const std::optional<int> refused = tavel::RefuseWindowStart(argc, argv)) return *refused;

    // The preview's browser engine refuses to start as root unless its
    // sandbox is off.
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // On Linux the engine hides the preview's page from screen readers unless
    // told otherwise; it builds the page's accessible tree only while a
    // reader is listening, so nothing is spent when none is.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    tavel::TavelApplication app(argc, argv);
    const tavel::WindowArguments arguments = tavel::ParseWindowArguments(QCoreApplication::arguments());
    if (arguments.exitStatus) return *arguments.exitStatus;
    tavel::DesktopServices services;

    // Beside the executable in a build, or installed under <prefix>/share
    // with the user's own files in the user's data folder.
    const tavel::DataFolders folders = tavel::LocateDataFolders(QCoreApplication::applicationDirPath());
    tavel::MainWindow mainWindow(folders, services);
    tavel::NewMenuDialog newMenuDialog(mainWindow.Work(), services, &mainWindow);
    tavel::StyleMasterDialog styleMaster(services, &mainWindow);
    newMenuDialog.SetStyleMaster(&styleMaster);
    mainWindow.SetNewMenuDialog(&newMenuDialog);
    tavel::ItemDialog itemDialog(&mainWindow);
    tavel::PageDesignDialog pageDesign(mainWindow.Work(), services, &mainWindow);
    tavel::ProjectSaveDialog saveDialog(&mainWindow);
    tavel::AboutBox aboutBox(services, &mainWindow);
    tavel::ToolsWindow toolsWindow(&mainWindow);
    mainWindow.SetDialogs(&itemDialog, &aboutBox, &toolsWindow);
    mainWindow.SetPageDesignDialog(&pageDesign);
    mainWindow.SetSaveDialog(&saveDialog);
    app.SetErrorWindow(&mainWindow, &services);

    mainWindow.showMaximized();
    // Opened once the window stands, so that whatever it has to say comes
    // over the window; the default project was loaded first, as always.
    if (!arguments.project.isEmpty())
        QTimer::singleShot(0, &mainWindow, [&] { mainWindow.OpenProjectNamed(arguments.project); });
    return app.exec();
}
