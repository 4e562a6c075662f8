// The command table as the user meets it: captions, hints, shortcuts and
// categories, the order of the menus and the toolbar, and the title.
#include "GuiFixture.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QMenuBar>
#include <QToolBar>

using namespace tavel;

class ActionTableTest : public QObject {
    Q_OBJECT

    test::GuiFixture fixture;

    static QStringList Entries(const QList<QAction*>& actions) {
        QStringList names;
        for (QAction* a : actions) names << (a->isSeparator() ? QString("-") : a->objectName());
        return names;
    }

private slots:
    void initTestCase() {
        fixture.WriteTemplate("temp.js", test::ExampleMenuScript());
        fixture.WriteTemplate("index.htm", "<html></html>");
        fixture.WriteTemplate("stt.css", "");
        fixture.WriteTemplate("sys.js", "");
        fixture.Start();
    }

    void everyActionHasItsCategoryCaptionHintAndShortcut_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("shortcut");
        auto row = [](const char* n, const char* cat, const char* cap, const char* hint, const char* key) {
            QTest::newRow(n) << n << cat << cap << hint << key;
        };
        row("Action1", "File", "&New Menu", "Create new menu or load skin", "Ctrl+N");
        // Save's hint follows the modified flag, which is clear at start.
        row("Action2", "File", "&Save", "Project has not been modified!", "Ctrl+S");
        row("Action3", "File", "Sav&e as...", "Save as another file", "Ctrl+Alt+S");
        row("Action4", "File", "&Open", "Open an existing file", "Ctrl+O");
        row("Action5", "File", "&Print", "Print tree report", "Ctrl+P");
        row("Action6", "File", "E&xit", "Quit", "F10");
        row("Action7", "Menu", "Add &item", "Add next item to the tree", "F2");
        row("Action8", "Menu", "A&dd subitem", "Add subitem to the tree", "F3");
        row("Action9", "Menu", "Edit ite&m", "Edit selected item", "F4");
        row("Action10", "Menu", "De&lete", "Delete selected item", "Ctrl+Alt+D");
        row("Action11", "HTML", "See c&ode", "See database code", "Ctrl+C");
        row("Action12", "HTML", "Page Desi&gn", "Set up page design", "Ctrl+D");
        row("Action13", "HTML", "&Tools", "Program tools", "Ctrl+T");
        row("Action14", "???", "&Help", "Help context", "F1");
        row("Action16", "???", "Abo&ut Tavel", "Information", "Ctrl+H");
        row("Action17", "HTML", "Generate code", "Generate database code", "Ctrl+Alt+N");
        row("Action18", "Menu", "Separator", "Insert separator", "F5");
        row("Undo", "Menu", "&Undo", "Undo the last change to the menu tree", "Ctrl+Z");
        row("Redo", "Menu", "&Redo", "Redo the change last undone", "Ctrl+Y, Ctrl+Shift+Z");
    }

    void everyActionHasItsCategoryCaptionHintAndShortcut() {
        QFETCH(QString, name);
        QFETCH(QString, category);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QString, shortcut);
        QAction* action = fixture.mainWindow->Action(name.toLatin1().constData());
        QVERIFY(action != nullptr);
        QCOMPARE(action->property("category").toString(), category);
        QCOMPARE(action->property("caption").toString(), caption);
        QCOMPARE(action->toolTip(), hint);
        QCOMPARE(action->statusTip(), hint);
        QStringList keys;
        for (const QKeySequence& key : action->shortcuts()) keys << key.toString();
        QCOMPARE(keys.join(", "), shortcut);
        QVERIFY2(!action->icon().pixmap(16, 16).isNull(), "no icon");
    }

    void thereIsNoAction15AndGenerateCodeShowsItsMenuCaption() {
        QVERIFY(fixture.mainWindow->Action("Action15") == nullptr);
        QCOMPARE(fixture.mainWindow->Action("Action17")->text(), QString("G&enerate code"));
    }

    void menuBarHoldsTheCommandsInOrder() {
        QMenuBar* bar = fixture.mainWindow->menuBar();
        QCOMPARE(bar->objectName(), QString("ActionMainMenuBar1"));
        const QList<QAction*> menus = bar->actions();
        QCOMPARE(menus.size(), 4);
        QCOMPARE(menus[0]->text(), QString("&File"));
        QCOMPARE(Entries(menus[0]->menu()->actions()),
                 QStringList({"Action1", "Action2", "Action3", "Action4", "Action5", "-", "Action6"}));
        QCOMPARE(menus[1]->text(), QString("&Menu"));
        QCOMPARE(Entries(menus[1]->menu()->actions()),
                 QStringList({"Undo", "Redo", "-", "Action7", "Action8", "Action9", "Action18", "Action10", "-",
                              "MoveUp", "MoveDown", "Indent", "Outdent"}));
        QCOMPARE(menus[2]->text(), QString("&HTML"));
        QCOMPARE(Entries(menus[2]->menu()->actions()), QStringList({"Action17", "Action11", "Action12", "Action13"}));
        QCOMPARE(menus[3]->text(), QString("???"));
        QCOMPARE(Entries(menus[3]->menu()->actions()), QStringList({"Action14", "-", "Action16"}));
    }

    void toolbarHoldsIconsInOrderWithoutExit() {
        auto* toolbar = fixture.mainWindow->findChild<QToolBar*>("ActionToolBar1");
        QVERIFY(toolbar != nullptr);
        QCOMPARE(toolbar->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(Entries(toolbar->actions()),
                 QStringList({"Action1", "Action2", "Action3", "Action4", "Action5", "-", "Action7", "Action8",
                              "Action9", "Action18", "Action10", "-", "Undo", "Redo", "-", "Action17", "Action11",
                              "Action12", "Action13", "-", "Action14", "Action16"}));
    }

    void previewToolbarHasItsFourButtons() {
        for (const char* name : {"ToolButton1", "ToolButton2", "ToolButton3", "ToolButton4"})
            QVERIFY2(fixture.mainWindow->findChild<QWidget*>(name) != nullptr, name);
    }

    void startsAsTheDefaultProjectWithOnlyFinishedCommandsEnabled() {
        QCOMPARE(fixture.mainWindow->windowTitle(), QString("Tavel Builder - Default project"));
        // Nothing to undo or redo yet.
        for (const char* name : {"Undo", "Redo"})
            QVERIFY2(!fixture.mainWindow->Action(name)->isEnabled(), name);
        for (const char* name : {"Action1", "Action2", "Action3", "Action4", "Action5", "Action6", "Action7", "Action8",
                                 "Action9", "Action10", "Action11", "Action12", "Action13", "Action14", "Action16",
                                 "Action17", "Action18"})
            QVERIFY2(fixture.mainWindow->Action(name)->isEnabled(), name);
    }
};

TAVEL_GUI_TEST_MAIN(ActionTableTest)
#include "ActionTableTest.moc"
