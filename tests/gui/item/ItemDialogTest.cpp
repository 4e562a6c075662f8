// The Edit Item dialog on its own: first texts, tab order, Enter and Escape.
#include "support/GuiFixture.h"
#include "ui/item/ItemDialog.h"

#include <QLineEdit>
#include <QPushButton>

using namespace tavel;

class ItemDialogTest : public QObject {
    Q_OBJECT

private slots:
    void offersItsFirstTextsAndStartsInTheCaption() {
        ItemDialog dialog;
        QCOMPARE(dialog.windowTitle(), QString("Edit Item"));
        QCOMPARE(dialog.CaptionEdit()->text(), QString("Item1"));
        QCOMPARE(dialog.HintEdit()->text(), QString("Hint about item1"));
        QCOMPARE(dialog.LinkEdit()->text(), QString("index.html"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog, test::kWaitMs));
        auto* ok = dialog.findChild<QPushButton*>("OKBtn");
        auto* cancel = dialog.findChild<QPushButton*>("CancelBtn");
        // Typing replaces the caption; a space cannot press OK.
        QCOMPARE(QApplication::focusWidget(), dialog.CaptionEdit());
        QCOMPARE(dialog.CaptionEdit()->selectedText(), QString("Item1"));
        QTest::keyClicks(QApplication::focusWidget(), "Gallery ");
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.CaptionEdit()->text(), QString("Gallery "));
        // Caption, Hint, Link, OK, Cancel, and round again.
        const QList<QWidget*> order = {dialog.HintEdit(), dialog.LinkEdit(), ok, cancel, dialog.CaptionEdit()};
        for (QWidget* expected : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected);
        }
    }

    void enterConfirmsFromAFieldAndEscapeCancels() {
        ItemDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog, test::kWaitMs));
        dialog.HintEdit()->setFocus();
        QTest::keyClick(dialog.HintEdit(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog, test::kWaitMs));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void keepsItsTextsBetweenUses() {
        ItemDialog dialog;
        dialog.SetTexts({"Café", "", "a\"b.html"});
        dialog.show();
        dialog.accept();
        ItemTexts texts = dialog.Texts();
        QCOMPARE(QString::fromLocal8Bit(texts.caption.c_str()), QString("Café"));
        QCOMPARE(texts.hint, std::string());
        QCOMPARE(texts.link, std::string("a\"b.html"));
        QCOMPARE(dialog.CaptionEdit()->text(), QString("Café"));
    }

    // Typed text follows the encoding of the field's old bytes where they
    // tell it, else the script's, so an 8-bit file never gets UTF-8 mixed in.
    void writesTypedTextInTheEncodingOfItsFile_data() {
        QTest::addColumn<QByteArray>("shownFrom");
        QTest::addColumn<bool>("eightBitScript");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("new item, UTF-8 script") << QByteArray() << false << "Th\u00e9" << QByteArray("Th\xc3\xa9");
        QTest::newRow("new item, 8-bit script") << QByteArray() << true << "Th\u00e9 \u20ac5" << QByteArray("Th\xe9 \x80" "5");
        QTest::newRow("8-bit item, any script") << QByteArray("Caf\xe9") << false << "Caf\u00e9s" << QByteArray("Caf\xe9s");
        QTest::newRow("UTF-8 item, 8-bit script") << QByteArray("Caf\xc3\xa9") << true << "Caf\u00e9s" << QByteArray("Caf\xc3\xa9s");
        QTest::newRow("beyond the code page") << QByteArray() << true << "\u4e2d" << QByteArray("\xe4\xb8\xad");
    }
    void writesTypedTextInTheEncodingOfItsFile() {
        QFETCH(QByteArray, shownFrom);
        QFETCH(bool, eightBitScript);
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        ItemDialog dialog;
        dialog.SetTexts({shownFrom.toStdString(), "", ""});
        dialog.SetEightBitScript(eightBitScript);
        dialog.CaptionEdit()->setText(typed);
        QCOMPARE(QByteArray::fromStdString(dialog.Texts().caption), written);
    }
};

TAVEL_GUI_TEST_MAIN(ItemDialogTest)
#include "ItemDialogTest.moc"
