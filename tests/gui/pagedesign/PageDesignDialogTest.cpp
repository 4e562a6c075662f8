// The page design dialog driven through Ctrl+D: what it shows, what OK
// writes, and that Cancel writes nothing.
#include "support/GuiFixture.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WebPreview.h"
#include "ui/pagedesign/PageDesignDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>

#include <map>

using namespace tavel;
using test::Child;

namespace {

const std::string kSheet =
    "A.menuTitle {\r\n  color : #FFFFFF;\r\n  font-size : 110%;\r\n}\r\n"
    "A.menuTitle:hover {\r\n  TEXT-DECORATION: underline;\r\n}\r\n"
    "A.menu {\r\n  color : #FFFFFF;\r\n}\r\n"
    "A.menu:hover {\r\n  font-family :\"Serif\";\r\n}\r\n"
    "table{ background-image: url(\"../buttons/blue.jpg\");}/*blue*/\r\n";

std::string Runtime() {
    const std::map<int, std::string> set = {{12, "var titleWidth = 14;"},
                                            {47, "var gaps1 = \"\";"},
                                            {48, "var gaps2 =\"<b>-)</b>\";"},
                                            {211, "// line 211 is the decoration"}};
    std::string text;
    for (int i = 1; i <= 215; ++i) text += (set.contains(i) ? set.at(i) : "// line " + std::to_string(i)) + "\r\n";
    return text;
}

}  // namespace

class PageDesignDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::GuiFixture> f;

    void Start() {
        f->WriteTemplate("gaps.ini", "// line 211 is the decoration, replaced\r\n");
        f->WriteTemplate("style.ini", "BODY {}\r\n");
        // Real pictures, over the fixture's stand-in bytes.
        for (const char* name : {"blue.jpg", "red.jpg"}) {
            const QString target = f->folder.path() + "/buttons/" + name;
            QFile::remove(target);
            QVERIFY(QFile::copy(QString(TAVEL_SOURCE_DIR) + "/data/buttons/" + name, target));
        }
        test::WriteFile(f->folder.path() + "/Styles/Color/Night.csm", "var titleWidth = 20;\r\n");
        test::WriteFile(f->folder.path() + "/Styles/Color/Night.csm.css", "A.menu {\r\n  color : #000;\r\n}\r\n");
        f->StartWith(test::ExampleMenuScript(), "<html><body>page</body></html>\r\n", kSheet, Runtime());
    }
    void PageDesign() { test::Child<QAction>(*f->mainWindow, "Action12")->trigger(); }

private slots:
    void init() { f = std::make_unique<test::GuiFixture>(); }
    void cleanup() {
        QVERIFY2(f->services.ScriptMismatch().isEmpty(), qPrintable(f->services.ScriptMismatch()));
        f.reset();
    }

    void opensWithTheProjectsValuesAndOkWritesEveryTab() {
        Start();
        QStringList shown;
        f->services.dialogs.push_back([&](QDialog& d) {
            auto* list = Child<QListWidget>(d, "BStyle");
            shown = {list->currentItem()->text(), Child<QComboBox>(d, "ComboBox3")->currentText(),
                     QString::number(Child<QSpinBox>(d, "SpinEdit1")->value()),
                     Child<QComboBox>(d, "ComboBox8")->currentText()};
            list->setCurrentRow(2);  // red
            Child<QCheckBox>(d, "CheckBox1")->setChecked(true);
            Child<QComboBox>(d, "ComboBox2")->setCurrentText("[");
            Child<QSpinBox>(d, "SpinEdit1")->setValue(40);
            Child<QComboBox>(d, "ComboBox6")->setCurrentText("Sans");
            return true;
        });
        QSignalSpy reloads(f->mainWindow->findChild<WebPreview*>(), &WebPreview::Reloaded);
        PageDesign();
        QCOMPARE(reloads.count(), 1);
        QCOMPARE(shown, QStringList({"blue", "-)", "10", "Serif"}));
        const std::string sheet = f->ReadTemplate("stt.css");
        QVERIFY2(sheet.find("font-size : 140%;") != std::string::npos, sheet.c_str());
        QVERIFY(sheet.find("font-family :\"Sans\";") != std::string::npos);
        QVERIFY(sheet.ends_with("table{ background-image: url(\"../buttons/red.jpg\");}/*red*/\r\n"));
        QVERIFY(f->ReadTemplate("sys.js").find("\r\nvar gaps1 =\"<b>[</b>\";\r\n") != std::string::npos);
        // The Styles tab shows what was written.
        QCOMPARE(f->mainWindow->findChild<QPlainTextEdit*>("Memo3")->toPlainText(),
                 QString::fromStdString(sheet).replace("\r\n", "\n").replace('\r', '\n'));

        // A colour scheme reaches the sheet; the selection is cleared after OK.
        f->services.dialogs.push_back([&](QDialog& d) {
            Child<QListWidget>(d, "FLB2")->setCurrentRow(0);
            return true;
        });
        PageDesign();
        QVERIFY(f->ReadTemplate("stt.css").starts_with("A.menu {\r\n  color : #000;\r\n}\r\n"));
        QVERIFY(Child<QListWidget>(*f->pageDesign, "FLB2")->selectedItems().isEmpty());
        QCOMPARE(f->services.messages.size(), size_t{0});
    }

    // "Apply" only chooses; the line under the list says what OK applies.
    void theDesignTabSaysWhichSchemeOkApplies() {
        Start();
        auto* chosen = Child<QLabel>(*f->pageDesign, "ChosenScheme");
        QCOMPARE(chosen->text(), QString("No colour scheme chosen"));
        Child<QListWidget>(*f->pageDesign, "FLB2")->setCurrentRow(0);
        QCOMPARE(chosen->text(), QString("Night.csm, applied with OK"));
        f->pageDesign->ClearScheme();  // "Default"
        QCOMPARE(chosen->text(), QString("No colour scheme chosen"));
    }

    void cancelWritesNothingAndKeepsTheSchemeSelected() {
        Start();
        f->services.dialogs.push_back([&](QDialog& d) {
            Child<QListWidget>(d, "BStyle")->setCurrentRow(0);
            Child<QListWidget>(d, "FLB2")->setCurrentRow(0);
            Child<QSpinBox>(d, "SpinEdit4")->setValue(-100);
            return false;
        });
        PageDesign();
        QCOMPARE(f->ReadTemplate("stt.css"), kSheet);
        QCOMPARE(f->ReadTemplate("sys.js"), Runtime());

        QStringList reread;
        f->services.dialogs.push_back([&](QDialog& d) {
            reread = {QString::number(Child<QSpinBox>(d, "SpinEdit4")->value()),  // read afresh
                      QString::number(Child<QListWidget>(d, "FLB2")->selectedItems().size())};  // kept
            return false;
        });
        PageDesign();
        QCOMPARE(reread, QStringList({"0", "1"}));
    }

    void editButtonOpensTheSelectedPicture() {
        Start();
        auto& d = *f->pageDesign;
        Child<QListWidget>(d, "BStyle")->setCurrentRow(0);
        QMetaObject::invokeMethod(Child<QPushButton>(d, "BitBtn3"), "click");
        QCOMPARE(f->services.messages.back().text, QString("Please, select button image!"));
        Child<QListWidget>(d, "BStyle")->setCurrentRow(1);
        QMetaObject::invokeMethod(Child<QPushButton>(d, "BitBtn3"), "click");
        QVERIFY(f->services.opened.back().endsWith("buttons/blue.jpg"));
    }

    // A family offered as "Name [foundry]" would be written into the style
    // sheet as it stands, and no browser knows it by that name.
    void offersFontsByTheNamesPagesUse() {
        Start();
        auto* fonts = Child<QComboBox>(*f->pageDesign, "FontName");
        QVERIFY(fonts->count() > 0);
        for (int i = 0; i < fonts->count(); ++i) QVERIFY2(!fonts->itemText(i).contains(" ["), qPrintable(fonts->itemText(i)));
    }
};

TAVEL_GUI_TEST_MAIN(PageDesignDialogTest)
#include "PageDesignDialogTest.moc"
