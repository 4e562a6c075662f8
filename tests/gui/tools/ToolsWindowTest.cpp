// The Program Tools window: its fields, and Create and Integrate run from
// its buttons on the main window's project.
#include "project/TreeCommands.h"
#include "project/Workspace.h"
#include "tools/CreateSite.h"
#include "tools/MenuStyleSheet.h"
#include "support/GuiFixture.h"
#include "ui/common/LocalText.h"
#include "ui/main/MainWindow.h"
#include "ui/tools/ToolsWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QWindow>

using namespace tavel;

namespace {

// What the page chooser looked like as it opened: its name, title, modes,
// filters and the folder it started in.
QString DescribeChooser(const QFileDialog& chooser) {
    return QStringList({chooser.objectName(), chooser.windowTitle(),
                        chooser.acceptMode() == QFileDialog::AcceptOpen ? "open" : "save",
                        chooser.fileMode() == QFileDialog::ExistingFile ? "existing" : "any",
                        chooser.nameFilters().join(";"), QDir(chooser.directory()).canonicalPath()})
        .join(" | ");
}

}  // namespace
using test::ReadFile;
using test::WriteFile;

class ToolsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::GuiFixture> f;
    QTemporaryDir projects;

    ToolsWindow& Tools() { return *f->toolsWindow; }
    template <typename T>
    T* Control(const char* name) { return test::Child<T>(Tools(), name); }
    void Click(const char* name) { Control<QAbstractButton>(name)->click(); }
    QStringList Messages() { return f->services.MessageTexts(); }
    void ShowTools() {
        test::Child<QAction>(*f->mainWindow, "Action13")->trigger();
        QVERIFY(Tools().isVisible());
    }

private slots:
    void init() {
        f = std::make_unique<test::GuiFixture>();
        f->StartWith(test::ExampleMenuScript());
    }
    void cleanup() {
        QVERIFY2(f->services.ScriptMismatch().isEmpty(), qPrintable(f->services.ScriptMismatch()));
        f.reset();
    }

    // A message over the window hands the keyboard back to the control that
    // had it, whichever window the desktop activated meanwhile; Escape then
    // closes the window.
    void theKeyboardComesBackAfterAMessage() {
        QVERIFY(f->ShowActive());
        ShowTools();
        QApplication::setActiveWindow(&Tools());
        QVERIFY(QTest::qWaitForWindowActive(&Tools(), test::kWaitMs));
        Control<QLineEdit>("Edit1")->setText(projects.path() + "/none.htm");
        auto* integrate = Control<QPushButton>("Button2");
        integrate->setFocus();
        // The box takes the keyboard while it is up, and the desktop gives it
        // to the main window when it closes.
        f->services.onMessage = [this] {
            QWidget box;
            box.show();
            QApplication::setActiveWindow(&box);
            if (!QTest::qWaitForWindowActive(&box, test::kWaitMs)) qFatal("the box never came up");
            box.hide();
            QApplication::setActiveWindow(f->mainWindow.get());
        };
        QTest::keyClick(integrate, Qt::Key_Space);
        QCOMPARE(Messages().size(), 1);  // the page cannot be read
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), static_cast<QWidget*>(integrate), test::kWaitMs);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!Tools().isVisible());
    }

    void fieldsFitAndAddTitlesEnablesTheFormat() {
        f->mainWindow->show();
        ShowTools();
        // A tool window of the main window stands above it alone: the
        // program's dialogs and messages come above the tools.
        QCOMPARE(Tools().windowType(), Qt::Tool);
        QVERIFY(!Tools().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(Tools().windowHandle()->transientParent(), f->mainWindow->windowHandle());
        QVERIFY(!Tools().isModal());
        // The page is chosen among existing ones, from the user's home while
        // the default project is open.
        QString chooser;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            chooser = DescribeChooser(static_cast<QFileDialog&>(dialog));
            return false;
        });
        Click("Button1");
        QCOMPARE(chooser, "SaveDialog1 | Choose page | open | existing | Web pages (*.htm *.html);All files (*) | " +
                              QDir::home().canonicalPath());

        // Nothing is cut off by the fonts at hand.
        for (QWidget* control : Tools().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!control->isVisible()) continue;
            QVERIFY2(Tools().rect().contains(control->geometry()), qPrintable(control->objectName()));
            QVERIFY2(control->width() >= control->minimumSizeHint().width(), qPrintable(control->objectName()));
        }

        // Add titles enables the title format fields.
        for (bool on : {false, true}) {
            Control<QCheckBox>("CheckBox3")->click();
            for (const char* name : {"Label4", "Edit3", "Edit4", "Edit5"})
                QVERIFY2(Control<QWidget>(name)->isEnabled() == on, name);
        }

        // Hidden by Escape, the window keeps its fields.
        Control<QLineEdit>("Edit3")->setText("Part");
        QTest::keyClick(&Tools(), Qt::Key_Escape);
        QVERIFY(!Tools().isVisible());
        ShowTools();
        QCOMPARE(Control<QLineEdit>("Edit3")->text(), QString("Part"));
    }

    void theSiteNameFollowsTheOpenProjectUntilEdited() {
        const auto open = [&](const QString& name) {
            const QString folder = projects.path() + "/" + name;
            QDir().mkpath(folder);
            for (const char* file : {"temp.js", "index.htm", "stt.css", "sys.js"})
                WriteFile(folder + "/" + file, "var theMenu = new Array();\r\n");
            f->services.filesToOpen.push_back(folder + "/temp.js");
            test::Child<QAction>(*f->mainWindow, "Action4")->trigger();
        };
        ShowTools();
        open("Shop");
        QCOMPARE(Control<QLineEdit>("Edit2")->text(), QString("Shop"));
        QTest::keyClicks(Control<QLineEdit>("Edit2"), " site");
        open("Garden");
        QCOMPARE(Control<QLineEdit>("Edit2")->text(), QString("Shop site"));
    }

    void createOnTheDefaultProjectAsksForASave() {
        ShowTools();
        Click("Button3");
        QCOMPARE(Messages(), QStringList{"Please, save project at first"});
        QCOMPARE(QByteArray::fromStdString(f->ReadTemplate("temp.js")), QByteArray::fromStdString(test::ExampleMenuScript()));
    }

    void createAndIntegrateOnASavedProject() {
        const QString folder = projects.path() + "/Shop";
        f->mainWindow->Work().SetProject(folder.toStdString(), "Shop");
        ShowTools();
        QCOMPARE(Control<QLineEdit>("Edit2")->text(), QString("Shop"));

        Control<QCheckBox>("CheckBox2")->click();  // digit names
        Click("Button3");
        QCOMPARE(Messages(), QStringList{"Site succesfully created!"});
        QVERIFY(!Tools().isVisible());
        QVERIFY(ReadFile(folder + "/tavelitem9.htm").contains("<title>Shop About :: Contact</title>"));
        QVERIFY(ReadFile(folder + "/tavelitem9.htm").contains("<!-- menu links: begin -->"));
        // The Database tab shows the script with the new links.
        const QByteArray script = ReadFile(folder + "/temp.js");
        QVERIFY(script.contains("\"tavelitem9.htm\""));
        QCOMPARE(QByteArray::fromStdString(ProjectText(f->mainWindow->findChild<QPlainTextEdit*>("Memo1")->toPlainText())),
                 script);

        // Integrate into a page chosen with the file dialog, which opens
        // in the project's folder.
        ShowTools();
        const QString page = projects.path() + "/mine.htm";
        WriteFile(page, "<html><head><title>Mine</title></head><body>Own text</body></html>");
        QString chooser;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            chooser = QDir(static_cast<QFileDialog&>(dialog).directory()).canonicalPath();
            static_cast<QFileDialog&>(dialog).selectFile(page);
            return true;
        });
        Click("Button1");
        QCOMPARE(chooser, QDir(folder).canonicalPath());
        f->services.messages.clear();
        // Cleared, "Write links for readers without scripts" leaves the links out.
        QVERIFY(Control<QCheckBox>("CheckBox4")->isChecked());
        Control<QCheckBox>("CheckBox4")->click();
        Click("Button2");
        QCOMPARE(Messages(), QStringList{"The menu was integrated into " + page + "."});
        QVERIFY(Tools().isVisible());
        QVERIFY(ReadFile(page).contains("src=\"temp.js\"></script></head>"));
        QVERIFY(!ReadFile(page).contains("menu links"));
        QCOMPARE(ReadFile(projects.path() + "/temp.js"), script);
        // "Keep the page's own look", checked at first, writes the menu's
        // rules alone beside the page; cleared, the whole sheet.
        const std::string& sheet = f->mainWindow->Work().Texts().styleSheet;
        QVERIFY(Control<QCheckBox>("CheckBox5")->isChecked());
        QCOMPARE(ReadFile(projects.path() + "/stt.css"), QByteArray::fromStdString(MenuStyleSheet(sheet)));
        Control<QCheckBox>("CheckBox5")->click();
        Click("Button2");
        QCOMPARE(ReadFile(projects.path() + "/stt.css"), QByteArray::fromStdString(sheet));
    }

    // A failed run keeps the undo steps; a finished one adds its links as one
    // more, says how many in the status bar, and writes the language of
    // "Page language". A page the program did not write is asked about first.
    void digitNamesAreOneUndoStepAndOwnersPagesAreAskedAbout() {
        const QString folder = projects.path() + "/Failing";
        Workspace& work = f->mainWindow->Work();
        work.SetProject(folder.toStdString(), "Failing");
        TreeCommands(work).AddSeparator();
        const std::string undoBefore = work.History().UndoName();
        QDir().mkpath(folder + "/tavelitem9.htm");
        ShowTools();
        QCOMPARE(Control<QLineEdit>("Edit6")->text(), QString("en"));
        Control<QCheckBox>("CheckBox2")->click();  // digit names
        Click("Button3");
        QCOMPARE(Messages().size(), 1);
        QVERIFY(Messages()[0].contains(folder + "/tavelitem9.htm"));
        QCOMPARE(work.History().UndoName(), undoBefore);
        QVERIFY(Tools().isVisible());

        QDir(folder).rmdir("tavelitem9.htm");
        WriteFile(folder + "/tavelitem9.htm", "<html><body>Mine</body></html>");
        Control<QLineEdit>("Edit6")->clear();
        QTest::keyClicks(Control<QLineEdit>("Edit6"), "de");
        f->services.answers.push_back(QMessageBox::No);
        Click("Button3");
        QCOMPARE(f->services.questions.size(), size_t(1));
        QVERIFY(f->services.questions[0].text.contains("tavelitem9.htm"));
        QCOMPARE(ReadFile(folder + "/tavelitem9.htm"), QByteArray("<html><body>Mine</body></html>"));
        f->services.answers.push_back(QMessageBox::Yes);
        Click("Button3");
        QVERIFY(ReadFile(folder + "/tavelitem9.htm").startsWith("<!DOCTYPE html><html lang=\"de\">"));
        QCOMPARE(work.History().UndoName(), std::string(kDigitNamesEditName));
        QVERIFY(f->mainWindow->statusBar()->currentMessage().contains(" links were replaced by page names"));
        test::Child<QAction>(*f->mainWindow, "Undo")->trigger();
        QCOMPARE(work.History().UndoName(), undoBefore);
        QVERIFY(work.Modified());
    }
};

TAVEL_GUI_TEST_MAIN(ToolsWindowTest)
#include "ToolsWindowTest.moc"
