// Save, Save as, Open and the close question, driven through the actions
// and the close event, with the dialogs and questions answered by a script.
// What each operation writes and reads is pinned by the core tests; these
// check that the windows reach it and that every question can stop it.
#include "menu/MenuTree.h"
#include "project/TreeCommands.h"
#include "support/GuiFixture.h"
#include "ui/item/ItemDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MenuTreeModel.h"
#include "ui/save/ProjectSaveDialog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>
#include <QTreeWidget>

using namespace tavel;
using test::ReadFile;
using test::WriteFile;
using Button = QMessageBox::StandardButton;

class ProjectCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::GuiFixture> f;
    std::unique_ptr<QTemporaryDir> folders;  // fresh for each test

    MainWindow& Start(const std::string& script = test::ExampleMenuScript(),
                      const std::string& page = "<html>page</html>\r\n") {
        return f->StartWith(script, page, "A.menu {}\r\n");
    }
    MainWindow& W() { return *f->mainWindow; }
    Workspace& Work() { return W().Work(); }
    void Trigger(const char* action) { test::Child<QAction>(W(), action)->trigger(); }
    void Edit() { TreeCommands(Work()).AddSeparator(); }  // a tree edit, as F5 makes it
    // The Save dialog's answer: the folder opened in its list, the name, OK or Cancel.
    void AnswerSaveDialog(const QString& name, bool ok) {
        const QString folder = folders->path();
        f->services.dialogs.push_back([=](QDialog& dialog) {
            auto& save = static_cast<ProjectSaveDialog&>(dialog);
            if (save.objectName() != "TForm6") return false;
            save.OpenFolder(folder);
            save.ProjectNameEdit()->setText(name);
            return ok;
        });
    }
    QString Project(const QString& name) const { return folders->path() + "/" + name; }
    void MakeProject(const QString& name, const QByteArray& script) {
        QDir(folders->path()).mkdir(name);
        WriteFile(Project(name) + "/temp.js", script);
        WriteFile(Project(name) + "/index.htm", "<p>" + name.toUtf8() + "</p>\r\n");
        WriteFile(Project(name) + "/stt.css", "B {}\r\n");
        WriteFile(Project(name) + "/sys.js", "// runtime\r\n");
    }
    bool SaveEnabled() { return test::Child<QAction>(W(), "Action2")->isEnabled(); }
    QString Title() { return W().windowTitle(); }
    const test::ScriptedServices::Shown& LastQuestion() { return f->services.questions.back(); }

private slots:
    void init() {
        f = std::make_unique<test::GuiFixture>();
        folders = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        QVERIFY2(f->services.ScriptMismatch().isEmpty(), qPrintable(f->services.ScriptMismatch()));
        f.reset();
    }

    void saveOfTheDefaultProjectRunsSaveAsThenSavesInPlace() {
        Start();
        Trigger("Action18");

        // Cancelled: the changes are still unsaved, so Save stays enabled.
        AnswerSaveDialog("Menu1", false);
        Trigger("Action2");
        QVERIFY(SaveEnabled());
        QVERIFY(Work().Modified());
        QVERIFY(!QDir(Project("Menu1")).exists());

        AnswerSaveDialog("Menu1", true);
        Trigger("Action2");
        QCOMPARE(Title(), QString("Tavel Builder - Menu1"));
        QVERIFY(!SaveEnabled());
        QCOMPARE(test::Child<QAction>(W(), "Action2")->statusTip(), QString("Project has not been modified!"));

        // Now Save writes in place: no dialog is scripted, none may show.
        Trigger("Action18");
        QVERIFY(SaveEnabled());
        Trigger("Action2");
        QVERIFY(!Work().Modified());
        QCOMPARE(ReadFile(Project("Menu1/temp.js")).count("----------"), 2);

        // The dialog kept its name and folder for the next use.
        QStringList kept;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            auto& save = static_cast<ProjectSaveDialog&>(dialog);
            kept = {save.ProjectName(), save.CurrentFolder()};
            return false;
        });
        Trigger("Action3");
        QCOMPARE(kept, QStringList({"Menu1", folders->path()}));

        // And for the next run, which starts in the home folder once that
        // folder is gone.
        QCOMPARE(QStringList({ProjectSaveDialog().ProjectName(), ProjectSaveDialog().CurrentFolder()}), kept);
        QVERIFY(QDir(folders->path()).removeRecursively());
        QCOMPARE(QStringList({ProjectSaveDialog().ProjectName(), ProjectSaveDialog().CurrentFolder()}),
                 QStringList({"Menu1", QDir::homePath()}));
    }

    void saveAsOverAnotherProjectAsksFirst() {
        Start();
        MakeProject("Other", "var theMenu = new Array();\r\n");
        AnswerSaveDialog("Other", true);
        f->services.answers.push_back(Button::No);
        Trigger("Action3");
        QCOMPARE(LastQuestion().icon, QMessageBox::Warning);
        QVERIFY(LastQuestion().text.contains(Project("Other")));
        QCOMPARE(f->services.lastButtons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(f->services.lastDefaultButton, QMessageBox::No);
        QCOMPARE(ReadFile(Project("Other/index.htm")), QByteArray("<p>Other</p>\r\n"));
        QVERIFY(Work().IsDefaultProject());

        AnswerSaveDialog("Other", true);
        f->services.answers.push_back(Button::Yes);
        Trigger("Action3");
        QCOMPARE(ReadFile(Project("Other/index.htm")), QByteArray("<html>page</html>\r\n"));
        QCOMPARE(Title(), QString("Tavel Builder - Other"));
    }

    void openAsksFirstAndCancelAtEachStepStops() {
        Start();
        MakeProject("Shop", test::ExampleMenuScript().c_str());
        Trigger("Action18");

        // Cancel at the question: no file dialog, nothing changes.
        f->services.answers.push_back(Button::Cancel);
        Trigger("Action4");
        QCOMPARE(LastQuestion().text, QString("Save changes to this default project?"));
        QCOMPARE(f->services.lastButtons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QVERIFY(Work().Modified());

        // Yes on the default project runs Save as; cancelling it ends Open too.
        f->services.answers.push_back(Button::Yes);
        AnswerSaveDialog("Kept", false);
        Trigger("Action4");
        QVERIFY(Work().IsDefaultProject());
        QVERIFY(Work().Modified());

        // No: the file dialog, then the chosen file's folder is the project.
        f->services.answers.push_back(Button::No);
        f->services.filesToOpen.push_back(Project("Shop/any.js"));
        Trigger("Action4");
        QCOMPARE(f->services.lastOpenFilter, QString("Java Script File (*.js)"));
        QCOMPARE(Title(), QString("Tavel Builder - Shop"));
        QVERIFY(!Work().Modified());
        QCOMPARE(W().findChild<QPlainTextEdit*>("Memo2")->toPlainText(), QString("<p>Shop</p>\n"));
    }

    void openOfAnIncompleteFolderNamesTheFileAndKeepsTheProject() {
        Start();
        MakeProject("Broken", "x\r\n");
        QFile::remove(Project("Broken/stt.css"));
        f->services.filesToOpen.push_back(Project("Broken/temp.js"));
        Trigger("Action4");
        QCOMPARE(f->services.messages.size(), size_t{1});
        QVERIFY(f->services.messages[0].text.contains(Project("Broken/stt.css")));
        QCOMPARE(Title(), QString("Tavel Builder - Default project"));
    }

    // A save cut short in a project is finished when the project opens, and
    // the window says so.
    void aSaveCutShortIsFinishedOnOpenAndTold() {
        Start();
        MakeProject("Shop", test::ExampleMenuScript().c_str());
        QDir(Project("Shop")).mkdir(".tavel-write-Ab12Cd");
        WriteFile(Project("Shop/.tavel-write-Ab12Cd/journal"), "tavel write journal 1\nreplace 0 1 index.htm\ncommit\n");
        WriteFile(Project("Shop/.tavel-write-Ab12Cd/0.new.index.htm"), "<p>saved</p>\r\n");
        W().OpenProjectNamed(Project("Shop"));
        QCOMPARE(f->services.MessageTexts(), QStringList{"Repaired \"" + Project("Shop") +
                                                         "\": a write cut short there was finished, so every file it "
                                                         "wrote is new."});
        QCOMPARE(ReadFile(Project("Shop/index.htm")), QByteArray("<p>saved</p>\r\n"));
        QVERIFY(!QDir(Project("Shop/.tavel-write-Ab12Cd")).exists());
    }

    // A project named from outside (the command line, the desktop) opens as
    // Open opens it; File > Recent projects then offers it, newest first, in
    // this run and the next, and drops one that is gone with a line in the
    // status bar.
    void namedProjectsOpenAndTheRecentProjectsKeepThem() {
        Start();
        MakeProject("Shop", test::ExampleMenuScript().c_str());
        MakeProject("Gone", test::ExampleMenuScript().c_str());
        W().OpenProjectNamed(Project("Shop") + "/index.htm");
        QCOMPARE(Title(), QString("Tavel Builder - Shop"));
        W().OpenProjectNamed(Project("Gone"));
        QCOMPARE(Title(), QString("Tavel Builder - Gone"));
        W().OpenProjectNamed(Project("None"));
        QCOMPARE(f->services.MessageTexts(), QStringList{"There is no project folder \"" + Project("None") + "\"."});
        QCOMPARE(Title(), QString("Tavel Builder - Gone"));

        Start();  // the next run, on the settings this one kept
        auto* recent = test::Child<QMenu>(W(), "RecentProjectsMenu");
        const auto entries = [&] {
            emit recent->aboutToShow();
            QStringList texts;
            for (QAction* entry : recent->actions()) texts << entry->text();
            return texts;
        };
        QCOMPARE(entries(), QStringList({"&1 " + Project("Gone"), "&2 " + Project("Shop")}));
        QVERIFY(QDir(Project("Gone")).removeRecursively());
        QCOMPARE(entries(), QStringList{"&1 " + Project("Shop")});
        QCOMPARE(test::Child<QStatusBar>(W(), "StatusBar1")->currentMessage(),
                 "Taken off the recent projects, since it is no longer there: " + Project("Gone") + "/");
        recent->actions().front()->trigger();
        QCOMPARE(Title(), QString("Tavel Builder - Shop"));
    }

    void theCloseQuestionKeepsWorkUnlessToldOtherwise() {
        Start();
        QVERIFY(W().close());  // clean: no question
        QVERIFY(f->services.questions.empty());

        Edit();
        f->services.answers.push_back(Button::Cancel);
        QVERIFY(!W().close());
        QCOMPARE(LastQuestion().text, QString("Save changes to this default project?"));

        // Yes, then the Save dialog cancelled: the window stays, work kept.
        f->services.answers.push_back(Button::Yes);
        AnswerSaveDialog("Menu1", false);
        QVERIFY(!W().close());
        QVERIFY(Work().Modified());

        // Exit runs the same question; Yes saves the project.
        f->services.answers.push_back(Button::Yes);
        AnswerSaveDialog("Menu1", true);
        Trigger("Action6");
        QVERIFY(!Work().Modified());
        QVERIFY(QFile::exists(Project("Menu1/sys.js")));

        Edit();
        f->services.answers.push_back(Button::No);
        QVERIFY(W().close());
        QVERIFY(Work().Modified());  // closed without saving
    }

    // The original fault: a folder where stt.css belongs, and Save had
    // already replaced the files before it.
    void aSaveThatFailsLeavesTheFilesAndTheWindowAsTheyWere() {
        Start();
        MakeProject("Shop", test::ExampleMenuScript().c_str());
        f->services.filesToOpen.push_back(Project("Shop/temp.js"));
        Trigger("Action4");
        Edit();
        auto* scriptMemo = W().findChild<QPlainTextEdit*>("Memo1");
        const QString shownScript = scriptMemo->toPlainText();
        W().findChild<QPlainTextEdit*>("Memo2")->setPlainText("<p>edited</p>");
        QFile::remove(Project("Shop/stt.css"));
        QDir(Project("Shop")).mkdir("stt.css");

        Trigger("Action2");
        QCOMPARE(f->services.messages.size(), size_t{1});
        QVERIFY(f->services.messages[0].text.contains(Project("Shop/stt.css")));
        QCOMPARE(ReadFile(Project("Shop/index.htm")), QByteArray("<p>Shop</p>\r\n"));
        QCOMPARE(ReadFile(Project("Shop/temp.js")), QByteArray(test::ExampleMenuScript().c_str()));
        QCOMPARE(QDir(Project("Shop")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 4);
        QCOMPARE(Title(), QString("Tavel Builder - Shop"));
        QVERIFY(Work().Modified());
        QVERIFY(SaveEnabled());
        QCOMPARE(scriptMemo->toPlainText(), shownScript);
        QVERIFY(Work().History().CanUndo());
    }

    void eightBitTextsKeepTheirBytes() {
        // "Café" written in Windows-1252 by an older program.
        std::string script = test::ExampleMenuScript();
        script.replace(script.find("Home"), 4, "Caf\xe9");
        Start(script, "<p>\xe9t\xe9</p>\r\n");
        auto* model = static_cast<MenuTreeModel*>(W().findChild<QTreeView*>("Tree")->model());
        MenuItem* cafe = Work().Tree().Top(0);
        QCOMPARE(model->data(model->IndexOf(cafe), Qt::DisplayRole).toString(), QString("Café"));

        // Closed with OK unchanged, the caption keeps its byte.
        Work().Tree().Select(cafe);
        f->services.dialogs.push_back([](QDialog&) { return true; });
        Trigger("Action9");
        QCOMPARE(cafe->Data().caption, std::string("Caf\xe9"));
        // A page in the same code page reads back into its tab.
        QCOMPARE(W().findChild<QPlainTextEdit*>("Memo2")->toPlainText(), QString("<p>été</p>\n"));
    }

    // Import asks first, offers the page's navigations with the main one
    // current, replaces the tree as one step Undo takes back, and leaves the
    // texts alone; a page without navigation is named and changes nothing.
    void importMenuFromPageReplacesTheTreeAsOneStep() {
        Start();
        Edit();
        const QString page = Project("site.htm");
        WriteFile(page, "<body><nav id=\"main\"><ul><li><a href=\"a.htm\">A</a><ul><li><a href=\"b.htm\">B</a></li>"
                        "</ul></li></ul></nav><footer><ul><li><a href=\"x.htm\">X</a></li><li><a href=\"y.htm\">Y</a>"
                        "</li><li><a href=\"z.htm\">Z</a></li></ul></footer></body>");
        const size_t itemsBefore = Work().Tree().Count();
        const QString script = W().findChild<QPlainTextEdit*>("Memo1")->toPlainText();
        f->services.answers.push_back(Button::No);
        f->services.filesToOpen.push_back(page);
        f->services.dialogs.push_back([](QDialog& dialog) {
            auto* list = dialog.findChild<QTreeWidget*>("NavigationList");
            if (dialog.objectName() != "NavigationChooser" || list == nullptr) return false;
            if (list->topLevelItemCount() != 2 || list->currentItem() != list->topLevelItem(0)) return false;
            if (list->accessibleName().isEmpty()) return false;
            list->setCurrentItem(list->topLevelItem(1));
            return true;
        });
        Trigger("ImportMenu");
        QCOMPARE(LastQuestion().text, QString("Save changes to this default project?"));
        QCOMPARE(Work().Tree().TopCount(), size_t{3});
        QCOMPARE(Work().Tree().Top(2)->Data().link, std::string("z.htm"));
        QVERIFY(Work().Modified());
        QCOMPARE(W().findChild<QPlainTextEdit*>("Memo1")->toPlainText(), script);

        Trigger("Undo");
        QCOMPARE(Work().Tree().Count(), itemsBefore);

        WriteFile(page, "<p>No menu here</p>");
        f->services.answers.push_back(Button::No);
        f->services.filesToOpen.push_back(page);
        Trigger("ImportMenu");
        QCOMPARE(f->services.messages.size(), size_t{1});
        QVERIFY(f->services.messages[0].text.contains(page));
        QCOMPARE(Work().Tree().Count(), itemsBefore);
    }

    void theSaveDialogIsAnOrdinaryKeyboardDialog() {
        Start();
        ProjectSaveDialog& dialog = *f->saveDialog;
        QDir(folders->path()).mkdir("Inner");
        dialog.OpenFolder(folders->path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog, test::kWaitMs));
        QCOMPARE(QApplication::focusWidget(), dialog.ProjectNameEdit());

        // Enter on a folder in the list opens it and does not press OK.
        auto* list = dialog.findChild<QListView*>("dir");
        // ".." and Inner, both there as the folder opens: what a screen
        // reader asks for at once is what the list shows.
        QCOMPARE(list->model()->rowCount(list->rootIndex()), 2);
        const QModelIndexList found =
            list->model()->match(list->model()->index(0, 0, list->rootIndex()), Qt::DisplayRole, "Inner", 1, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        list->setFocus();
        list->setCurrentIndex(found[0]);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.CurrentFolder(), Project("Inner"));
        // A highlighted folder is not the folder: ".." is only highlighted.
        list->setCurrentIndex(list->model()->index(0, 0, list->rootIndex()));
        QCOMPARE(dialog.CurrentFolder(), Project("Inner"));
        QTest::keyClick(dialog.ProjectNameEdit(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

TAVEL_GUI_TEST_MAIN(ProjectCommandsTest)
#include "ProjectCommandsTest.moc"
