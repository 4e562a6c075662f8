// The commands as the window builds them from its table: each within the
// user's reach, with a handler, an icon and a shortcut of its own, in menus
// whose accelerator letters do not clash.
#include "GuiFixture.h"
#include "ui/ActionTable.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QMenuBar>
#include <QToolBar>

#include <set>

using namespace tavel;

class ActionTableTest : public QObject {
    Q_OBJECT

    test::GuiFixture fixture;

    QList<QAction*> Actions() { return fixture.mainWindow->actions(); }

private slots:
    void initTestCase() {
        fixture.WriteTemplate("temp.js", test::ExampleMenuScript());
        fixture.WriteTemplate("index.htm", "<html></html>");
        fixture.WriteTemplate("stt.css", "");
        fixture.WriteTemplate("sys.js", "");
        fixture.Start();
    }

    void everyCommandHasOneActionWithAHandlerAndAnIcon() {
        std::set<Command> commands;
        for (const ActionSpec& row : MainActions()) {
            QVERIFY2(row.handler != nullptr, row.name);
            QVERIFY2(commands.insert(row.command).second, row.name);
            QAction* action = test::Child<QAction>(*fixture.mainWindow, row.name);
            QVERIFY2(!action->icon().pixmap(16, 16).isNull(), row.name);
        }
        QCOMPARE(commands.size(), kCommandCount);
        QCOMPARE(size_t(Actions().size()), kCommandCount);
    }

    void everyActionIsReachableFromAMenuOrTheToolbar() {
        QSet<QAction*> placed;
        for (QAction* menu : fixture.mainWindow->menuBar()->actions())
            for (QAction* entry : menu->menu()->actions()) placed.insert(entry);
        for (QAction* button : test::Child<QToolBar>(*fixture.mainWindow, "ActionToolBar1")->actions())
            placed.insert(button);
        for (QAction* action : Actions()) QVERIFY2(placed.contains(action), qPrintable(action->objectName()));
    }

    void noShortcutIsUsedTwice() {
        QHash<QKeySequence, QString> owners;
        for (QAction* action : Actions()) {
            for (const QKeySequence& key : action->shortcuts()) {
                QVERIFY2(!owners.contains(key), qPrintable(key.toString() + ": " + owners.value(key) + " and " +
                                                           action->objectName()));
                owners.insert(key, action->objectName());
            }
        }
    }

    // The menu bar's own titles count as one more menu.
    void acceleratorLettersAreUniqueWithinEachMenu() {
        QList<QList<QAction*>> menus{fixture.mainWindow->menuBar()->actions()};
        for (QAction* menu : menus.front()) menus.push_back(menu->menu()->actions());
        for (const QList<QAction*>& entries : menus) {
            QHash<QKeySequence, QString> owners;
            for (QAction* entry : entries) {
                const QKeySequence letter = QKeySequence::mnemonic(entry->text());
                if (letter.isEmpty()) continue;
                QVERIFY2(!owners.contains(letter), qPrintable(owners.value(letter) + " and " + entry->text()));
                owners.insert(letter, entry->text());
            }
        }
    }

    void previewToolbarHasItsFourButtons() {
        for (const char* name : {"ToolButton1", "ToolButton2", "ToolButton3", "ToolButton4"})
            QVERIFY2(fixture.mainWindow->findChild<QWidget*>(name) != nullptr, name);
    }

    void startsAsTheDefaultProjectWithNothingToUndoOrRedo() {
        QCOMPARE(fixture.mainWindow->windowTitle(), QString("Tavel Builder - Default project"));
        for (QAction* action : Actions()) {
            // A portable run's default project is the shipped one: nothing to restore.
            const bool undoOrRedo = action->objectName() == "Undo" || action->objectName() == "Redo" ||
                                    action->objectName() == "RestoreDefaultProject";
            QVERIFY2(action->isEnabled() != undoOrRedo, qPrintable(action->objectName()));
        }
    }
};

TAVEL_GUI_TEST_MAIN(ActionTableTest)
#include "ActionTableTest.moc"
