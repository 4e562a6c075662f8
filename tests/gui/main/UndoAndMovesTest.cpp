// Undo, redo and the keyboard moves, each driven through its shortcut with
// the tree holding the keyboard, as a user works without the mouse.
#include "GuiFixture.h"
#include "menu/MenuTree.h"
#include "menu/ScriptWriter.h"
#include "ui/MainWindow.h"
#include "ui/MenuTreeModel.h"

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

    void deleteIsUndoneAndRedoneAndTheFlagFollows() {
        const std::string original = WriteMenuScript(Tree());
        Tree().Select(Find("Products"));
        Press(Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(test::Child<QAction>(*f->mainWindow, "Undo")->text(), QString("&Undo Delete"));
        QVERIFY(Modified());

        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(WriteMenuScript(Tree()), original);
        QCOMPARE(View()->currentIndex().data().toString(), QString("Products"));
        QVERIFY(!Modified());  // back at the state read at start-up

        for (QKeyCombination redo : {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}) {
            Press(redo.key(), redo.keyboardModifiers());
            QVERIFY(Find("Software") == nullptr);
            QVERIFY(Modified());
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

    // Three Ctrl+Up in a row are one undo step, named after the move; a
    // separator between two moves makes three.
    void movesInARowAreOneUndoStep() {
        f = std::make_unique<test::GuiFixture>();
        f->StartWith("var theMenu = new Array();\r\n"
                     "theMenu[0] = new Array(\"A\", \"a.html\");\r\n"
                     "theMenu[1] = new Array(\"B\", \"b.html\");\r\n"
                     "theMenu[2] = new Array(\"C\", \"c.html\");\r\n"
                     "theMenu[3] = new Array(\"D\", \"d.html\");\r\n");
        QVERIFY(f->ShowActive());
        const std::string start = WriteMenuScript(Tree());
        QAction* undo = test::Child<QAction>(*f->mainWindow, "Undo");
        Tree().Select(Find("D"));
        for (int i = 0; i < 3; ++i) Press(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(Tree().Top(0), Find("D"));
        QCOMPARE(undo->text(), QString("&Undo Move up"));
        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(WriteMenuScript(Tree()), start);
        QVERIFY(!undo->isEnabled());

        Press(Qt::Key_Up, Qt::ControlModifier);
        Press(Qt::Key_F5, Qt::NoModifier);
        Press(Qt::Key_Up, Qt::ControlModifier);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(WriteMenuScript(Tree()) != start);
            Press(Qt::Key_Z, Qt::ControlModifier);
        }
        QCOMPARE(WriteMenuScript(Tree()), start);
        QVERIFY(!Modified());
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
