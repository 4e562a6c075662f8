#include "support/GuiFixture.h"

#include "project/DataFolders.h"
#include "ui/about/AboutBox.h"
#include "ui/item/ItemDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/newmenu/NewMenuDialog.h"
#include "ui/newmenu/StyleMasterDialog.h"
#include "ui/pagedesign/PageDesignDialog.h"
#include "ui/save/ProjectSaveDialog.h"
#include "ui/tools/ToolsWindow.h"

#include "menu/MenuTree.h"
#include "ui/main/MenuTreeModel.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSettings>

static void InitResources() { Q_INIT_RESOURCE(icons); }

namespace tavel::test {

GuiFixture::GuiFixture() {
    InitResources();
    // What the windows keep across runs goes into this fixture's folder,
    // never into the settings of the user running the tests.
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder.path() + "/settings");
    QDir(folder.path()).mkdir("system");
    QDir(folder.path()).mkdir("buttons");
    QDir(folder.path()).mkpath("Styles/Color");
    QFile blue(folder.path() + "/buttons/blue.jpg");
    if (!blue.open(QIODevice::WriteOnly)) qFatal("cannot write a button image");
    blue.write("blue-bytes");
}

GuiFixture::~GuiFixture() {
    // Dialogs are children of the main window and go with it.
    mainWindow.reset();
}

void GuiFixture::WriteTemplate(const char* name, const std::string& bytes) {
    QFile file(folder.path() + "/system/" + name);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write template %s", name);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string GuiFixture::ReadTemplate(const char* name) const {
    QFile file(folder.path() + "/system/" + name);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll().toStdString();
}

MainWindow& GuiFixture::Start() { return StartOn({ProgramFolder().toStdString(), ProgramFolder().toStdString()}); }

MainWindow& GuiFixture::StartOn(const DataFolders& folders) {
    mainWindow = std::make_unique<MainWindow>(folders, services);
    newMenuDialog = new NewMenuDialog(mainWindow->Work(), services, mainWindow.get());
    styleMaster = new StyleMasterDialog(services, mainWindow.get());
    newMenuDialog->SetStyleMaster(styleMaster);
    mainWindow->SetNewMenuDialog(newMenuDialog);
    itemDialog = new ItemDialog(mainWindow.get());
    pageDesign = new PageDesignDialog(mainWindow->Work(), services, mainWindow.get());
    saveDialog = new ProjectSaveDialog(mainWindow.get());
    aboutBox = new AboutBox(services, mainWindow.get());
    toolsWindow = new ToolsWindow(mainWindow.get());
    mainWindow->SetDialogs(itemDialog, aboutBox, toolsWindow);
    mainWindow->SetPageDesignDialog(pageDesign);
    mainWindow->SetSaveDialog(saveDialog);
    return *mainWindow;
}

MainWindow& GuiFixture::StartWith(const std::string& script, const std::string& page, const std::string& styleSheet,
                                  const std::string& runtime) {
    WriteTemplate("temp.js", script);
    WriteTemplate("index.htm", page);
    WriteTemplate("stt.css", styleSheet);
    WriteTemplate("sys.js", runtime);
    return Start();
}

bool GuiFixture::ShowActive() {
    mainWindow->show();
    QApplication::setActiveWindow(mainWindow.get());
    if (!QTest::qWaitForWindowActive(mainWindow.get(), test::kWaitMs)) return false;
    mainWindow->findChild<QWidget*>("Tree")->setFocus();
    return true;
}

QList<QWidget*> UserWindows() {
    QList<QWidget*> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = window->windowType();
        if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop || qobject_cast<QMenu*>(window)) continue;
        windows << window;
    }
    std::sort(windows.begin(), windows.end(),
              [](const QWidget* a, const QWidget* b) { return a->objectName() < b->objectName(); });
    return windows;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

std::string ExampleMenuScript() {
    return "var theMenu = new Array();\r\n"
           "theMenu[0] = new Array(\"Home\", \"index.html\");\r\n"
           "theMenu[1] = new Array(\"Products\", \"myMenu0\");\r\n"
           "var myMenu0 = new Array();\r\n"
           "myMenu0[0] = new Array(\"M\",\"Software\",\"Programs\",\"myMenu12\");\r\n"
           "var myMenu12 = new Array();\r\n"
           "myMenu12[0] = new Array(\"L\",\"Editor\",\"Text editor\",\"editor.html\");\r\n"
           "myMenu12[1] = new Array(\"L\",\"----------\",\"\",\"\");\r\n"
           "myMenu12[2] = new Array(\"L\",\"Viewer\",\"\",\"view.html\");\r\n"
           "myMenu0[1] = new Array(\"S\",\"----------\",\"\",\"\");\r\n"
           "myMenu0[2] = new Array(\"L\",\"Hardware\",\"Devices\",\"hard.html\");\r\n"
           "theMenu[2] = new Array(\"About\", \"myMenu1\");\r\n"
           "var myMenu1 = new Array();\r\n"
           "myMenu1[0] = new Array(\"L\",\"Contact\",\"Write to us\",\"contact.html\");\r\n";
}

MenuItem* FindItem(const MenuTree& tree, const std::string& caption) {
    for (size_t i = 0; i < tree.Count(); ++i)
        if (tree.ItemAt(i)->Data().caption == caption) return tree.ItemAt(i);
    return nullptr;
}

bool DragTo(QAbstractItemView& view, QPoint at, bool drop) {
    QMimeData mime;
    mime.setData(MenuTreeModel::kMimeType, {});
    QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &move);
    if (drop) {
        QDropEvent dropEvent(QPointF(at), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &dropEvent);
    }
    return move.isAccepted();
}

}  // namespace tavel::test
