// Save, Save as, Open and the close question, driven through the actions
// and the close event, with the dialogs and questions answered by a script.
#include "GuiFixture.h"
#include "menu/MenuTree.h"
#include "project/TreeCommands.h"
#include "ui/ItemDialog.h"
#include "ui/MainWindow.h"
#include "ui/MenuTreeModel.h"
#include "ui/ProjectSaveDialog.h"

#include <QDir>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>

using namespace tavel;
using test::ReadFile;
using test::WriteFile;
using Button = QMessageBox::StandardButton;

class ProjectCommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::GuiFixture> f;
    std::unique_ptr<QTemporaryDir> folders;  // fresh for each test

    MainWindow& Start(const std::string& script = test::ExampleMenuScript()) {
        return f->StartWith(script, "<html>page</html>\r\n",
                            "A.menu {}\r\ntable{ background-image: url(\"../buttons/blue.jpg\");}/*blue*/\r\n");
    }
    MainWindow& W() { return *f->mainWindow; }
    Workspace& Work() { return W().Work(); }
    void Trigger(const char* action) { W().Action(action)->trigger(); }
    void Edit() { TreeCommands(Work()).AddSeparator(); }  // a tree edit, as F5 makes it
    // The Save dialog's answer: the folder opened in its list, the name, OK or Cancel.
    void AnswerSaveDialog(const QString& folder, const QString& name, bool ok) {
        f->services.dialogs.push_back([=](QDialog& dialog) {
            auto& save = static_cast<ProjectSaveDialog&>(dialog);
            if (save.objectName() != "TForm6") return false;
            save.OpenFolder(folder);
            save.Edit1()->setText(name);
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
    bool SaveEnabled() { return W().Action("Action2")->isEnabled(); }
    QString SaveHint() { return W().Action("Action2")->statusTip(); }
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
        QCOMPARE(SaveHint(), QString("Save project to the current file"));

        // Cancelled: nothing saved, Save stays enabled, the flag stays set.
        AnswerSaveDialog(folders->path(), "Menu1", false);
        Trigger("Action2");
        QVERIFY(SaveEnabled());
        QVERIFY(Work().Modified());
        QVERIFY(!QDir(Project("Menu1")).exists());
        QCOMPARE(W().windowTitle(), QString("Tavel Builder - Default project"));

        AnswerSaveDialog(folders->path(), "Menu1", true);
        Trigger("Action2");
        QCOMPARE(W().windowTitle(), QString("Tavel Builder - Menu1"));
        QVERIFY(!SaveEnabled());
        QCOMPARE(SaveHint(), QString("Project has not been modified!"));
        QVERIFY(ReadFile(Project("Menu1/temp.js")).contains("----------"));
        QCOMPARE(ReadFile(Project("Menu1/table_bgcolor.jpg")), QByteArray("blue-bytes"));
        QVERIFY(W().findChild<QPlainTextEdit*>("Memo3")->toPlainText().contains("url(\"table_bgcolor.jpg\")"));

        // A tree edit enables Save again; Save now writes in place, no dialog.
        Trigger("Action18");
        QVERIFY(SaveEnabled());
        Trigger("Action2");
        QVERIFY(!SaveEnabled());
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
    }

    void saveAsOverAnotherProjectAsksFirst() {
        Start();
        MakeProject("Other", "var theMenu = new Array();\r\n");
        AnswerSaveDialog(folders->path(), "Other", true);
        f->services.answers.push_back(Button::No);
        Trigger("Action3");
        QCOMPARE(LastQuestion().icon, QMessageBox::Warning);
        QVERIFY(LastQuestion().text.contains(Project("Other")));
        QCOMPARE(f->services.lastButtons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(ReadFile(Project("Other/index.htm")), QByteArray("<p>Other</p>\r\n"));
        QVERIFY(Work().IsDefaultProject());

        AnswerSaveDialog(folders->path(), "Other", true);
        f->services.answers.push_back(Button::Yes);
        Trigger("Action3");
        QCOMPARE(ReadFile(Project("Other/index.htm")), QByteArray("<html>page</html>\r\n"));
        QCOMPARE(W().windowTitle(), QString("Tavel Builder - Other"));

        // Its own folder again: no question.
        AnswerSaveDialog(folders->path(), "Other", true);
        Trigger("Action3");
        QCOMPARE(f->services.questions.size(), size_t{2});
    }

    void aFailedSaveAsIsShownAndChangesNothing() {
        Start();
        Trigger("Action18");
        AnswerSaveDialog(folders->path() + "/", "no/such/folder", true);  // parent folders missing
        Trigger("Action2");
        QCOMPARE(f->services.messages.size(), size_t{1});
        QVERIFY(f->services.messages[0].text.contains("no/such/folder"));
        QVERIFY(Work().IsDefaultProject());
        QVERIFY(Work().Modified());
        QVERIFY(SaveEnabled());
        QCOMPARE(W().windowTitle(), QString("Tavel Builder - Default project"));
    }

    void openAsksFirstAndCancelAtEachStepStops() {
        Start();
        MakeProject("Shop", test::ExampleMenuScript().c_str());
        Trigger("Action18");

        // Cancel at the question: no file dialog, nothing changes.
        f->services.answers.push_back(Button::Cancel);
        Trigger("Action4");
        QCOMPARE(LastQuestion().caption, QString("Confirmation..."));
        QCOMPARE(LastQuestion().text, QString("Save changes to this default project?"));
        QCOMPARE(LastQuestion().icon, QMessageBox::NoIcon);
        QCOMPARE(f->services.lastButtons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QVERIFY(Work().Modified());

        // Yes on the default project runs Save as; cancelling it ends Open too.
        f->services.answers.push_back(Button::Yes);
        AnswerSaveDialog(folders->path(), "Kept", false);
        Trigger("Action4");
        QVERIFY(Work().IsDefaultProject());
        QVERIFY(Work().Modified());

        // No: the file dialog, then the chosen file's folder is the project.
        f->services.answers.push_back(Button::No);
        f->services.filesToOpen.push_back(Project("Shop/any.js"));
        Trigger("Action4");
        QCOMPARE(f->services.lastOpenFilter, QString("Java Script File (*.js)"));
        QCOMPARE(f->services.lastOpenFolder, QDir::homePath());
        QCOMPARE(W().windowTitle(), QString("Tavel Builder - Shop"));
        QCOMPARE(QString::fromStdString(Work().ProjectFolder()), Project("Shop") + "/");
        QCOMPARE(Work().Tree().Count(), size_t{10});
        QVERIFY(!Work().Modified());
        QCOMPARE(W().findChild<QPlainTextEdit*>("Memo2")->toPlainText(), QString("<p>Shop</p>\n"));

        // A named project: Yes saves in place; a cancelled file dialog keeps that save.
        Work().Tree().Select(Work().Tree().Top(1)->Child(0));
        Trigger("Action18");
        f->services.answers.push_back(Button::Yes);
        f->services.filesToOpen.push_back(QString());
        Trigger("Action4");
        QCOMPARE(LastQuestion().text, QString("Save changes to this project, \"Shop\"?"));
        QCOMPARE(f->services.lastOpenFolder, Project("Shop") + "/");  // opens where the project is
        QVERIFY(!Work().Modified());
        QCOMPARE(ReadFile(Project("Shop/temp.js")).toStdString(), Work().Texts().script);
        QVERIFY(ReadFile(Project("Shop/temp.js")).toStdString() != test::ExampleMenuScript());
    }

    void openOfAnIncompleteFolderNamesTheFilesAndKeepsTheProject() {
        Start();
        MakeProject("Broken", "x\r\n");
        QFile::remove(Project("Broken/stt.css"));
        f->services.filesToOpen.push_back(Project("Broken/temp.js"));
        Trigger("Action4");
        QCOMPARE(f->services.messages.size(), size_t{1});
        QVERIFY(f->services.messages[0].text.contains(Project("Broken/stt.css")));
        QCOMPARE(W().windowTitle(), QString("Tavel Builder - Default project"));
        QCOMPARE(Work().Tree().Count(), size_t{10});

        // A foreign script opens, but the user hears that it read as nothing.
        MakeProject("Foreign", "menu = [];\r\n");
        f->services.filesToOpen.push_back(Project("Foreign/temp.js"));
        Trigger("Action4");
        QCOMPARE(f->services.messages.size(), size_t{2});
        QCOMPARE(f->services.messages[1].icon, QMessageBox::Warning);
        QVERIFY(f->services.messages[1].text.contains(Project("Foreign/temp.js")));
    }

    void theCloseQuestionKeepsWorkUnlessToldOtherwise() {
        Start();
        QVERIFY(W().close());  // clean: no question
        QVERIFY(f->services.questions.empty());

        Edit();
        f->services.answers.push_back(Button::Cancel);
        QVERIFY(!W().close());
        QCOMPARE(LastQuestion().caption, QString("Tavel Builder"));
        QCOMPARE(LastQuestion().icon, QMessageBox::Warning);
        QCOMPARE(LastQuestion().text, QString("Save changes to this default project?"));

        // Yes, then the Save dialog cancelled: the window stays, work kept.
        f->services.answers.push_back(Button::Yes);
        AnswerSaveDialog(folders->path(), "Menu1", false);
        QVERIFY(!W().close());
        QVERIFY(Work().Modified());

        // Exit runs the same question; Yes saves the project and closes.
        f->services.answers.push_back(Button::Yes);
        AnswerSaveDialog(folders->path(), "Menu1", true);
        Trigger("Action6");
        QVERIFY(!Work().Modified());
        QVERIFY(QFile::exists(Project("Menu1/sys.js")));

        Edit();
        f->services.answers.push_back(Button::No);
        QVERIFY(W().close());
        QVERIFY(Work().Modified());  // closed without saving
    }

    void eightBitTextsKeepTheirBytes() {
        // "Café" written in Windows-1252 by an older program.
        std::string script = test::ExampleMenuScript();
        script.replace(script.find("Home"), 4, "Caf\xe9");
        Start(script);
        f->WriteTemplate("index.htm", "<p>\xe9t\xe9</p>\r\n");
        auto* model = static_cast<MenuTreeModel*>(W().findChild<QTreeView*>("Tree")->model());
        MenuItem* cafe = Work().Tree().Top(0);
        QCOMPARE(model->data(model->IndexOf(cafe), Qt::DisplayRole).toString(), QString("Café"));

        // Opened and closed with OK unchanged, the caption keeps its byte;
        // an edited one is written in the same code page.
        Work().Tree().Select(cafe);
        f->services.dialogs.push_back([](QDialog&) { return true; });
        Trigger("Action9");
        QCOMPARE(cafe->Data().Caption, std::string("Caf\xe9"));
        f->services.dialogs.push_back([](QDialog& d) {
            static_cast<ItemDialog&>(d).Edit1()->setText("Crème €");
            return true;
        });
        Trigger("Action9");
        QCOMPARE(QByteArray::fromStdString(cafe->Data().Caption).toHex(), QByteArray("Cr\xe8me \x80").toHex());

        // The same in a tab: the page read back and edited keeps its code page.
        MakeProject("Old", test::ExampleMenuScript().c_str());
        WriteFile(Project("Old/index.htm"), "<p>\xe9t\xe9</p>\r\n");
        f->services.answers.push_back(Button::No);
        f->services.filesToOpen.push_back(Project("Old/temp.js"));
        Trigger("Action4");
        auto* memo2 = W().findChild<QPlainTextEdit*>("Memo2");
        QCOMPARE(memo2->toPlainText(), QString("<p>été</p>\n"));
        memo2->setPlainText(memo2->toPlainText() + "<p>à</p>\n");
        Trigger("Action11");
        QCOMPARE(Work().Texts().page, std::string("<p>\xe9t\xe9</p>\r\n<p>\xe0</p>\r\n"));
    }

    void theSaveDialogIsAnOrdinaryKeyboardDialog() {
        Start();
        ProjectSaveDialog& dialog = *f->saveDialog;
        QCOMPARE(dialog.windowTitle(), QString("Save"));
        QCOMPARE(dialog.ProjectName(), QString("Default Project"));
        QCOMPARE(dialog.CurrentFolder(), QDir::homePath());
        auto* drives = dialog.findChild<QComboBox*>("DriveComboBox1");
        QCOMPARE(drives->itemData(0).toString(), QDir::homePath());
        QCOMPARE(drives->currentIndex(), 0);

        QDir(folders->path()).mkdir("Inner");
        dialog.OpenFolder(folders->path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.Edit1());
        QVERIFY(dialog.findChild<QPushButton*>("OKBtn")->isDefault());

        // Enter on a folder in the list opens it and does not press OK.
        auto* list = dialog.findChild<QListView*>("dir");
        QTRY_COMPARE(list->model()->rowCount(list->rootIndex()), 2);  // ".." and Inner, listed as they come
        const QModelIndexList found =
            list->model()->match(list->model()->index(0, 0, list->rootIndex()), Qt::DisplayRole, "Inner", 1, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QModelIndex inner = found[0];
        list->setFocus();
        list->setCurrentIndex(inner);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.CurrentFolder(), Project("Inner"));
        // A highlighted folder is not the folder: ".." is only highlighted.
        list->setCurrentIndex(list->model()->index(0, 0, list->rootIndex()));
        QCOMPARE(dialog.CurrentFolder(), Project("Inner"));
        QTest::keyClick(dialog.Edit1(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

TAVEL_GUI_TEST_MAIN(ProjectCommandsTest)
#include "ProjectCommandsTest.moc"
