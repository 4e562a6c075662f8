// The tree view over the core's tree: the item model stays consistent under
// every kind of change, and drag and drop goes through the core's rules.
#include "menu/MenuTree.h"
#include "menu/ScriptReader.h"
#include "project/TreeCommands.h"
#include "project/Workspace.h"
#include "support/GuiFixture.h"
#include "ui/main/MenuTreeModel.h"
#include "ui/main/MenuTreeView.h"

#include <QFont>
#include <QAbstractItemModelTester>
#include <QMimeData>

using namespace tavel;

class MenuTreeViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<TreeCommands> commands;
    std::unique_ptr<MenuTreeModel> model;
    std::unique_ptr<MenuTreeView> view;

    MenuItem* Find(const std::string& caption) { return test::FindItem(workspace->Tree(), caption); }

    // Sends a drag over and a drop onto the item, as the mouse would.
    bool DropOn(MenuItem* target) {
        view->expandAll();
        return test::DragTo(*view, view->visualRect(model->IndexOf(target)).center(), true);
    }

private slots:
    void init() {
        workspace = std::make_unique<Workspace>("/nowhere/");
        commands = std::make_unique<TreeCommands>(*workspace);
        model = std::make_unique<MenuTreeModel>(workspace->Tree());
        new QAbstractItemModelTester(model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     model.get());
        MenuTreeView::DropRules rules{
            [this](const MenuItem* t, bool after, QString*) { return commands->CheckDrop(t, after) == TreeCommands::MoveRefusal::None; },
            [this](MenuItem* t, bool after) { commands->Drop(t, after); },
            [this](MenuItem* item) { workspace->Tree().Select(item); },
            [this](MenuItem* item, bool open) { workspace->Tree().SetExpanded(item, open); },
        };
        view = std::make_unique<MenuTreeView>(*model, rules);
        view->resize(300, 400);
        view->show();
        LoadTreeFromScript(test::ExampleMenuScript(), workspace->Tree());
        workspace->MarkSaved();
    }

    void cleanup() {
        view.reset();
        model.reset();
        commands.reset();
        workspace.reset();
    }

    void modelFollowsEveryKindOfChange() {
        MenuTree& tree = workspace->Tree();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->rowCount(model->IndexOf(Find("Software"))), 3);
        tree.Select(Find("Editor"));
        commands->AddSeparator();
        commands->AddItem({"New", "", ""});
        tree.MoveBefore(Find("About"), Find("Home"));
        tree.MoveBefore(Find("Home"), Find("Contact"));
        tree.MoveBefore(Find("Viewer"), Find("Hardware"));
        tree.Select(Find("Software"));
        commands->DeleteSelected();
        commands->FinishEdit(nullptr);
        LoadTreeFromScript(test::ExampleMenuScript(), tree);
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->index(1, 0).data().toString(), QString("Products"));
        QCOMPARE(model->index(0, 0, model->index(1, 0)).data(Qt::ToolTipRole).toString(), QString("Programs"));
        QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));

        // A blank caption still gives the row something to see and click.
        tree.SetData(Find("Products"), {MenuItemKind::Submenu, "  ", "", ""});
        QCOMPARE(model->index(1, 0).data().toString(), QString("(no caption)"));
        QVERIFY(model->index(1, 0).data(Qt::FontRole).value<QFont>().italic());
    }

    void selectionIsTheCoresInBothDirections() {
        view->setCurrentIndex(model->IndexOf(Find("Hardware")));
        QCOMPARE(workspace->Tree().Selected(), Find("Hardware"));
        workspace->Tree().Select(Find("Contact"));
        QCOMPARE(view->currentIndex(), model->IndexOf(Find("Contact")));
    }

    // Where a drop may land is the core's rule (TreeCommandsTest); the view
    // asks it, refuses the drag where it says no, and shows the move.
    void dropGoesThroughTheCoresRules() {
        workspace->Tree().Select(Find("Products"));  // three levels deep itself
        QVERIFY(!DropOn(Find("Contact")));
        QVERIFY(!workspace->Modified());
        workspace->Tree().Select(Find("Contact"));
        QVERIFY(DropOn(Find("Hardware")));
        QCOMPARE(Find("Contact")->Parent(), Find("Products"));
        QCOMPARE(Find("Contact")->Row() + 1, Find("Hardware")->Row());
        QVERIFY(view->isExpanded(model->IndexOf(Find("Products"))));
    }

    void restingOnAClosedItemDuringADragOpensIt() {
        workspace->Tree().Select(Find("Home"));
        const QModelIndex about = model->IndexOf(Find("About"));
        view->collapseAll();
        const QPoint at = view->visualRect(about).center();
        QCursor::setPos(view->viewport()->mapToGlobal(at));
        test::DragTo(*view, at, false);
        QTRY_VERIFY_WITH_TIMEOUT(view->isExpanded(about), test::kWaitMs);
        QVERIFY(Find("About")->Expanded());
        // Now the submenu's item is there to drop before.
        QVERIFY(test::DragTo(*view, view->visualRect(model->IndexOf(Find("Contact"))).center(), true));
        QCOMPARE(Find("Home")->Parent(), Find("About"));
    }

    void dropBelowTheLastItemPutsItLast() {
        view->expandAll();
        workspace->Tree().Select(Find("Home"));
        QVERIFY(test::DragTo(*view, QPoint(10, view->viewport()->height() - 5), true));
        QCOMPARE(workspace->Tree().Top(workspace->Tree().TopCount() - 1), Find("Home"));

        // The lower part of the last item of a submenu: last in that submenu.
        const QRect viewer = view->visualRect(model->IndexOf(Find("Viewer")));
        QVERIFY(test::DragTo(*view, QPoint(viewer.center().x(), viewer.bottom() - 1), true));
        QCOMPARE(Find("Software")->LastChild(), Find("Home"));
    }
};

TAVEL_GUI_TEST_MAIN(MenuTreeViewTest)
#include "MenuTreeViewTest.moc"
