// New Menu as the user drives it: Create, Skin only and Close through the
// action, the folder tree, and a user style made in the Style Master,
// listed, applied and deleted. The project starts clean, so the save
// question never comes up.
#include "GuiFixture.h"
#include "platform/TextLines.h"
#include "ui/MainWindow.h"
#include "ui/NewMenuDialog.h"
#include "ui/StyleMasterDialog.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeView>

using namespace tavel;
using Answer = test::ScriptedServices::DialogAnswer;
using test::Child;

namespace {

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString("<missing>");
}

void CopyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files)) QFile::copy(from + "/" + name, to + "/" + name);
}

// Picks a list entry as the user does and closes with the given button.
Answer Choose(const QString& style, const char* button, std::function<void(QDialog&)> check = {}) {
    return [=](QDialog& dialog) {
        auto* list = Child<QComboBox>(dialog, "ComboBox1");
        if (!style.isEmpty()) {
            const int index = list->findText(style);
            if (index < 0) qFatal("no style %s", qPrintable(style));
            list->setCurrentIndex(index);
            emit list->activated(index);
        }
        if (check) check(dialog);
        Child<QPushButton>(dialog, button)->click();
        return dialog.result() == QDialog::Accepted;
    };
}

}  // namespace

class NewMenuDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    std::unique_ptr<test::GuiFixture> f;

    MainWindow& Window() { return *f->mainWindow; }
    QString Program() const { return f->ProgramFolder(); }
    QString Provided(const QString& name) const { return Read(QString(TAVEL_SOURCE_DIR "/data/Styles/Provided/") + name); }
    QString Memo(const char* name) { return Window().findChild<QPlainTextEdit*>(name)->toPlainText(); }
    void NewMenu() { Window().Action("Action1")->trigger(); }
    QStringList Messages() const { return f->services.MessageTexts(); }
    static QString SlotLine(const QString& runtime, int line) { return runtime.split("\r\n").at(line - 1); }

private slots:
    void initTestCase() { qputenv("HOME", home.path().toUtf8()); }

    void init() {
        f = std::make_unique<test::GuiFixture>();
        CopyFolder(TAVEL_SOURCE_DIR "/data/system", f->folder.path() + "/system");
        CopyFolder(TAVEL_SOURCE_DIR "/data/Styles/Provided", f->folder.path() + "/Styles/Provided");
        f->Start();
        QVERIFY(!Window().Work().Modified());
    }

    void cleanup() {
        QVERIFY2(f->services.ScriptMismatch().isEmpty(), qPrintable(f->services.ScriptMismatch()));
        f.reset();
        QDir(home.path()).removeRecursively();
        QDir().mkpath(home.path());
    }

    void createWithTheInitialFieldsMakesAndOpensTheProject() {
        f->services.dialogs.push_back(Choose("", "BitBtn1", [&](QDialog& dialog) {
            QCOMPARE(Child<QLineEdit>(dialog, "Edit1")->text(), QString("UntitledMenu1"));
            QCOMPARE(Child<QComboBox>(dialog, "ComboBox1")->currentText(), QString("Hot summer"));
            QCOMPARE(Child<QComboBox>(dialog, "ComboBox1")->count(), 8);
            QCOMPARE(Child<QLineEdit>(dialog, "Edit2")->text(), home.path() + "/");
            QVERIFY(!Child<QPushButton>(dialog, "BitBtn4")->isEnabled());
            const QImage shown = Child<QLabel>(dialog, "Image1")->pixmap().toImage();
            QCOMPARE(shown.size(), QSize(100, 60));
            // The picture itself, not bytes taken for something else.
            const QImage file(QString(TAVEL_SOURCE_DIR "/data/Styles/Provided/Hot summer.jpg"));
            for (QPoint at : {QPoint(5, 5), QPoint(50, 30), QPoint(90, 55)}) {
                const QColor a = shown.pixelColor(at), b = file.pixelColor(at);
                QVERIFY2(qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) < 24,
                         qPrintable(a.name() + " " + b.name()));
            }
            QVERIFY(!Child<QTreeView>(dialog, "DirOut")->isVisible());
        }));
        NewMenu();
        const QString folder = home.path() + "/UntitledMenu1/";
        QCOMPARE(Window().windowTitle(), QString("Tavel Builder - UntitledMenu1"));
        QCOMPARE(QString::fromStdString(Window().Work().ProjectFolder()), home.path() + "/UntitledMenu1");
        QCOMPARE(Window().Work().Tree().Count(), size_t(0));
        QCOMPARE(Read(folder + "stt.css"), Provided("Hot summer.css"));
        QCOMPARE(Memo("Memo3"), Provided("Hot summer.css").replace("\r\n", "\n"));
        QCOMPARE(Messages(), QStringList{"Menu was succesfully created!"});

        // The same fields again would put an empty menu over the saved one:
        // it is asked first, and No leaves the folder alone and goes back to
        // the dialog as the user left it, where another name is taken.
        QFile::remove(folder + "index.htm");
        f->services.dialogs.push_back(Choose("Inferno", "BitBtn1"));
        f->services.answers.push_back(QMessageBox::No);
        QString keptCaption, keptStyle;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            keptCaption = Child<QLineEdit>(dialog, "Edit1")->text();
            keptStyle = Child<QComboBox>(dialog, "ComboBox1")->currentText();
            Child<QLineEdit>(dialog, "Edit1")->setText("Second");
            return Choose("", "BitBtn1")(dialog);
        });
        NewMenu();
        QCOMPARE(f->services.questions.size(), size_t(1));
        QVERIFY(f->services.questions[0].text.contains(home.path() + "/UntitledMenu1/"));
        QCOMPARE(Read(folder + "stt.css"), Provided("Hot summer.css"));
        QVERIFY(!QFile::exists(folder + "index.htm"));
        QCOMPARE(keptCaption, QString("UntitledMenu1"));
        QCOMPARE(keptStyle, QString("Inferno"));
        QCOMPARE(Read(home.path() + "/Second/stt.css"), Provided("Inferno.css"));
        QCOMPARE(Window().windowTitle(), QString("Tavel Builder - Second"));
        QCOMPARE(Messages().size(), 2);
    }

    void skinOnlyRestylesTheDefaultThenANamedProject() {
        const size_t items = Window().Work().Tree().Count();
        f->services.dialogs.push_back(Choose("Green spring", "BitBtn5"));
        NewMenu();
        QCOMPARE(f->ReadTemplate("stt.css"), Provided("Green spring.css").toStdString());
        QCOMPARE(Window().Work().Tree().Count(), items);
        QCOMPARE(Window().windowTitle(), QString("Tavel Builder - Default project"));
        QCOMPARE(Messages(), QStringList{"Style has been modified!"});

        f->services.dialogs.push_back([&](QDialog& dialog) {
            Child<QLineEdit>(dialog, "Edit1")->setText("Shop");
            Child<QLineEdit>(dialog, "Edit2")->setText(home.path());  // no separator at the end
            return Choose("Serious menu", "BitBtn1")(dialog);
        });
        f->services.dialogs.push_back(Choose("Terminal Frost", "BitBtn5"));
        NewMenu();
        NewMenu();
        QCOMPARE(Read(home.path() + "/Shop/stt.css"), Provided("Terminal Frost.css"));
        QCOMPARE(SlotLine(Read(home.path() + "/Shop/sys.js"), 24), QString("var marginString =\" &gt;&nbsp;\";"));
        QCOMPARE(f->ReadTemplate("stt.css"), Provided("Green spring.css").toStdString());
        QCOMPARE(Window().windowTitle(), QString("Tavel Builder - Shop"));
    }

    void closeChangesNothing() {
        const std::string before = f->ReadTemplate("stt.css");
        f->services.dialogs.push_back(Choose("Inferno", "BitBtn2"));
        NewMenu();
        QCOMPARE(f->ReadTemplate("stt.css"), before);
        QVERIFY(Messages().isEmpty());
        QCOMPARE(Window().windowTitle(), QString("Tavel Builder - Default project"));
    }

    void theFolderTreeFillsTheDirectory() {
        QDir(home.path()).mkpath("Work/Menus");
        auto& dialog = *f->newMenuDialog;
        auto* edit2 = Child<QLineEdit>(dialog, "Edit2");
        auto* tree = Child<QTreeView>(dialog, "DirOut");
        dialog.show();
        edit2->setText(home.path() + "/Work");
        Child<QPushButton>(dialog, "Button1")->click();
        QVERIFY(tree->isVisible());
        Child<QPushButton>(dialog, "Button1")->click();
        QVERIFY(!tree->isVisible());
        QCOMPARE(edit2->text(), home.path() + "/Work");

        Child<QPushButton>(dialog, "Button1")->click();
        auto* model = static_cast<QFileSystemModel*>(tree->model());
        tree->setCurrentIndex(model->index(home.path() + "/Work/Menus"));
        emit tree->doubleClicked(tree->currentIndex());
        QCOMPARE(edit2->text(), home.path() + "/Work/Menus/");
        QVERIFY(!tree->isVisible());

        // The open tree takes its own room: the fields and buttons stay
        // visible and usable beside it.
        int closings = 0;
        connect(&dialog, &QDialog::finished, this, [&] { ++closings; });
        Child<QPushButton>(dialog, "Button1")->click();
        QVERIFY(tree->isVisible());
        QCoreApplication::sendPostedEvents();  // let the layout give the tree its place
        for (const char* name : {"Edit1", "ComboBox1", "Edit2", "Button1", "BitBtn5", "BitBtn1", "BitBtn2"}) {
            auto* control = Child<QWidget>(dialog, name);
            QVERIFY2(control->isVisible(), name);
            const QRect at(control->mapTo(&dialog, QPoint(0, 0)), control->size());
            QVERIFY2(!at.intersects(QRect(tree->mapTo(&dialog, QPoint(0, 0)), tree->size())), name);
            QVERIFY2(dialog.rect().contains(at), name);
        }

        // Enter in the tree takes the folder, not the Create button.
        tree->setCurrentIndex(model->index(home.path() + "/Work"));
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(edit2->text(), home.path() + "/Work/");
        QVERIFY(!tree->isVisible());
        QVERIFY(dialog.isVisible());
        QCOMPARE(closings, 0);

        // Escape in the tree closes the tree alone and keeps the directory.
        Child<QPushButton>(dialog, "Button1")->click();
        tree->setCurrentIndex(model->index(home.path() + "/Work/Menus"));
        QTest::keyClick(tree, Qt::Key_Escape);
        QVERIFY(!tree->isVisible());
        QVERIFY(dialog.isVisible());
        QCOMPARE(closings, 0);
        QCOMPARE(edit2->text(), home.path() + "/Work/");

        // A directory that is not a folder is reported; the tree still opens.
        edit2->setText(home.path() + "/nowhere");
        Child<QPushButton>(dialog, "Button1")->click();
        QCOMPARE(Messages().size(), 1);
        QVERIFY(Messages()[0].contains("nowhere"));
        dialog.hide();
    }

    void aUserStyleIsMadeListedAppliedAndDeleted() {
        // New Menu; in it "Own style..." opens the Style Master, whose first
        // OK is refused for its name, and whose second saves the style.
        f->services.dialogs.push_back(Choose("Own style...", "BitBtn1", [&](QDialog& dialog) {
            QCOMPARE(Child<QComboBox>(dialog, "ComboBox1")->currentText(), QString("My style"));
            QVERIFY(Child<QPushButton>(dialog, "BitBtn4")->isEnabled());
            QCOMPARE(Child<QLabel>(dialog, "Image1")->pixmap().size(), QSize(100, 60));
        }));
        std::vector<std::pair<std::string, std::string>> offered;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            auto& master = static_cast<StyleMasterDialog&>(dialog);
            offered = master.Entries();
            master.SetValue(1, "My/style");
            master.accept();
            return dialog.result() == QDialog::Accepted;
        });
        f->services.dialogs.push_back([&](QDialog& dialog) {
            auto& master = static_cast<StyleMasterDialog&>(dialog);
            master.SetValue(1, "My style");
            Child<QTableWidget>(dialog, "ValueListEditor1")->setCurrentCell(8, 1);  // Item Highlighted
            Child<QPushButton>(dialog, "ColourButton")->click();
            master.accept();
            return dialog.result() == QDialog::Accepted;
        });
        f->services.dialogs.push_back([](QDialog& dialog) {
            static_cast<QColorDialog&>(dialog).setCurrentColor(QColor("#123456"));
            return true;
        });
        NewMenu();
        // It started from the style selected before, under a new name.
        QCOMPARE(offered.size(), size_t(14));
        QCOMPARE(offered[0].second, std::string("NewUserStyle1"));
        QCOMPARE(offered[5].second, std::string("#b23a0e"));
        QCOMPARE(Messages().size(), 2);
        QVERIFY(Messages()[0].contains("\"My/style\""));
        const QString userStyle = Program() + "Styles/User/My style.tvs";
        QVERIFY(Read(userStyle).startsWith("Caption = My style\r\nTitle Width = 14\r\n"));
        QVERIFY(Read(userStyle).contains("Item Highlighted = #123456\r\n"));
        const QString folder = home.path() + "/UntitledMenu1/";
        QCOMPARE(SlotLine(Read(folder + "sys.js"), 19), QString("var itemHighlighted =\" #123456\";"));
        QCOMPARE(Read(folder + "stt.css"), Provided("Hot summer.css"));  // made from Hot summer

        // Next time it is listed after the provided styles, and deleted after the question.
        QStringList seen;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            auto* list = Child<QComboBox>(dialog, "ComboBox1");
            auto* remove = Child<QPushButton>(dialog, "BitBtn4");
            const auto note = [&] { seen << QString("%1 %2 %3").arg(list->count()).arg(list->currentText()).arg(remove->isEnabled()); };
            note();
            list->setCurrentIndex(8);
            emit list->activated(8);
            note();
            remove->click();
            note();
            Child<QPushButton>(dialog, "BitBtn2")->click();
            return dialog.result() == QDialog::Accepted;
        });
        f->services.answers.push_back(QMessageBox::Yes);
        NewMenu();
        // The dialog keeps the style selected last time.
        QCOMPARE(seen, (QStringList{"9 My style 1", "9 My style 1", "8 Hot summer 0"}));
        QCOMPARE(f->services.questions.size(), size_t(1));
        QCOMPARE(f->services.questions[0].caption, QString("Delete File"));
        QCOMPARE(f->services.questions[0].text, QString("Do you really want to delete this file?"));
        QVERIFY(!QFile::exists(userStyle));
        QVERIFY(!QFile::exists(Program() + "Styles/User/My style.css"));
        QCOMPARE(f->newMenuDialog->findChild<QComboBox*>("ComboBox1")->count(), 8);
    }
};

TAVEL_GUI_TEST_MAIN(NewMenuDialogTest)
#include "NewMenuDialogTest.moc"
