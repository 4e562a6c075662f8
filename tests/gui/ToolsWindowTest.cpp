// The Program Tools window: its fields, and Create and Integrate run from
// its buttons on the main window's project.
#include "GuiFixture.h"
#include "project/Workspace.h"
#include "ui/LocalText.h"
#include "ui/MainWindow.h"
#include "ui/ToolsWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

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

QString ExpectedChooser(const QString& folder) {
    return "SaveDialog1 | Choose page | open | existing | Web pages (*.htm *.html);All files (*) | " +
           QDir(folder).canonicalPath();
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
        f->mainWindow->Action("Action13")->trigger();
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

    void fieldsFitAndAddTitlesEnablesTheFormat() {
        ShowTools();
        QVERIFY(Tools().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!Tools().isModal());
        const struct {
            const char* name;
            const char* text;
        } fields[] = {{"Edit1", ""}, {"Edit2", ""}, {"Edit3", "Title"}, {"Edit4", " :: "}, {"Edit5", "Item"}};
        for (const auto& e : fields) QCOMPARE(Control<QLineEdit>(e.name)->text(), QString(e.text));
        QVERIFY(Control<QCheckBox>("CheckBox2")->isChecked());
        QVERIFY(Control<QCheckBox>("CheckBox3")->isChecked());
        // The page is chosen among existing ones, from the user's home while
        // the default project is open.
        QString chooser;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            chooser = DescribeChooser(static_cast<QFileDialog&>(dialog));
            return false;
        });
        Click("Button1");
        QCOMPARE(chooser, ExpectedChooser(QDir::homePath()));
        QCOMPARE(Control<QLineEdit>("Edit1")->text(), QString());

        // Nothing is cut off by the fonts at hand.
        QVERIFY(Tools().width() >= 230 && Tools().height() >= 221);
        for (QWidget* control : Tools().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!control->isVisible()) continue;
            QVERIFY2(Tools().rect().contains(control->geometry()), qPrintable(control->objectName()));
            QVERIFY2(control->width() >= control->minimumSizeHint().width(), qPrintable(control->objectName()));
        }

        // The default project has no name to offer; the user's name stays.
        Control<QCheckBox>("CheckBox3")->click();
        for (const char* name : {"Label4", "Edit3", "Edit4", "Edit5"})
            QVERIFY2(!Control<QWidget>(name)->isEnabled(), name);
        Control<QCheckBox>("CheckBox3")->click();
        for (const char* name : {"Label4", "Edit3", "Edit4", "Edit5"})
            QVERIFY2(Control<QWidget>(name)->isEnabled(), name);

        Control<QLineEdit>("Edit3")->setText("Part");
        QTest::keyClick(&Tools(), Qt::Key_Escape);
        QVERIFY(!Tools().isVisible());
        ShowTools();
        QCOMPARE(Control<QLineEdit>("Edit3")->text(), QString("Part"));
        Click("BitBtn1");
        QVERIFY(!Tools().isVisible());
    }

    void createOnTheDefaultProjectAsksForASave() {
        ShowTools();
        Click("Button3");
        QCOMPARE(Messages(), QStringList{"Please, save project at first"});
        QVERIFY(Tools().isVisible());
        QCOMPARE(QByteArray::fromStdString(f->ReadTemplate("temp.js")), QByteArray::fromStdString(test::ExampleMenuScript()));
        QCOMPARE(QDir(f->ProgramFolder() + "system").entryList(QDir::Files).size(), 4);
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
        // Home 0, Products 1, Software 2, Editor 3, separator 4, Viewer 5,
        // separator 6, Hardware 7, About 8, Contact 9.
        QStringList pages = QDir(folder).entryList({"tavelitem*.htm"}, QDir::Files, QDir::Name);
        QCOMPARE(pages, QStringList({"tavelitem0.htm", "tavelitem3.htm", "tavelitem4.htm", "tavelitem5.htm",
                                     "tavelitem6.htm", "tavelitem7.htm", "tavelitem9.htm"}));
        QVERIFY(ReadFile(folder + "/tavelitem9.htm").contains("<title>Shop About :: Contact</title>"));
        const QByteArray script = ReadFile(folder + "/temp.js");
        QVERIFY(script.contains("\"Contact\",\"Write to us\",\"tavelitem9.htm\""));
        // The Database tab shows the script with the new links.
        QCOMPARE(QByteArray::fromStdString(ProjectText(f->mainWindow->findChild<QPlainTextEdit*>("Memo1")->toPlainText())),
                 script);

        // Integrate: refused without a page, then into a page chosen with
        // the file dialog.
        ShowTools();
        f->services.messages.clear();
        Click("Button2");
        QCOMPARE(Messages(), QStringList{"Choose the page to integrate the menu into."});
        const QString page = projects.path() + "/mine.htm";
        WriteFile(page, "<html><head><title>Mine</title></head><body>Own text</body></html>");
        QString chooser;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            chooser = DescribeChooser(static_cast<QFileDialog&>(dialog));
            static_cast<QFileDialog&>(dialog).selectFile(page);
            return true;
        });
        Click("Button1");
        QCOMPARE(chooser, ExpectedChooser(folder));
        QCOMPARE(Control<QLineEdit>("Edit1")->text(), page);
        f->services.messages.clear();
        Click("Button2");
        QCOMPARE(Messages(), QStringList{"The menu was integrated into " + page + "."});
        QVERIFY(Tools().isVisible());
        QVERIFY(ReadFile(page).contains("src=\"temp.js\"></script></head><body onLoad=\"buildMenu('theMenu')\">Own text"));
        QCOMPARE(ReadFile(projects.path() + "/temp.js"), script);

        // A second time the page stays as it is and only its menu files are
        // written again.
        const QByteArray integrated = ReadFile(page);
        WriteFile(projects.path() + "/temp.js", "old");
        f->services.messages.clear();
        Click("Button2");
        QCOMPARE(Messages(), QStringList{page + " already loads the menu; its menu files were refreshed."});
        QCOMPARE(ReadFile(page), integrated);
        QCOMPARE(ReadFile(projects.path() + "/temp.js"), script);
    }
};

TAVEL_GUI_TEST_MAIN(ToolsWindowTest)
#include "ToolsWindowTest.moc"
