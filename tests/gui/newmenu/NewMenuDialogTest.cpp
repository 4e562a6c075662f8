// New Menu as the user drives it: Create, Skin only and Close through the
// action, the folder tree, and a user style made in the Style Master,
// listed, applied and deleted. The project starts clean, so the save
// question never comes up.
#include "platform/TextLines.h"
#include "support/GuiFixture.h"
#include "ui/main/MainWindow.h"
#include "ui/newmenu/NewMenuDialog.h"
#include "ui/newmenu/StyleMasterDialog.h"

#include <QAbstractItemView>
#include <QAccessible>
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
    void NewMenu() { test::Child<QAction>(Window(), "Action1")->trigger(); }
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
            QCOMPARE(Child<QLineEdit>(dialog, "Edit2")->text(), home.path() + "/");
            QCOMPARE(Child<QLabel>(dialog, "Image1")->pixmap().size(), QSize(100, 60));
        }));
        NewMenu();
        const QString folder = home.path() + "/UntitledMenu1/";
        QCOMPARE(Window().windowTitle(), QString("Tavel Builder - UntitledMenu1"));
        QCOMPARE(Read(folder + "stt.css"), Provided("Hot summer.css"));
        QCOMPARE(Messages(), QStringList{"Menu was succesfully created!"});

        // The same fields again would put an empty menu over the saved one:
        // No leaves the folder alone and goes back to the dialog as the
        // user left it, where another name is taken.
        f->services.dialogs.push_back(Choose("Inferno", "BitBtn1"));
        f->services.answers.push_back(QMessageBox::No);
        QString keptStyle;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            keptStyle = Child<QComboBox>(dialog, "ComboBox1")->currentText();
            Child<QLineEdit>(dialog, "Edit1")->setText("Second");
            return Choose("", "BitBtn1")(dialog);
        });
        NewMenu();
        QVERIFY(f->services.questions[0].text.contains(folder));
        QCOMPARE(f->services.lastDefaultButton, QMessageBox::No);
        QCOMPARE(Read(folder + "stt.css"), Provided("Hot summer.css"));
        QCOMPARE(keptStyle, QString("Inferno"));
        QCOMPARE(Read(home.path() + "/Second/stt.css"), Provided("Inferno.css"));
    }

    void aFailedCreateGoesBackToTheDialogWithItsFields() {
        // A file stands where the project's folder would go.
        QFile clash(home.path() + "/Clash");
        QVERIFY(clash.open(QIODevice::WriteOnly));
        clash.close();
        f->services.dialogs.push_back([&](QDialog& dialog) {
            Child<QLineEdit>(dialog, "Edit1")->setText("Clash");
            return Choose("Inferno", "BitBtn1")(dialog);
        });
        QString keptName;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            keptName = Child<QLineEdit>(dialog, "Edit1")->text();
            Child<QLineEdit>(dialog, "Edit1")->setText("Mended");
            return Choose("", "BitBtn1")(dialog);
        });
        NewMenu();
        QVERIFY(Messages().at(0).contains(home.path() + "/Clash"));
        QCOMPARE(keptName, QString("Clash"));
        QCOMPARE(Read(home.path() + "/Mended/stt.css"), Provided("Inferno.css"));
    }

    void skinOnlyRestylesTheDefaultThenANamedProject() {
        f->services.dialogs.push_back(Choose("Green spring", "BitBtn5"));
        NewMenu();
        QCOMPARE(f->ReadTemplate("stt.css"), Provided("Green spring.css").toStdString());
        QCOMPARE(Messages(), QStringList{"Style has been modified!"});

        f->services.dialogs.push_back([&](QDialog& dialog) {
            Child<QLineEdit>(dialog, "Edit1")->setText("Shop");
            return Choose("Serious menu", "BitBtn1")(dialog);
        });
        f->services.dialogs.push_back(Choose("Terminal Frost", "BitBtn5"));
        NewMenu();
        NewMenu();
        QCOMPARE(Read(home.path() + "/Shop/stt.css"), Provided("Terminal Frost.css"));
        QCOMPARE(f->ReadTemplate("stt.css"), Provided("Green spring.css").toStdString());
    }

    void closeChangesNothing() {
        const std::string before = f->ReadTemplate("stt.css");
        f->services.dialogs.push_back(Choose("Inferno", "BitBtn2"));
        NewMenu();
        QCOMPARE(f->ReadTemplate("stt.css"), before);
        QVERIFY(Messages().isEmpty());
    }

    void theFolderTreeFillsTheDirectory() {
        QDir(home.path()).mkpath("Work/Menus");
        auto& dialog = *f->newMenuDialog;
        auto* edit2 = Child<QLineEdit>(dialog, "Edit2");
        auto* tree = Child<QTreeView>(dialog, "DirOut");
        auto* dir = Child<QPushButton>(dialog, "Button1");
        auto* model = static_cast<QFileSystemModel*>(tree->model());
        int closings = 0;
        connect(&dialog, &QDialog::finished, this, [&] { ++closings; });
        dialog.show();
        edit2->setText(home.path() + "/Work");
        dir->click();
        QVERIFY(tree->isVisible());

        // Enter in the tree takes the folder, not the Create button.
        tree->setCurrentIndex(model->index(home.path() + "/Work/Menus"));
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(edit2->text(), home.path() + "/Work/Menus/");
        QVERIFY(!tree->isVisible());

        // Escape in the tree closes the tree alone and keeps the directory.
        dir->click();
        tree->setCurrentIndex(model->index(home.path() + "/Work"));
        QTest::keyClick(tree, Qt::Key_Escape);
        QVERIFY(!tree->isVisible());
        QCOMPARE(edit2->text(), home.path() + "/Work/Menus/");
        QCOMPARE(closings, 0);

        // A directory that is not a folder is reported.
        edit2->setText(home.path() + "/nowhere");
        dir->click();
        QCOMPARE(Messages().size(), 1);
        QVERIFY(Messages()[0].contains("nowhere"));
        dialog.hide();
    }

    // A colour typed that is not one is refused by name and OK keeps the
    // dialog; a colour then typed right goes through.
    void aTypedValueThatIsNoColourIsRefused() {
        f->services.dialogs.push_back(Choose("Own style...", "BitBtn2"));
        bool refused = false;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            auto& form = static_cast<StyleMasterDialog&>(dialog);
            form.SetValue(6, "bleu");
            form.accept();
            refused = dialog.result() != QDialog::Accepted && Messages().size() == 1 &&
                      Messages()[0].contains("\"bleu\" is not a colour (Title Normal).");
            form.SetValue(6, "navy");
            form.accept();
            refused = refused && dialog.result() == QDialog::Accepted;
            return false;  // Cancel: nothing saved
        });
        NewMenu();
        QVERIFY(refused);
        QCOMPARE(Messages().size(), 1);
    }

    void aFailedStyleSaveReopensTheStyleMasterWithWhatWasTyped() {
        // A file stands where the user styles' folder would go.
        QFile clash(Program() + "Styles/User");
        QVERIFY(clash.open(QIODevice::WriteOnly));
        clash.close();
        f->services.dialogs.push_back(Choose("Own style...", "BitBtn2"));
        f->services.dialogs.push_back([](QDialog& dialog) {
            static_cast<StyleMasterDialog&>(dialog).SetValue(1, "Typed");
            static_cast<StyleMasterDialog&>(dialog).accept();
            return true;
        });
        QString shownAgain;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            shownAgain = QString::fromStdString(static_cast<StyleMasterDialog&>(dialog).Entries()[0].second);
            return false;
        });
        NewMenu();
        QVERIFY(Messages().at(0).contains("Styles/User"));
        QCOMPARE(shownAgain, QString("Typed"));
    }

    // The arrows pass over "Own style..." in the closed list; Enter on it
    // opens the Style Master, and leaving it unchosen keeps the style in use.
    // An entry selected in the closed list, as a screen reader selects it,
    // is chosen.
    void ownStyleOpensOnlyWhenChosen() {
        NewMenuDialog& dialog = *f->newMenuDialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog, test::kWaitMs));
        auto* list = Child<QComboBox>(dialog, "ComboBox1");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(list->currentText(), QString("Own style..."));
        QCOMPARE(dialog.SelectedStyle().name, std::string("Hot summer"));
        QCOMPARE(f->services.unexpectedDialogs, 0);

        bool masterShown = false;
        f->services.dialogs.push_back([&](QDialog&) {
            masterShown = true;
            return false;  // Cancel
        });
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(masterShown);
        QCOMPARE(list->currentText(), QString("Hot summer"));  // cancelled: back to the style in use

        QAccessible::queryAccessibleInterface(list);  // a reader looks at the list
        list->view()->selectionModel()->select(list->model()->index(2, 0), QItemSelectionModel::ClearAndSelect);
        QCOMPARE(list->currentText(), QString("Green spring"));
        QCOMPARE(dialog.SelectedStyle().name, std::string("Green spring"));

        QTest::keyClick(list, Qt::Key_Home);
        QCOMPARE(list->currentText(), QString("Own style..."));
        QTest::keyClick(list, Qt::Key_Tab);
        QCOMPARE(list->currentText(), QString("Green spring"));
        dialog.hide();
    }

    void aUserStyleIsMadeListedAppliedAndDeleted() {
        // "Own style..." opens the Style Master, whose first OK is refused
        // for its name, and whose second saves the style with a picked colour.
        f->services.dialogs.push_back(Choose("Own style...", "BitBtn1", [&](QDialog& dialog) {
            QCOMPARE(Child<QComboBox>(dialog, "ComboBox1")->currentText(), QString("My style"));
            QVERIFY(Child<QPushButton>(dialog, "BitBtn4")->isEnabled());
        }));
        std::vector<std::pair<std::string, std::string>> offered;
        const auto master = [&](const char* name, bool pickColour) {
            f->services.dialogs.push_back([&offered, name, pickColour](QDialog& dialog) {
                auto& form = static_cast<StyleMasterDialog&>(dialog);
                offered = form.Entries();
                form.SetValue(1, name);
                if (pickColour) {
                    Child<QTableWidget>(dialog, "ValueListEditor1")->setCurrentCell(8, 1);  // Item Highlighted
                    Child<QPushButton>(dialog, "ColourButton")->click();
                }
                form.accept();
                return dialog.result() == QDialog::Accepted;
            });
        };
        master("My/style", false);
        master("My style", true);
        f->services.dialogs.push_back([](QDialog& dialog) {
            static_cast<QColorDialog&>(dialog).setCurrentColor(QColor("#123456"));
            return true;
        });
        NewMenu();
        QCOMPARE(offered[5].second, std::string("#b23a0e"));  // from the style selected before
        QVERIFY(Messages()[0].contains("\"My/style\""));
        const QString userStyle = Program() + "Styles/User/My style.tvs";
        QVERIFY(Read(userStyle).contains("Item Highlighted = #123456\r\n"));
        QCOMPARE(SlotLine(Read(home.path() + "/UntitledMenu1/sys.js"), 19), QString("var itemHighlighted =\" #123456\";"));

        // Next time it is listed after the provided styles, selected as it
        // was left, and deleted after the question.
        QString selected;
        f->services.dialogs.push_back([&](QDialog& dialog) {
            selected = Child<QComboBox>(dialog, "ComboBox1")->currentText();
            Child<QPushButton>(dialog, "BitBtn4")->click();
            Child<QPushButton>(dialog, "BitBtn2")->click();
            return dialog.result() == QDialog::Accepted;
        });
        f->services.answers.push_back(QMessageBox::Yes);
        NewMenu();
        QCOMPARE(selected, QString("My style"));
        QCOMPARE(f->services.questions[0].text, QString("Do you really want to delete this file?"));
        QCOMPARE(f->services.lastDefaultButton, QMessageBox::No);
        QVERIFY(!QFile::exists(userStyle));
        QCOMPARE(f->newMenuDialog->findChild<QComboBox*>("ComboBox1")->count(), 8);
    }
};

TAVEL_GUI_TEST_MAIN(NewMenuDialogTest)
#include "NewMenuDialogTest.moc"
