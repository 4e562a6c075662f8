// Undo, redo and the keyboard moves, each driven through its shortcut with
// the tree holding the keyboard, as a user works without the mouse.
#include "menu/MenuTree.h"
#include "project/ProjectOperations.h"
#include "support/GuiFixture.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MenuTreeModel.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QTreeView>

using namespace tavel;

class UndoAndMovesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::GuiFixture> f;

    MenuTree& Tree() { return f->mainWindow->Work().Tree(); }
    QTreeView* View() { return f->mainWindow->findChild<QTreeView*>("Tree"); }
    MenuItem* Find(const std::string& caption) { return test::FindItem(Tree(), caption); }
    void Press(int key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    bool Modified() { return f->mainWindow->Work().Modified(); }

private slots:
    void init() {
        f = std::make_unique<test::GuiFixture>();
        f->StartWith(test::ExampleMenuScript());
        QVERIFY(f->ShowActive());
    }
    void cleanup() {
        QVERIFY2(f->services.ScriptMismatch().isEmpty(), qPrintable(f->services.ScriptMismatch()));
        f.reset();
    }

    // The keys reach the history, and the window follows it: the actions'
    // captions name the edit, they are enabled while there is something to
    // take back or bring again, Save's hint follows the modified flag, and
    // the item an undo brings back is the current one.
    void undoAndRedoKeysReachTheHistoryAndTheWindowFollowsIt() {
        QAction* undo = test::Child<QAction>(*f->mainWindow, "Undo");
        QAction* redo = test::Child<QAction>(*f->mainWindow, "Redo");
        QAction* save = test::Child<QAction>(*f->mainWindow, "Action2");
        const auto state = [&] {
            return QStringList({undo->isEnabled() ? undo->text() : "-", redo->isEnabled() ? redo->text() : "-",
                                save->statusTip()});
        };
        QCOMPARE(state(), QStringList({"-", "-", SaveCommandHint(false)}));
        Tree().Select(Find("Products"));
        Press(Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(state(), QStringList({"&Undo Delete", "-", SaveCommandHint(true)}));

        Press(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(Find("Software") != nullptr);
        QCOMPARE(View()->currentIndex().data().toString(), QString("Products"));
        QCOMPARE(state(), QStringList({"-", "&Redo Delete", SaveCommandHint(false)}));

        for (QKeyCombination redoKey : {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}) {
            Press(redoKey.key(), redoKey.keyboardModifiers());
            QVERIFY(Find("Software") == nullptr);
            Press(Qt::Key_Z, Qt::ControlModifier);
        }
    }

    void keyboardMovesKeepTheSelectionAndTheFocusAndSayWhyNot() {
        Tree().Select(Find("Software"));
        Press(Qt::Key_Down, Qt::ControlModifier);
        Press(Qt::Key_Right, Qt::ControlModifier);  // under the separator: a fourth level
        QCOMPARE(f->mainWindow->statusBar()->currentMessage(), QString("A menu has at most three levels"));
        QCOMPARE(View()->currentIndex().data().toString(), QString("Software"));
        QCOMPARE(QApplication::focusWidget(), View());
    }

    // A moved item stays the current one and in sight, however far it went,
    // so that the next key press moves it on; an undo shows it where it
    // came back to.
    void aMovedItemStaysCurrentAndInSight() {
        std::string script = "var theMenu = new Array();\r\n";
        for (int i = 0; i < 60; ++i)
            script += "theMenu[" + std::to_string(i) + "] = new Array(\"Item " + std::to_string(i) + "\", \"i.html\");\r\n";
        f = std::make_unique<test::GuiFixture>();
        f->StartWith(script);
        QVERIFY(f->ShowActive());
        const auto inSight = [&](const char* caption) {
            const QModelIndex current = View()->currentIndex();
            return current.data().toString() == caption &&
                   View()->viewport()->rect().contains(View()->visualRect(current));
        };
        Tree().Select(Find("Item 59"));
        View()->scrollToTop();
        Press(Qt::Key_Up, Qt::ControlModifier);
        QVERIFY(inSight("Item 59"));
        View()->scrollToBottom();
        for (int i = 0; i < 57; ++i) Press(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(Tree().Top(1), Find("Item 59"));
        QVERIFY(inSight("Item 59"));
        Press(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(inSight("Item 59"));
        QCOMPARE(Tree().Top(59), Find("Item 59"));
    }

    void theTreesMenuOffersTheMoves() {
        QMenu* popup = f->mainWindow->findChild<QMenu*>("PopupMenu1");
        QStringList names;
        for (QAction* action : popup->actions()) names << (action->isSeparator() ? "-" : action->objectName());
        QCOMPARE(names, QStringList({"Expandall1", "Collapseall1", "-", "MoveUp", "MoveDown", "Indent", "Outdent"}));
    }
};

TAVEL_GUI_TEST_MAIN(UndoAndMovesTest)
#include "UndoAndMovesTest.moc"
