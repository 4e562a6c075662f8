// The commands as the window builds them from its table: each within the
// user's reach, running its own command, with an icon and a shortcut of its
// own, in menus whose accelerator letters do not clash.
#include "menu/MenuTree.h"
#include "platform/Paths.h"
#include "project/Workspace.h"
#include "support/GuiFixture.h"
#include "ui/common/LocalText.h"
#include "ui/item/ItemDialog.h"
#include "ui/main/ActionTable.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WebPreview.h"
#include "ui/tools/ToolsWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <set>

using namespace tavel;

namespace {

// The tree as captions, each submenu in brackets after its title.
QString Outline(const MenuItem& item) {
    QString text = Shown(item.Data().caption);
    if (!item.HasChildren()) return text;
    QStringList children;
    for (size_t i = 0; i < item.ChildCount(); ++i) children << Outline(*item.Child(i));
    return text + "[" + children.join(' ') + "]";
}
// As much of a question as tells it from the others.
constexpr int kQuestionStart = 24;

QString Outline(const MenuTree& tree) {
    QStringList items;
    for (size_t i = 0; i < tree.TopCount(); ++i) items << Outline(*tree.Top(i));
    return items.join(' ');
}

}  // namespace

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

    void everyCommandHasOneActionWithAnIcon() {
        std::set<Command> commands;
        for (const ActionEntry& row : MainActions()) {
            QVERIFY2(commands.insert(row.command).second, row.name);
            QAction* action = test::Child<QAction>(*fixture.mainWindow, row.name);
            QVERIFY2(!action->icon().pixmap(16, 16).isNull(), row.name);
        }
        QCOMPARE(commands.size(), kCommandCount);
        QCOMPARE(size_t(Actions().size()), kCommandCount);
    }

    // Each action runs its own command, whichever part of the window owns
    // it: triggered on a fresh window, it does what only that command does.
    // A command added to the table without a row here fails the test.
    void eachActionRunsItsOwnCommand_data() {
        QTest::addColumn<QStringList>("before");  // actions triggered first
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("seen");
        QSet<QString> covered;
        const auto row = [&](const char* action, QStringList before, const char* selected, const char* seen) {
            QTest::newRow(action) << before << QString(selected) << QString(seen);
            covered.insert(action);
        };
        row("Action1", {}, "B", "dialog TForm2");
        row("Action2", {}, "B", "dialog TForm6");  // the default project is saved through Save as
        row("Action3", {}, "B", "dialog TForm6");
        row("Action4", {}, "B", "open Java Script File (*.js)");
        row("RecentProjects", {}, "B", "recent projects shown");
        row("ImportMenu", {}, "B", "open Web pages (*.htm *.html *.xhtml *.xht *.php *.asp);;All files (*)");
        row("Action5", {}, "B", "asks: There is no default prin");
        row("Action6", {}, "B", "main window closed");
        row("RestoreDefaultProject", {}, "B", "asks: Replace your default pro");
        row("Action7", {}, "B", "dialog TForm4; tree A B[B1] C New");
        row("Action8", {}, "B", "dialog TForm4; tree A B[B1 New] C");
        row("Action9", {}, "B", "dialog TForm4; tree A New[B1] C");
        row("Action10", {}, "B", "tree A C");
        row("Action18", {}, "B", "tree A B[B1] C ----------");
        row("Undo", {"Action10"}, "B", "tree A B[B1] C");
        row("Redo", {"Action10", "Undo"}, "B", "tree A C");
        row("MoveUp", {}, "B", "tree B[B1] A C");
        row("MoveDown", {}, "B", "tree A C B[B1]");
        row("Indent", {}, "B", "tree A[B[B1]] C");
        row("Outdent", {}, "B1", "tree A B B1 C");
        row("Action17", {}, "B", "temp.js written");
        row("Action11", {}, "B", "tab Database");
        row("Action12", {}, "B", "dialog TForm5");
        row("Action13", {}, "B", "Program Tools shown");
        row("CheckLinks", {}, "B", "Link check shown");
        row("Action14", {}, "B", "desktop Help/index.htm");
        row("Action16", {}, "B", "dialog TForm7");
        for (const ActionEntry& listed : MainActions())
            if (!covered.contains(listed.name)) row(listed.name, {}, "B", "a row of its own in this table");
    }

    void eachActionRunsItsOwnCommand() {
        QFETCH(QStringList, before);
        QFETCH(QString, selected);
        QFETCH(QString, seen);
        test::GuiFixture f;
        f.WriteTemplate("temp.js",
                        "var theMenu = new Array();\r\n"
                        "theMenu[0] = new Array(\"A\", \"a.html\");\r\n"
                        "theMenu[1] = new Array(\"B\", \"myMenu0\");\r\n"
                        "var myMenu0 = new Array();\r\n"
                        "myMenu0[0] = new Array(\"L\",\"B1\",\"\",\"b1.html\");\r\n"
                        "theMenu[2] = new Array(\"C\", \"c.html\");\r\n");
        f.WriteTemplate("index.htm", "<html></html>");
        f.WriteTemplate("stt.css", "");
        f.WriteTemplate("sys.js", "");
        MainWindow& window = f.Start();
        window.show();
        const auto trigger = [&](const QString& name) {
            QAction* action = test::Child<QAction>(window, qPrintable(name));
            // Restore default project is off in a portable run; its wiring is tested all the same.
            action->setEnabled(true);
            action->trigger();
        };
        window.Work().Tree().Select(test::FindItem(window.Work().Tree(), Bytes(selected)));
        for (const QString& name : before) trigger(name);
        f.WriteTemplate("temp.js", "stale");

        QStringList shown;
        // Every dialog is recorded by its form name; Edit Item is filled
        // in and confirmed, so that the tree shows which command ran.
        f.services.dialogs.push_back([&](QDialog& dialog) {
            shown << "dialog " + dialog.objectName();
            auto* item = qobject_cast<ItemDialog*>(&dialog);
            if (item != nullptr) item->CaptionEdit()->setText("New");
            return item != nullptr;
        });
        const QString outline = Outline(window.Work().Tree());
        const size_t questions = f.services.questions.size();
        auto* tabs = test::Child<QTabWidget>(window, "PageControl1");
        const int tab = tabs->currentIndex();
        trigger(QTest::currentDataTag());

        for (size_t i = questions; i < f.services.questions.size(); ++i)
            shown << "asks: " + f.services.questions[i].text.left(kQuestionStart);
        if (!f.services.lastOpenFilter.isEmpty()) shown << "open " + f.services.lastOpenFilter;
        for (const QString& target : f.services.opened) shown << "desktop " + target.section('/', -2);
        if (!window.isVisible()) shown << "main window closed";
        if (Outline(window.Work().Tree()) != outline) shown << "tree " + Outline(window.Work().Tree());
        if (f.ReadTemplate("temp.js") != "stale") shown << "temp.js written";
        if (tabs->currentIndex() != tab) shown << "tab " + tabs->tabText(tabs->currentIndex());
        if (f.toolsWindow->isVisible()) shown << "Program Tools shown";
        auto* linkCheck = window.findChild<QDialog*>("LinkCheckWindow");
        if (linkCheck != nullptr && linkCheck->isVisible()) shown << "Link check shown";
        if (test::Child<QMenu>(window, "RecentProjectsMenu")->isVisible()) shown << "recent projects shown";
        QCOMPARE(shown.join("; "), seen);
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

    // The preview's own bar: Previous and Next walk the pages it showed.
    void previousAndNextWalkThePreviewsHistory() {
        auto* web = test::Child<WebPreview>(*fixture.mainWindow, "Web");
        QSignalSpy loaded(web, &QWebEngineView::loadFinished);
        QList<QUrl> pages;
        for (const char* name : {"first.htm", "second.htm"}) {
            const QString path = fixture.ProgramFolder() + "system/" + name;
            test::WriteFile(path, "<html><body>" + QByteArray(name) + "</body></html>");
            pages << QUrl::fromLocalFile(path);
            // A page that has not finished loading is replaced by the next
            // one, not kept in the history.
            loaded.clear();
            web->Navigate(FileLocation(Bytes(path)));
            QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), test::kWaitMs);
        }
        test::Child<QToolButton>(*fixture.mainWindow, "ToolButton1")->click();
        QTRY_COMPARE_WITH_TIMEOUT(web->url(), pages[0], test::kWaitMs);
        test::Child<QToolButton>(*fixture.mainWindow, "ToolButton2")->click();
        QTRY_COMPARE_WITH_TIMEOUT(web->url(), pages[1], test::kWaitMs);
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
