// The program as installed under a staged /usr, with a home of its own: the
// shipped data is only read, and everything the program writes of its own
// goes to the user's data folder, which a second start keeps.
#include "GuiFixture.h"
#include "project/DataFolders.h"
#include "ui/DataFolderLookup.h"
#include "ui/MainWindow.h"
#include "ui/StyleMasterDialog.h"

#include <QAction>
#include <QComboBox>
#include <QDirIterator>
#include <QListWidget>
#include <QPushButton>

using namespace tavel;
using test::Child;

namespace {

QMap<QString, QByteArray> Snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        files[path] = test::ReadFile(path);
    }
    return files;
}

}  // namespace

class InstalledRunTest : public QObject {
    Q_OBJECT

    const QString staged = TAVEL_STAGED_PREFIX;
    QTemporaryDir home;
    QMap<QString, QByteArray> shippedBefore;
    std::unique_ptr<test::GuiFixture> f;

    QString Shipped(const QString& file) const { return staged + "/share/tavel-builder/" + file; }
    QString User(const QString& file) const { return home.path() + "/data/tavel-builder/" + file; }
    void Trigger(const char* action) { Child<QAction>(*f->mainWindow, action)->trigger(); }
    void Start() {
        f = std::make_unique<test::GuiFixture>();
        f->StartOn(LocateDataFolders(staged + "/bin"));
    }
    QByteArray Text(std::string ProjectTexts::*text) {
        return QByteArray::fromStdString(f->mainWindow->Work().Texts().*text);
    }

private slots:
    void initTestCase() {
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
        shippedBefore = Snapshot(Shipped(""));
        QVERIFY(shippedBefore.contains(Shipped("system/sys.js")));
    }

    void theCommandsWriteIntoTheUserFolderAndASecondStartKeepsIt() {
        Start();
        QVERIFY(Child<QAction>(*f->mainWindow, "RestoreDefaultProject")->isEnabled());
        QCOMPARE(test::ReadFile(User("system/index.htm")), test::ReadFile(Shipped("system/index.htm")));

        MenuTree& tree = f->mainWindow->Work().Tree();
        tree.Select(tree.Top(0));
        Trigger("MoveDown");
        Trigger("Action17");  // Generate code
        QCOMPARE(test::ReadFile(User("system/temp.js")), Text(&ProjectTexts::script));

        f->services.answers = {QMessageBox::No};  // the moved item stays unsaved
        f->services.dialogs.push_back([](QDialog& dialog) {  // New Menu: Skin only with Inferno
            auto* list = Child<QComboBox>(dialog, "ComboBox1");
            list->setCurrentIndex(list->findText("Inferno"));
            emit list->activated(list->currentIndex());
            Child<QPushButton>(dialog, "BitBtn5")->click();
            return true;
        });
        Trigger("Action1");
        QCOMPARE(test::ReadFile(User("system/sys.js")), Text(&ProjectTexts::runtime));

        f->services.dialogs.push_back([](QDialog& dialog) {  // Page Design: a colour scheme, OK
            Child<QListWidget>(dialog, "FLB2")->setCurrentRow(0);
            return true;
        });
        Trigger("Action12");
        QCOMPARE(test::ReadFile(User("system/stt.css")), Text(&ProjectTexts::styleSheet));

        f->services.dialogs.push_back([](QDialog& dialog) {  // New Menu: "Own style...", then Close
            auto* list = Child<QComboBox>(dialog, "ComboBox1");
            list->setCurrentIndex(0);
            emit list->activated(0);
            Child<QPushButton>(dialog, "BitBtn2")->click();
            return false;
        });
        f->services.dialogs.push_back([](QDialog& dialog) {  // the Style Master saves "Mine"
            static_cast<StyleMasterDialog&>(dialog).SetValue(1, "Mine");
            dialog.accept();
            return true;
        });
        Trigger("Action1");
        QVERIFY(test::ReadFile(User("Styles/User/Mine.tvs")).startsWith("Caption = Mine"));
        QCOMPARE(f->services.ScriptMismatch(), QString());

        const QMap<QString, QByteArray> userFiles = Snapshot(User("system"));
        Start();
        QCOMPARE(Snapshot(User("system")), userFiles);
        QCOMPARE(test::ReadFile(User("system/sys.js")), Text(&ProjectTexts::runtime));
        QCOMPARE(Snapshot(Shipped("")), shippedBefore);
    }

    void restoreAsksThenPutsTheShippedProjectBack() {
        Start();
        f->services.answers = {QMessageBox::No, QMessageBox::Yes};
        Trigger("RestoreDefaultProject");
        QVERIFY(test::ReadFile(User("system/temp.js")) != test::ReadFile(Shipped("system/temp.js")));
        Trigger("RestoreDefaultProject");
        QCOMPARE(f->services.questions.size(), size_t{2});
        for (const char* file : {"system/temp.js", "system/index.htm", "system/stt.css", "system/sys.js"})
            QCOMPARE(test::ReadFile(User(file)), test::ReadFile(Shipped(file)));
        QCOMPARE(Text(&ProjectTexts::script), test::ReadFile(Shipped("system/temp.js")));
        QCOMPARE(Snapshot(Shipped("")), shippedBefore);
    }

    void cleanupTestCase() { f.reset(); }
};

TAVEL_GUI_TEST_MAIN(InstalledRunTest)
#include "InstalledRunTest.moc"
