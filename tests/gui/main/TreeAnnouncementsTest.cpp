// The menu tree as a screen reader hears it, through Qt's accessibility
// interface with the keys a user presses: each item says its level and
// place, opening and closing send their events, a keyboard move announces
// the moved item at its new place, a refused move and an added item are
// told on the item the keyboard is on. (Qt passes events on only while a
// reader listens, which none does here: the tree's own events come to the
// test's listener instead.)
#include "menu/MenuTree.h"
#include "support/GuiFixture.h"
#include "ui/item/ItemDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MenuTreeView.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTreeView>

using namespace tavel;

namespace {

// What a reader was told: the event, and the item it was about as the
// reader then read it.
struct Heard {
    QAccessible::Event type;
    QString name;
    QString description;
    bool expandedChanged = false;
};
std::vector<Heard> heard;

void Listen(QAccessibleEvent* event) {
    if (event->type() != QAccessible::Focus && event->type() != QAccessible::DescriptionChanged &&
        event->type() != QAccessible::StateChanged)
        return;
    QAccessibleInterface* about = event->accessibleInterface();
    if (about == nullptr || about->role() != QAccessible::TreeItem) return;
    const bool expanded = event->type() == QAccessible::StateChanged &&
                          static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().expanded;
    heard.push_back({event->type(), about->text(QAccessible::Name), about->text(QAccessible::Description), expanded});
}

// The texts told for events of one kind, "name: description" each.
QStringList Told(QAccessible::Event type) {
    QStringList told;
    for (const Heard& h : heard)
        if (h.type == type) told << h.name + ": " + h.description;
    return told;
}

}  // namespace

class TreeAnnouncementsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::GuiFixture> f;

    MenuTree& Tree() { return f->mainWindow->Work().Tree(); }
    QTreeView* View() { return f->mainWindow->findChild<QTreeView*>("Tree"); }
    void Select(const std::string& caption) { Tree().Select(test::FindItem(Tree(), caption)); }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // The tree's rows as a reader finds them: "name: description" each.
    QStringList Rows() {
        QAccessibleTableInterface* rows = QAccessible::queryAccessibleInterface(View())->tableInterface();
        QStringList texts;
        for (int row = 0; row < rows->rowCount(); ++row) {
            QAccessibleInterface* item = rows->cellAt(row, 0);
            texts << item->text(QAccessible::Name) + ": " + item->text(QAccessible::Description);
        }
        return texts;
    }

private slots:
    void init() {
        f = std::make_unique<test::GuiFixture>();
        f->StartWith(test::ExampleMenuScript());
        QVERIFY(f->ShowActive());
        static_cast<MenuTreeView*>(View())->SetAccessibilityTeller(&Listen);
        heard.clear();
    }
    void cleanup() {
        QVERIFY2(f->services.ScriptMismatch().isEmpty(), qPrintable(f->services.ScriptMismatch()));
        f.reset();
    }

    void everyItemSaysItsLevelAndPlace() {
        Select("Viewer");  // opens its submenus
        QCOMPARE(Rows(), QStringList({"Home: level 1, 1 of 3", "Products: level 1, 2 of 3",
                                      "Software: level 2, 1 of 3", "Editor: level 3, 1 of 3",
                                      "separator: level 3, 2 of 3", "Viewer: level 3, 3 of 3",
                                      "separator: level 2, 2 of 3", "Hardware: level 2, 3 of 3",
                                      "About: level 1, 3 of 3"}));
        // The hidden header is no "1".
        QCOMPARE(QAccessible::queryAccessibleInterface(View())->child(0)->text(QAccessible::Name), QString("Menu items"));
    }

    void openingAndClosingAreTold() {
        Select("About");
        Press(Qt::Key_Right);
        Press(Qt::Key_Left);
        QStringList changed;
        for (const Heard& h : heard)
            if (h.expandedChanged) changed << h.name;
        QCOMPARE(changed, QStringList({"About", "About"}));
        QCOMPARE(Told(QAccessible::DescriptionChanged),
                 QStringList({"About: expanded, 1 item; level 1, 3 of 3", "About: collapsed; level 1, 3 of 3"}));
    }

    // The moved item is announced focused at its new place; a refusal is
    // told as well as shown in the status bar.
    void aMoveIsHeardWhereItLandsAndARefusalWhyNot() {
        Select("About");
        Press(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(Told(QAccessible::Focus), QStringList({"About: Moved up; level 1, 2 of 3"}));
        Press(Qt::Key_Up, Qt::ControlModifier);
        Press(Qt::Key_Up, Qt::ControlModifier);  // already the first
        QCOMPARE(Told(QAccessible::Focus).size(), 2);
        QCOMPARE(Told(QAccessible::DescriptionChanged).last(),
                 QString("About: Not moved: already the first of its list; level 1, 1 of 3"));
        // The news goes once the keyboard moves on.
        Press(Qt::Key_Down);
        QCOMPARE(Rows().first(), QString("About: level 1, 1 of 3"));
    }

    // F2 keeps the selection where it is; the new item is told on it, and
    // the dialog said what it was open for.
    void anAddedItemIsToldOnTheSelectedOne() {
        Select("Hardware");
        QString use;
        f->services.dialogs.push_back([&use](QDialog& dialog) {
            auto& item = static_cast<ItemDialog&>(dialog);
            use = item.CaptionEdit()->accessibleDescription();
            item.CaptionEdit()->setText("Printers");
            return true;
        });
        Press(Qt::Key_F2);
        QCOMPARE(use, QString("Adds an item to the submenu of \"Products\""));
        QCOMPARE(Told(QAccessible::DescriptionChanged),
                 QStringList({"Hardware: Added \"Printers\" at level 2, 4 of 4; level 2, 3 of 4"}));
        QCOMPARE(Tree().Selected()->Data().caption, std::string("Hardware"));
    }
};

TAVEL_GUI_TEST_MAIN(TreeAnnouncementsTest)
#include "TreeAnnouncementsTest.moc"
