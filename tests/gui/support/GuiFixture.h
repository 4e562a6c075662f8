#pragma once

#include "ScriptedServices.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>

class QAbstractItemView;

namespace tavel {
struct DataFolders;
class MenuItem;
class MenuTree;
class MainWindow;
class ItemDialog;
class AboutBox;
class PageDesignDialog;
class ProjectSaveDialog;
class ToolsWindow;
class NewMenuDialog;
class StyleMasterDialog;
}  // namespace tavel

namespace tavel::test {

// How long a test waits for what the event loop or the browser engine does
// later (a window shown or made active, a timer, a page loaded). A test
// waits for the condition itself and goes on as soon as it holds; the limit
// only ends a test that would otherwise wait for ever, so it is generous
// enough for a machine busy with other work.
inline constexpr int kWaitMs = 60000;

// A program folder of its own with the given template texts, and the main
// window with its dialogs built on it as the program builds them.
class GuiFixture {
public:
    GuiFixture();
    ~GuiFixture();

    void WriteTemplate(const char* name, const std::string& bytes);
    std::string ReadTemplate(const char* name) const;
    // Builds the windows; call after writing the template files.
    MainWindow& Start();
    // Builds the windows on folders of another layout, as the program does.
    MainWindow& StartOn(const DataFolders& folders);
    // Writes the four template texts, then builds the windows on them.
    MainWindow& StartWith(const std::string& script, const std::string& page = "<html><body>page</body></html>\r\n",
                          const std::string& styleSheet = "A.menu {}\r\n",
                          const std::string& runtime = "function buildMenu(name) {}\r\n");
    // Shortcuts reach only the active window: shows the main window, makes
    // it active and gives the tree the keyboard. Whether it became active.
    bool ShowActive();

    QString ProgramFolder() const { return folder.path() + "/"; }

    QTemporaryDir folder;
    ScriptedServices services;
    std::unique_ptr<MainWindow> mainWindow;
    ItemDialog* itemDialog = nullptr;
    AboutBox* aboutBox = nullptr;
    ToolsWindow* toolsWindow = nullptr;
    PageDesignDialog* pageDesign = nullptr;
    ProjectSaveDialog* saveDialog = nullptr;
    NewMenuDialog* newMenuDialog = nullptr;
    StyleMasterDialog* styleMaster = nullptr;
};

// A whole file's bytes, or "<missing>" when it cannot be read.
QByteArray ReadFile(const QString& path);
// Writes the file whole; a test that cannot set up its files stops.
void WriteFile(const QString& path, const QByteArray& bytes);

// The example menu's script, CR LF after each line.
std::string ExampleMenuScript();

// A named control of a window; a test that cannot find its control stops,
// since every later step would only fail less clearly.
template <class T>
T* Child(const QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(name);
    if (child == nullptr) qFatal("no control %s", name);
    return child;
}

// The windows a user meets, shown or not, ordered by object name: not the
// pop-ups that belong to a control or a menu, which come with their owners.
QList<QWidget*> UserWindows();

// The first item of the tree with this caption, or null.
MenuItem* FindItem(const MenuTree& tree, const std::string& caption);

// Drags menu items over `at` in the view's viewport as the mouse would, and
// drops them there when `drop`. Whether the view accepted the drag there.
bool DragTo(QAbstractItemView& view, QPoint at, bool drop);

}  // namespace tavel::test

// A test main that prepares the browser engine the way the program does.
#define TAVEL_GUI_TEST_MAIN(TestClass)                                 \
    int main(int argc, char** argv) {                                  \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);    \
        QApplication app(argc, argv);                                  \
        TestClass test;                                                \
        return QTest::qExec(&test, argc, argv);                        \
    }
