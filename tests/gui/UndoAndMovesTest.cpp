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
        QCOMPARE(f->mainWindow->Action("Undo")->text(), QString("&Undo Delete"));
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

    void keyboardMovesKeepTheSelectionAndTheFocusAndRefuseAFourthLevel() {
        Tree().Select(Find("Hardware"));
        Press(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(Find("Hardware")->Row(), size_t{1});
        Press(Qt::Key_Down, Qt::ControlModifier);
        Press(Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(Find("Hardware")->Parent(), nullptr);
        Press(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(Find("Products")->LastChild(), Find("Hardware"));
        QCOMPARE(View()->currentIndex().data().toString(), QString("Hardware"));
        QCOMPARE(QApplication::focusWidget(), View());

        Tree().Select(Find("Software"));
        Press(Qt::Key_Down, Qt::ControlModifier);
        Press(Qt::Key_Right, Qt::ControlModifier);  // under the separator: a fourth level
        QCOMPARE(Find("Software")->Parent(), Find("Products"));
        QCOMPARE(f->mainWindow->statusBar()->currentMessage(), QString("A menu has at most three levels"));

        // Undone step by step, the tree is the one read at start-up.
        for (int i = 0; i < 5; ++i) Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(WriteMenuScript(Tree()), test::ExampleMenuScript());
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
