// The windows used from the keyboard alone, with real key presses: Tab
// goes round every window and back to where it started, in each dialog as
// it reads on screen and out of every control, the links and menus have
// keys, and the focus is shown apart from the default button.
#include "support/GuiFixture.h"
#include "ui/about/AboutBox.h"
#include "ui/common/FocusFrameStyle.h"
#include "ui/main/MainWindow.h"
#include "ui/newmenu/NewMenuDialog.h"
#include "ui/newmenu/StyleMasterDialog.h"
#include "ui/pagedesign/PageDesignDialog.h"
#include "ui/tools/ToolsWindow.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyleOption>
#include <QTabWidget>

using namespace tavel;

namespace {

// The name a control goes by: its own, or that of the control it is part of.
QString NameOf(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget())
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_")) return widget->objectName();
    return "<none>";
}

QString Focused() { return NameOf(QApplication::focusWidget()); }

bool ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window, test::kWaitMs);
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// The controls Tab visits, from the one holding the focus, until it comes
// back to it or has made `steps` steps.
QStringList TabChain(int steps = 30) {
    QStringList chain{Focused()};
    for (int i = 0; i < steps; ++i) {
        Press(Qt::Key_Tab);
        chain << Focused();
        if (chain.back() == chain.front()) break;
    }
    return chain;
}

// Moves the keyboard on, or back, from the control that has it: with Tab,
// or Ctrl+Tab from a text that takes Tab as text. The preview's page takes
// the keyboard from link to link on its own time: the move waits until the
// page hands it on.
void MoveOn(bool forward) {
    QWidget* from = QApplication::focusWidget();
    const auto* text = qobject_cast<QPlainTextEdit*>(from);
    Qt::KeyboardModifiers modifiers = forward ? Qt::NoModifier : Qt::ShiftModifier;
    if (text != nullptr && !text->tabChangesFocus()) modifiers |= Qt::ControlModifier;
    QTest::keyClick(from, forward ? Qt::Key_Tab : Qt::Key_Backtab, modifiers);
    const bool inPage = NameOf(from) == "Web";
    QTRY_VERIFY_WITH_TIMEOUT(!inPage || QApplication::focusWidget() != from, test::kWaitMs);
}

// The controls of a window that Tab should reach as it shows now.
QList<QWidget*> TabStops(const QWidget& window) {
    QList<QWidget*> stops;
    for (QWidget* control : window.findChildren<QWidget*>())
        if (control->window() == &window && control->isVisible() && control->isEnabled() &&
            (control->focusPolicy() & Qt::TabFocus) && control->focusProxy() == nullptr)
            stops << control;
    return stops;
}

// Goes round the window with the keyboard from the control that has it;
// what went wrong, or an empty text when the round came back to its start
// having reached every control. `visited` gets the controls on the way.
QString RoundProblem(const QWidget& window, bool forward, QStringList& visited) {
    QWidget* const start = QApplication::focusWidget();
    QList<QWidget*> seen{start};
    visited = QStringList{NameOf(start)};
    for (int step = 0; step < 60; ++step) {
        QWidget* const before = QApplication::focusWidget();
        MoveOn(forward);
        QWidget* const now = QApplication::focusWidget();
        visited << NameOf(now);
        if (now == nullptr || now->window() != &window) return "the keyboard left the window";
        if (now == start) break;
        if (now == before) return "the keyboard stays in " + NameOf(now);
        if (seen.contains(now)) return "the round never comes back to " + NameOf(start);
        seen << now;
    }
    if (QApplication::focusWidget() != start) return "the round has no end";
    for (QWidget* stop : TabStops(window))
        if (!seen.contains(stop)) return "the round never reaches " + NameOf(stop);
    return {};
}

// How many pixels of the top edge of a button's focus frame are in the
// text colour.
int FocusFramePixels(QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    const QRect frame = button.style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, &button);
    const QImage image = button.grab().toImage();
    const QRgb text = button.palette().color(QPalette::WindowText).rgb();
    int count = 0;
    for (int x = frame.left(); x <= frame.right(); ++x) count += image.pixel(x, frame.top()) == text ? 1 : 0;
    return count;
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::GuiFixture> f;

private slots:
    void init() {
        f = std::make_unique<test::GuiFixture>();
        for (const char* scheme : {"Dawn.csm", "Night.csm"})
            test::WriteFile(f->folder.path() + "/Styles/Color/" + scheme, "var titleWidth = 20;\r\n");
        f->StartWith(test::ExampleMenuScript());
    }
    void cleanup() {
        QVERIFY2(f->services.ScriptMismatch().isEmpty(), qPrintable(f->services.ScriptMismatch()));
        f.reset();
    }

    // Each window opens on its first control, and Tab goes on in the order
    // the controls read on screen, left to right and top to bottom.
    void tabGoesThroughEachWindowAsItReads() {
        // The main window: the tree, the tabs, the preview's buttons, the
        // preview (whose page then takes Tab from link to link).
        QVERIFY(f->ShowActive());
        QCOMPARE(TabChain(6).join(' '),
                 QString("Tree PageControl1 ToolButton1 ToolButton2 ToolButton3 ToolButton4 Web"));

        // New Menu with its folder tree open, which stands above the buttons.
        QVERIFY(ShowActive(*f->newMenuDialog));
        test::Child<QPushButton>(*f->newMenuDialog, "Button1")->click();
        f->newMenuDialog->findChild<QWidget*>("Edit1")->setFocus();
        QCOMPARE(TabChain().join(' '), QString("Edit1 ComboBox1 Edit2 Button1 DirOut BitBtn5 BitBtn1 BitBtn2 Edit1"));
        f->newMenuDialog->hide();

        // Page Design's "Design" tab: the links under the list, the gaps row
        // by row, then Cancel, which stands left of OK.
        QVERIFY(ShowActive(*f->pageDesign));
        test::Child<QTabWidget>(*f->pageDesign, "PageControl1")->setCurrentIndex(1);
        QCOMPARE(Focused(), QString("PageControl1"));
        QCOMPARE(TabChain().join(' '),
                 QString("PageControl1 FLB2 Label5 Label6 CheckBox1 ComboBox2 CheckBox2 ComboBox3 BitBtn2 BitBtn1 PageControl1"));
        f->pageDesign->hide();

        // The About box opens on OK; its link is in the round.
        QVERIFY(ShowActive(*f->aboutBox));
        QCOMPARE(TabChain().join(' '), QString("OKButton Label7 OKButton"));
        Press(Qt::Key_Tab);
        Press(Qt::Key_Space);
        QCOMPARE(f->services.opened, std::vector<QString>{AboutBox::kMakerAddress});
    }

    // From wherever the keyboard is in a window, Tab goes round all of it
    // and comes back, and so does Shift+Tab: no control holds it, none lets
    // it out. Every window the program makes, with every page of its tabs;
    // the project texts, which take Tab as text, are left with Ctrl+Tab.
    void tabGoesRoundEveryWindowAndBack() {
        test::Child<QAction>(*f->mainWindow, "CheckLinks")->trigger();  // makes the Link check window
        int rounds = 0;
        for (QWidget* window : test::UserWindows()) {
            const QList<QTabWidget*> tabs = window->findChildren<QTabWidget*>();
            const int pages = tabs.isEmpty() ? 1 : tabs.front()->count();
            for (int page = 0; page < pages; ++page) {
                if (!tabs.isEmpty()) tabs.front()->setCurrentIndex(page);
                QVERIFY(ShowActive(*window));
                for (bool forward : {true, false}) {
                    QStringList visited;
                    const QString problem = RoundProblem(*window, forward, visited);
                    QVERIFY2(problem.isEmpty(), qPrintable(QString("%1, page %2, %3: %4: %5")
                                                               .arg(window->objectName())
                                                               .arg(page)
                                                               .arg(forward ? "Tab" : "Shift+Tab", problem,
                                                                    visited.join(' '))));
                    ++rounds;
                }
                window->hide();
            }
        }
        QVERIFY(rounds >= 2 * 16);  // every window, the main window's four pages and the properties' four
    }

    // The Style Master's table keeps the arrows; Tab leaves it for the
    // buttons, Colour... among them, which says what it needs when the entry
    // has no colour, and OK closes the dialog.
    void styleMasterReachesOkByTab() {
        QVERIFY(ShowActive(*f->styleMaster));
        QCOMPARE(Focused(), QString("ValueListEditor1"));
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), QString("ColourButton"));
        Press(Qt::Key_Space);  // on the caption entry
        QCOMPARE(f->services.MessageTexts(),
                 QStringList{"\"Caption\" is no colour. Select a colour entry first, then press Colour..."});
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), QString("OKBtn"));
        Press(Qt::Key_Space);
        QVERIFY(!f->styleMaster->isVisible());
        QCOMPARE(f->styleMaster->result(), int(QDialog::Accepted));
    }

    // "Apply" and "Default" under the colour schemes are buttons too.
    void pageDesignLinksWorkFromTheKeyboard() {
        QVERIFY(ShowActive(*f->pageDesign));
        test::Child<QTabWidget>(*f->pageDesign, "PageControl1")->setCurrentIndex(1);
        auto* schemes = test::Child<QListWidget>(*f->pageDesign, "FLB2");
        Press(Qt::Key_Tab);
        Press(Qt::Key_Down);
        QCOMPARE(schemes->selectedItems().size(), 1);  // the second scheme
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), QString("Label5"));
        Press(Qt::Key_Return);
        QCOMPARE(f->services.MessageTexts(), QStringList{"Night.csm"});
        QVERIFY(f->pageDesign->isVisible());  // Enter followed the link, not the default button
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), QString("Label6"));
        Press(Qt::Key_Space);
        QVERIFY(schemes->selectedItems().isEmpty());
    }

    // Ctrl+T takes the keyboard to Program Tools, and Escape hides it.
    void ctrlTPutsTheKeyboardInProgramTools() {
        QVERIFY(f->ShowActive());
        Press(Qt::Key_T, Qt::ControlModifier);
        QVERIFY(f->toolsWindow->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), static_cast<QWidget*>(f->toolsWindow), test::kWaitMs);
        QCOMPARE(Focused(), QString("Edit1"));
        Press(Qt::Key_Escape);
        QVERIFY(!f->toolsWindow->isVisible());
    }

    // Shift+F10 opens the tree's menu, as the Menu key does.
    void shiftF10OpensTheTreesMenu() {
        QVERIFY(f->ShowActive());
        QCOMPARE(Focused(), QString("Tree"));
        Press(Qt::Key_F10, Qt::ShiftModifier);
        auto* popup = test::Child<QMenu>(*f->mainWindow, "PopupMenu1");
        QTRY_VERIFY_WITH_TIMEOUT(popup->isVisible(), test::kWaitMs);
        popup->close();
    }

    // In a project text Tab types a tab; Ctrl+Tab leaves, and the status
    // bar says so as the text takes the keyboard.
    void ctrlTabLeavesAProjectText() {
        QVERIFY(f->ShowActive());
        auto* script = test::Child<QPlainTextEdit>(*f->mainWindow, "Memo1");
        test::Child<QTabWidget>(*f->mainWindow, "PageControl1")->setCurrentWidget(script);
        script->setFocus();
        QVERIFY(f->mainWindow->statusBar()->currentMessage().contains("Ctrl+Tab"));
        script->moveCursor(QTextCursor::Start);
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), QString("Memo1"));
        QVERIFY(script->toPlainText().startsWith('\t'));
        Press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(Focused(), QString("Tree"));  // the text is the last control; the round starts again
        script->setFocus();
        Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Focused(), QString("PageControl1"));
    }

    // A focused Cancel shows a dotted frame of its own beside OK, whatever
    // marks the default button.
    void theFocusFrameIsNotTheDefaultButtonsFrame() {
        QApplication::setStyle(new FocusFrameStyle);
        QVERIFY(ShowActive(*f->pageDesign));
        auto* ok = test::Child<QPushButton>(*f->pageDesign, "BitBtn1");
        auto* cancel = test::Child<QPushButton>(*f->pageDesign, "BitBtn2");
        cancel->setFocus(Qt::TabFocusReason);
        QCOMPARE(FocusFramePixels(*ok), 0);
        QVERIFY2(FocusFramePixels(*cancel) > cancel->width() / 4, qPrintable(QString::number(FocusFramePixels(*cancel))));
    }
};

TAVEL_GUI_TEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
