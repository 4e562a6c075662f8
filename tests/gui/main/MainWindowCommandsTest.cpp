// Every command of the main window, driven through its action as a user
// would, with the modal questions answered by a script.
#include "menu/MenuTree.h"
#include "project/TreeMessages.h"
#include "support/GuiFixture.h"
#include "ui/common/LocalText.h"
#include "ui/item/ItemDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MenuTreeModel.h"
#include "ui/main/PreviewPage.h"
#include "ui/main/WebPreview.h"
#include "ui/tools/ToolsWindow.h"

#include "project/Workspace.h"

#include <QAction>
#include <QStatusBar>
#include <QLineEdit>
#include <QMenu>
#include <QPdfDocument>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

using namespace tavel;
using Answer = test::ScriptedServices::DialogAnswer;

namespace {

// What the Edit Item dialogs offered where a test expected otherwise;
// checked after every test, so no expectation goes unchecked.
QStringList offerMismatches;

// What a disabled Hint field offers: why a menu-bar title has no hint.
const QString kNoHint = "[Not used: a menu-bar title shows no hint]";

// An Edit Item answer: checks what the dialog offers, fills it, and closes
// it with OK or Cancel.
Answer AnswerItemDialog(QStringList expectOffered, QStringList fill, bool ok) {
    return [=](QDialog& dialog) {
        auto& form = static_cast<ItemDialog&>(dialog);
        const QString hint =
            form.HintEdit()->isEnabled() ? form.HintEdit()->text() : "[" + form.HintEdit()->placeholderText() + "]";
        const QStringList offered = {form.CaptionEdit()->text(), hint, form.LinkEdit()->text()};
        if (!expectOffered.isEmpty() && offered != expectOffered)
            offerMismatches.push_back("offered " + offered.join(" / ") + ", expected " + expectOffered.join(" / "));
        if (!fill.isEmpty()) {
            form.CaptionEdit()->setText(fill[0]);
            form.HintEdit()->setText(fill[1]);
            form.LinkEdit()->setText(fill[2]);
        }
        return ok;
    };
}

std::string Caption(const MenuItem* item) { return item->Data().caption; }

}  // namespace

class MainWindowCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::GuiFixture> f;

    MainWindow& Start(const std::string& script) { return f->StartWith(script); }
    MenuTree& Tree() { return f->mainWindow->Work().Tree(); }
    void Trigger(const char* action) { test::Child<QAction>(*f->mainWindow, action)->trigger(); }
    MenuItem* Find(const std::string& caption) { return test::FindItem(Tree(), caption); }
    QTreeView* View() { return f->mainWindow->findChild<QTreeView*>("Tree"); }

private slots:
    void init() {
        f = std::make_unique<test::GuiFixture>();
        offerMismatches.clear();
    }
    void cleanup() {
        QVERIFY2(offerMismatches.isEmpty(), qPrintable(offerMismatches.join("; ")));
        QVERIFY2(f->services.ScriptMismatch().isEmpty(), qPrintable(f->services.ScriptMismatch()));
        f.reset();
    }

    void addItemOnAnEmptyTreeAsksForASubitemAndCancelKeepsTheItem() {
        Start("var theMenu = new Array();\r\n");
        QCOMPARE(Tree().Count(), size_t{0});
        // The new item is a menu-bar title; its first subitem has a hint again.
        f->services.dialogs.push_back(AnswerItemDialog({"Item1", kNoHint, "index.html"}, {"News", "", "n.html"}, true));
        f->services.dialogs.push_back(AnswerItemDialog({"News", "Hint about item1", "n.html"}, {}, false));
        Trigger("Action7");
        QCOMPARE(f->services.messages.size(), size_t{1});
        QCOMPARE(f->services.messages[0].text, QString(treemessage::kNoUpperMenu));
        QCOMPARE(f->services.messages[0].caption, QString("Tavel Builder"));
        QCOMPARE(f->services.messages[0].icon, QMessageBox::NoIcon);
        QCOMPARE(Tree().Count(), size_t{1});
        QCOMPARE(Caption(Tree().Top(0)), std::string("News"));
        QVERIFY(!Tree().Top(0)->HasChildren());
        QCOMPARE(Tree().Selected(), Tree().Top(0));
        QVERIFY(f->mainWindow->Work().Modified());
        QCOMPARE(View()->currentIndex().data().toString(), QString("News"));
    }

    void addItemThenSubitemThroughTheSecondDialog() {
        Start("var theMenu = new Array();\r\n");
        f->services.dialogs.push_back(AnswerItemDialog({}, {"Top", "", ""}, true));
        f->services.dialogs.push_back(AnswerItemDialog({}, {"Child", "c", "c.html"}, true));
        Trigger("Action7");
        QCOMPARE(Tree().Count(), size_t{2});
        QCOMPARE(Tree().Top(0)->Data().kind, MenuItemKind::Submenu);
        QCOMPARE(Caption(Tree().Top(0)->Child(0)), std::string("Child"));
    }

    // When Add subitem may add is the core's rule (TreeCommandsTest); the
    // window says why not, and shows the parent opened when it adds.
    void addSubitemSaysWhyNotAndOpensTheParent() {
        Start(test::ExampleMenuScript());
        Tree().Select(nullptr);
        Trigger("Action8");
        QCOMPARE(f->services.messages.back().text, QString("Cann't add subitem to empty item!"));
        QCOMPARE(f->services.messages.back().icon, QMessageBox::NoIcon);

        Tree().Select(Find("Editor"));
        Trigger("Action8");
        QCOMPARE(f->services.messages.back().text, QString("Cann't create more than 3-level menu!"));
        QCOMPARE(f->services.messages.back().caption, QString("Warning!"));
        QCOMPARE(f->services.messages.back().icon, QMessageBox::Warning);

        auto* model = static_cast<MenuTreeModel*>(View()->model());
        Tree().Select(Find("Hardware"));
        f->services.dialogs.push_back(AnswerItemDialog({}, {"Disk", "", ""}, true));
        Trigger("Action8");
        QVERIFY(View()->isExpanded(model->IndexOf(Find("Hardware"))));
        QCOMPARE(View()->currentIndex(), model->IndexOf(Find("Hardware")));
    }

    // The dialog offers the selected item's three texts, each field feeds
    // its own part of the record, and the view shows the result; Cancel
    // hands the tree nothing, whatever the fields hold.
    void editItemOffersTheSelectedItemAndStoresEachField() {
        Start(test::ExampleMenuScript());
        Tree().Select(Find("Viewer"));
        f->services.dialogs.push_back(AnswerItemDialog({"Viewer", "", "view.html"}, {"Reader", "Reads", "read.html"}, true));
        Trigger("Action9");
        const MenuItemData& stored = Find("Reader")->Data();
        QCOMPARE(QStringList({Shown(stored.caption), Shown(stored.hint), Shown(stored.link)}),
                 QStringList({"Reader", "Reads", "read.html"}));
        QCOMPARE(View()->currentIndex().data().toString(), QString("Reader"));

        f->mainWindow->Work().MarkSaved();
        f->services.dialogs.push_back(AnswerItemDialog({"Reader", "Reads", "read.html"}, {"Ignored", "", ""}, false));
        Trigger("Action9");
        QVERIFY(Find("Ignored") == nullptr);
        QVERIFY(!f->mainWindow->Work().Modified());

        // The dialog keeps what Edit item loaded: Add item offers it next.
        f->services.dialogs.push_back(AnswerItemDialog({"Ignored", "", ""}, {}, false));
        Trigger("Action7");

        // A menu-bar title's hint is never written: its field says so.
        Tree().Select(Find("Products"));
        f->services.dialogs.push_back(AnswerItemDialog({"Products", kNoHint, "myMenu0"}, {}, false));
        Trigger("Action9");
    }

    // The commands act on the item the user picked in the view, and the
    // view shows what they did: the new separator's row, and after Delete
    // the item the selection moved to.
    void separatorAndDeleteActOnTheItemPickedInTheView() {
        Start(test::ExampleMenuScript());
        auto* model = static_cast<MenuTreeModel*>(View()->model());
        View()->setCurrentIndex(model->IndexOf(Find("Editor")));
        Trigger("Action18");
        const MenuItem* added = Find("Software")->LastChild();
        QCOMPARE(added->Data().kind, MenuItemKind::Separator);
        QCOMPARE(model->IndexOf(added).data().toString(), QString("----------"));

        View()->setCurrentIndex(model->IndexOf(Find("Products")));
        Trigger("Action10");
        QVERIFY(Find("Software") == nullptr);
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(View()->currentIndex(), model->IndexOf(Tree().Selected()));
        QCOMPARE(f->services.messages.size(), size_t{0});
    }

    void expandAndCollapseAllFromThePopup() {
        Start(test::ExampleMenuScript());
        QMenu* popup = f->mainWindow->findChild<QMenu*>("PopupMenu1");
        QVERIFY(popup != nullptr);
        popup->findChild<QAction*>("Expandall1")->trigger();
        auto* model = static_cast<MenuTreeModel*>(View()->model());
        for (size_t i = 0; i < Tree().Count(); ++i) {
            MenuItem* item = Tree().ItemAt(i);
            if (item->HasChildren()) QVERIFY(View()->isExpanded(model->IndexOf(item)));
        }
        popup->findChild<QAction*>("Collapseall1")->trigger();
        QVERIFY(!View()->isExpanded(model->IndexOf(Find("Products"))));
        QVERIFY(!f->mainWindow->Work().Modified());
    }

    void generateCodeRewritesTheTemplateScriptAndReloads() {
        Start(test::ExampleMenuScript());
        auto* web = f->mainWindow->findChild<WebPreview*>("Web");
        QSignalSpy navigated(web, &WebPreview::Navigated);
        QSignalSpy reloaded(web, &WebPreview::Reloaded);
        Tree().Select(Find("Home"));
        Trigger("Action18");  // a top-level separator: written as nothing
        f->mainWindow->Work().MarkSaved();
        Trigger("Action17");
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(navigated.count(), 0);
        // Read back, the example lost its top-level separator and hints; the
        // script written again is the same fourteen lines.
        QCOMPARE(f->ReadTemplate("temp.js"), test::ExampleMenuScript());
        auto* memo1 = f->mainWindow->findChild<QPlainTextEdit*>("Memo1");
        QCOMPARE(memo1->toPlainText().count('\n'), 14);
        QVERIFY(!f->mainWindow->Work().Modified());
    }

    void aScriptErrorOfThePreviewShowsUntilTheNextPageLoads() {
        Start(test::ExampleMenuScript());
        auto* web = f->mainWindow->findChild<WebPreview*>("Web");
        auto* page = qobject_cast<PreviewPage*>(web->page());
        QVERIFY(page != nullptr);
        QStatusBar* status = f->mainWindow->statusBar();
        const QString before = status->currentMessage();
        page->javaScriptConsoleMessage(QWebEnginePage::WarningMessageLevel, "only a warning", 1, "file:///p/sys.js");
        QCOMPARE(status->currentMessage(), before);
        page->javaScriptConsoleMessage(QWebEnginePage::ErrorMessageLevel, "Uncaught SyntaxError: Unexpected end of input",
                                       7, "file:///p/temp.js");
        QCOMPARE(status->currentMessage(),
                 QString("Script error in temp.js, line 7: Uncaught SyntaxError: Unexpected end of input"));
        emit web->loadStarted();
        QCOMPARE(status->currentMessage(), QString());
    }

    void homeShowsTheProjectPage() {
        Start(test::ExampleMenuScript());
        QSignalSpy navigated(f->mainWindow->findChild<WebPreview*>("Web"), &WebPreview::Navigated);
        test::Child<QToolButton>(*f->mainWindow, "ToolButton3")->click();
        QCOMPARE(navigated.count(), 1);
        QVERIFY(navigated[0][0].toString().endsWith("system/index.htm"));
    }

    void memoEditsChangeTheTextButNotTheFlag() {
        Start(test::ExampleMenuScript());
        auto* memo2 = f->mainWindow->findChild<QPlainTextEdit*>("Memo2");
        memo2->setPlainText("<html>\n<body>edited</body>\n</html>\n");
        Trigger("Action11");  // any command brings the edit into the project
        QCOMPARE(f->mainWindow->Work().Texts().page, std::string("<html>\r\n<body>edited</body>\r\n</html>\r\n"));
        QVERIFY(!f->mainWindow->Work().Modified());
    }

    void seeCodeShowsTheDatabaseTabAndToolsToggles() {
        Start(test::ExampleMenuScript());
        auto* pages = f->mainWindow->findChild<QTabWidget*>("PageControl1");
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(pages->tabText(0), QString("Browser"));
        pages->setCurrentIndex(3);
        Trigger("Action11");
        QCOMPARE(pages->currentIndex(), 1);
        QCOMPARE(pages->tabText(1), QString("Database"));

        QVERIFY(!f->toolsWindow->isVisible());
        Trigger("Action13");
        QVERIFY(f->toolsWindow->isVisible());
        Trigger("Action13");
        QVERIFY(!f->toolsWindow->isVisible());
    }

    void printsTheTreeReportFlatAndInOrder() {
        Start(test::ExampleMenuScript());
        QTemporaryDir out;
        f->services.printerPdf = out.filePath("report.pdf");
        Trigger("Action5");
        QCOMPARE(f->services.messages.size(), size_t{0});
        QCOMPARE(f->mainWindow->statusBar()->currentMessage(), "Printed 1 page on \"" + f->services.printerPdf + "\".");
        QPdfDocument pdf;
        QCOMPARE(pdf.load(f->services.printerPdf), QPdfDocument::Error::None);
        QString text;
        for (int page = 0; page < pdf.pageCount(); ++page) text += pdf.getAllText(page).text();
        const QStringList expected = {"Home", "Products", "Software", "Editor", "----------", "Viewer",
                                      "----------", "Hardware", "About", "Contact"};
        qsizetype at = 0;
        for (const QString& caption : expected) {
            const qsizetype found = text.indexOf(caption, at);
            QVERIFY2(found >= 0, qPrintable("missing or out of order: " + caption + " in " + text));
            at = found + caption.size();
        }
    }

    // Without a printer the report may go into a PDF file; the status bar
    // says how many pages went where.
    void withoutAPrinterTheReportCanBeSavedAsPdf() {
        std::string script = "var theMenu = new Array();\r\n";
        for (int i = 0; i < 200; ++i)
            script += "theMenu[" + std::to_string(i) + "] = new Array(\"Item " + std::to_string(i) + "\", \"i.html\");\r\n";
        Start(script);
        QTemporaryDir out;
        const QString file = out.filePath("report.pdf");

        f->services.answers = {QMessageBox::No};
        Trigger("Action5");
        QVERIFY(f->services.questions.at(0).text.startsWith("There is no default printer."));
        QVERIFY(!QFile::exists(file));
        QCOMPARE(f->mainWindow->statusBar()->currentMessage(), QString());

        f->services.answers = {QMessageBox::Yes};
        f->services.filesToSave = {file};
        Trigger("Action5");
        QCOMPARE(f->services.lastSaveSuggestion, QDir::home().filePath("Tree report.pdf"));
        QPdfDocument pdf;
        QCOMPARE(pdf.load(file), QPdfDocument::Error::None);
        QVERIFY(pdf.pageCount() > 1);
        QVERIFY(pdf.getAllText(pdf.pageCount() - 1).text().contains("Item 199"));
        QCOMPARE(f->mainWindow->statusBar()->currentMessage(),
                 QString("Saved the tree report (%1 pages) as \"%2\".").arg(pdf.pageCount()).arg(file));

        // A file that cannot be written is named, as any failed write is.
        f->services.answers = {QMessageBox::Yes};
        f->services.filesToSave = {out.filePath("missing/report.pdf")};
        Trigger("Action5");
        QCOMPARE(f->services.messages.size(), size_t{1});
        QVERIFY(f->services.messages[0].text.contains(out.filePath("missing/report.pdf")));
    }

    void aFailedWriteIsShownNamingTheFileAndTheProgramGoesOn() {
        Start(test::ExampleMenuScript());
        QFile::remove(f->ProgramFolder() + "system/temp.js");
        QDir(f->ProgramFolder() + "system").mkdir("temp.js");  // a folder where the file should be
        Trigger("Action17");
        QCOMPARE(f->services.messages.size(), size_t{1});
        QVERIFY(f->services.messages[0].text.contains(f->ProgramFolder() + "system/temp.js"));
        Trigger("Action18");
        QCOMPARE(Tree().TopCount(), size_t{4});
    }

    void missingTemplateFilesAreReportedInOneMessage() {
        f->WriteTemplate("temp.js", test::ExampleMenuScript());
        f->WriteTemplate("stt.css", "");
        f->Start();
        f->mainWindow->show();
        QTRY_COMPARE_WITH_TIMEOUT(f->services.messages.size(), size_t{1}, test::kWaitMs);
        const QString text = f->services.messages[0].text;
        QVERIFY(text.contains("system/index.htm"));
        QVERIFY(text.contains("system/sys.js"));
        QVERIFY(!text.contains("stt.css"));
        QCOMPARE(Tree().Count(), size_t{10});
    }

    void helpExternalBrowserAndAboutOpenWithTheDesktop() {
        Start(test::ExampleMenuScript());
        Trigger("Action14");
        QCOMPARE(f->services.opened.back(), f->ProgramFolder() + "Help/index.htm");
        test::Child<QToolButton>(*f->mainWindow, "ToolButton4")->click();
        QCOMPARE(f->services.opened.back(), f->ProgramFolder() + "system/index.htm");
        f->services.dialogs.push_back([](QDialog& d) { return d.objectName() == "TForm7"; });
        Trigger("Action16");
    }

    void whatTheSystemCannotOpenIsNamedInAMessage() {
        Start(test::ExampleMenuScript());
        f->services.openSucceeds = false;
        test::Child<QToolButton>(*f->mainWindow, "ToolButton4")->click();
        QCOMPARE(f->services.MessageTexts().size(), 1);
        QVERIFY(f->services.messages[0].text.contains("\"" + f->ProgramFolder() + "system/index.htm\""));
    }

    // A tree read only in part: Generate code asks before writing its file
    // back short; No writes nothing.
    void generateCodeAsksBeforeWritingAPartlyReadScriptBack() {
        const std::string script = test::ExampleMenuScript();
        Start(script);
        Workspace& work = f->mainWindow->Work();
        work.RebuildTreeFromScript(work.ProjectFilePath("temp.js"), ScriptReadLimits{.maxItems = 4});
        f->services.answers = {QMessageBox::No, QMessageBox::Yes};
        Trigger("Action17");
        QVERIFY(f->services.questions[0].text.contains("first 4 items"));
        QCOMPARE(f->ReadTemplate("temp.js"), script);
        Trigger("Action17");
        QVERIFY(f->ReadTemplate("temp.js") != script);
    }

    // The commands act on what is highlighted: after Ctrl+click on the
    // selected item it is still highlighted, and Delete takes exactly it.
    void ctrlClickedItemStaysHighlightedAndDeleteTakesIt() {
        Start(test::ExampleMenuScript());
        QVERIFY(f->ShowActive());
        auto* model = static_cast<MenuTreeModel*>(View()->model());
        const QPoint at = View()->visualRect(model->IndexOf(Find("Home"))).center();
        QTest::mouseClick(View()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        const QModelIndexList home{model->IndexOf(Find("Home"))};
        QTest::mouseClick(View()->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
        QCOMPARE(View()->selectionModel()->selectedRows(), home);
        QCOMPARE(Tree().Selected(), Find("Home"));
        QTest::keyClick(View(), Qt::Key_Space, Qt::ControlModifier);  // the keyboard's Ctrl+click
        QCOMPARE(View()->selectionModel()->selectedRows(), home);
        QTest::keyClick(View(), Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(Find("Home") == nullptr);
        QCOMPARE(View()->selectionModel()->selectedRows().value(0), model->IndexOf(Tree().Selected()));
    }

    void aRefusedDragSaysWhyInTheStatusBar() {
        Start(test::ExampleMenuScript());
        auto* model = static_cast<MenuTreeModel*>(View()->model());
        View()->expandAll();
        const auto dragOver = [&](const char* caption) {
            return test::DragTo(*View(), View()->visualRect(model->IndexOf(Find(caption))).center(), false);
        };
        QStatusBar* status = f->mainWindow->statusBar();
        Tree().Select(Find("Products"));
        QVERIFY(!dragOver("Contact"));
        QCOMPARE(status->currentMessage(), QString("A menu has at most three levels"));
        QVERIFY(!dragOver("Editor"));
        QCOMPARE(status->currentMessage(), QString("An item cannot move into itself"));
        QVERIFY(dragOver("Home"));
        QCOMPARE(status->currentMessage(), QString());
        // Let go over its own child, the item stays and the reason stays shown.
        QVERIFY(!test::DragTo(*View(), View()->visualRect(model->IndexOf(Find("Software"))).center(), true));
        QCOMPARE(Find("Software")->Parent(), Find("Products"));
        QCOMPARE(status->currentMessage(), QString("An item cannot move into itself"));
    }

    // Restored, the window stands at the top-left corner; start-up messages
    // wait until the maximised window has its size.
    void restoredWindowStandsTopLeftAndStartupMessagesWaitForTheShownSize() {
        f->WriteTemplate("temp.js", test::ExampleMenuScript());
        f->Start();
        QVERIFY(f->mainWindow->testAttribute(Qt::WA_Moved));
        QCOMPARE(f->mainWindow->normalGeometry(), QRect(0, 0, 796, 543));
        f->mainWindow->showMaximized();
        QTRY_COMPARE_WITH_TIMEOUT(f->services.messages.size(), size_t{1}, test::kWaitMs);
        QCOMPARE(f->services.messages[0].parentGeometry.size(), f->mainWindow->size());
        QVERIFY(f->mainWindow->size() != QSize(796, 543));
        f->mainWindow->showNormal();
        QTRY_COMPARE_WITH_TIMEOUT(f->mainWindow->size(), QSize(796, 543), test::kWaitMs);
        QCOMPARE(f->mainWindow->frameGeometry().topLeft(), QPoint(0, 0));
    }
};

TAVEL_GUI_TEST_MAIN(MainWindowCommandsTest)
#include "MainWindowCommandsTest.moc"
