// The program as installed under a staged /usr, with a home of its own: the
// shipped data is only read, everything the program writes of its own goes
// to the user's data folder, a second start keeps it, and Restore default
// project puts the shipped texts back.
#include "project/DataFolders.h"
#include "support/GuiFixture.h"
#include "ui/common/DataFolderLookup.h"
#include "ui/main/MainWindow.h"
#include "ui/newmenu/StyleMasterDialog.h"

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

// New Menu's dialog: picks the style as the user does and presses the button.
test::ScriptedServices::DialogAnswer Choose(const QString& style, const char* button) {
    return [=](QDialog& dialog) {
        auto* list = Child<QComboBox>(dialog, "ComboBox1");
        list->setCurrentIndex(list->findText(style));
        emit list->activated(list->currentIndex());
        Child<QPushButton>(dialog, button)->click();
        return dialog.result() == QDialog::Accepted;
    };
}

}  // namespace

class InstalledRunTest : public QObject {
    Q_OBJECT

    const QString staged = TAVEL_STAGED_PREFIX;
    QTemporaryDir home;
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
    void writesGoToTheUserFolderAndOutliveTheRun() {
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
        const QMap<QString, QByteArray> shipped = Snapshot(Shipped(""));
        Start();
        MenuTree& tree = f->mainWindow->Work().Tree();
        tree.Select(tree.Top(0));
        Trigger("MoveDown");
        Trigger("Action17");  // Generate code
        QCOMPARE(test::ReadFile(User("system/temp.js")), Text(&ProjectTexts::script));
        f->services.answers = {QMessageBox::No};  // New Menu: the moved item stays unsaved
        f->services.dialogs.push_back(Choose("Inferno", "BitBtn5"));  // Skin only
        Trigger("Action1");
        QCOMPARE(test::ReadFile(User("system/sys.js")), Text(&ProjectTexts::runtime));
        f->services.dialogs.push_back([](QDialog& dialog) {  // Page Design: a colour scheme, OK
            Child<QListWidget>(dialog, "FLB2")->setCurrentRow(0);
            return true;
        });
        Trigger("Action12");
        QCOMPARE(test::ReadFile(User("system/stt.css")), Text(&ProjectTexts::styleSheet));
        f->services.dialogs.push_back(Choose("Own style...", "BitBtn2"));  // then Close
        f->services.dialogs.push_back([](QDialog& dialog) {  // the Style Master saves "Mine"
            static_cast<StyleMasterDialog&>(dialog).SetValue(1, "Mine");
            dialog.accept();
            return true;
        });
        Trigger("Action1");
        QVERIFY(test::ReadFile(User("Styles/User/Mine.tvs")).startsWith("Caption = Mine"));
        QCOMPARE(f->services.ScriptMismatch(), QString());

        const QMap<QString, QByteArray> userTexts = Snapshot(User("system"));
        Start();
        QCOMPARE(Snapshot(User("system")), userTexts);

        f->services.answers = {QMessageBox::No, QMessageBox::Yes};
        Trigger("RestoreDefaultProject");
        QCOMPARE(Snapshot(User("system")), userTexts);
        Trigger("RestoreDefaultProject");
        QCOMPARE(test::ReadFile(User("system/temp.js")), test::ReadFile(Shipped("system/temp.js")));
        QCOMPARE(Text(&ProjectTexts::script), test::ReadFile(Shipped("system/temp.js")));
        QCOMPARE(Snapshot(Shipped("")), shipped);
    }
};

TAVEL_GUI_TEST_MAIN(InstalledRunTest)
#include "InstalledRunTest.moc"
