// Every window the program creates, walked through the accessibility tree
// as a screen reader sees it: each control a user can operate must have a
// name that says what it is, not what it currently holds, no two controls
// of one page may share a name, a combo box must give its value, and only
// the control with the keyboard may say it has it.
#include "support/GuiFixture.h"
#include "ui/common/FixedDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/save/ProjectSaveDialog.h"
#include "ui/tools/SiteProgressDialog.h"
#include "ui/tools/ToolsWindow.h"

#include <QAction>
#include <QAccessible>
#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QStackedWidget>
#include <QTableView>
#include <QTreeView>

#include <map>

using namespace tavel;

namespace {

// The roles of controls a user operates.
bool IsInteractive(QAccessible::Role role) {
    switch (role) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::EditableText:
        case QAccessible::List:
        case QAccessible::Tree:
        case QAccessible::Table:
        case QAccessible::ComboBox:
        case QAccessible::SpinBox:
        case QAccessible::ProgressBar:
        case QAccessible::Link:
        case QAccessible::ButtonMenu:
        case QAccessible::ButtonDropDown:
        case QAccessible::Graphic:
        case QAccessible::PageTabList:
            return true;
        default:
            return false;
    }
}

// A view that shows a document (the preview) is a control too; the
// document's own name is the page's title.
bool ShowsADocument(QAccessibleInterface& node) {
    if (node.role() != QAccessible::Client) return false;
    for (int i = 0; i < node.childCount(); ++i)
        if (QAccessibleInterface* child = node.child(i);
            child != nullptr && (child->role() == QAccessible::WebDocument || child->role() == QAccessible::Document))
            return true;
    return false;
}

QString RoleName(QAccessible::Role role) {
    return QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(role));
}

// Where a control is: the object names of its window, its named ancestors
// and itself.
QString PathOf(const QObject* object) {
    QStringList parts;
    for (; object != nullptr; object = object->parent()) {
        if (!object->objectName().isEmpty() && !object->objectName().startsWith("qt_")) parts.prepend(object->objectName());
        if (const auto* widget = qobject_cast<const QWidget*>(object); widget != nullptr && widget->isWindow()) break;
    }
    return parts.join('/');
}

// The page a control is seen on: its tab, or its window.
const QObject* PageOf(const QObject* object) {
    for (; object != nullptr; object = object->parent()) {
        if (qobject_cast<const QStackedWidget*>(object->parent()) != nullptr) return object;
        if (const auto* widget = qobject_cast<const QWidget*>(object); widget != nullptr && widget->isWindow()) return object;
    }
    return nullptr;
}

// What the control holds: its value, or for lists, trees and tables the
// texts of their selected items (their "value" is only their name again),
// for a tab list the current tab.
QStringList ValuesOf(QAccessibleInterface& control) {
    QStringList values;
    const QAccessible::Role role = control.role();
    if (role == QAccessible::PageTabList) {
        for (int i = 0; i < control.childCount(); ++i)
            if (QAccessibleInterface* tab = control.child(i); tab != nullptr && tab->state().selected)
                values << tab->text(QAccessible::Name);
    } else if (role != QAccessible::List && role != QAccessible::Tree && role != QAccessible::Table) {
        values << control.text(QAccessible::Value);
    } else if (QAccessibleTableInterface* table = control.tableInterface()) {
        for (QAccessibleInterface* cell : table->selectedCells())
            if (cell != nullptr) values << cell->text(QAccessible::Name);
    }
    values.removeAll(QString());
    return values;
}

// A combo box gives the text it shows as its value, as text a reader can
// read, and as the selected entry of its list.
QString ComboValueProblem(QAccessibleInterface& box) {
    const auto* combo = qobject_cast<const QComboBox*>(box.object());
    if (combo == nullptr) return {};
    const QString shown = combo->currentText();
    if (box.text(QAccessible::Value) != shown) return "its value is not \"" + shown + "\"";
    QAccessibleTextInterface* text = box.textInterface();
    if (text == nullptr || text->text(0, text->characterCount()) != shown) return "its value cannot be read as text";
    QAccessibleInterface* list = box.child(0);
    if (combo->currentIndex() < 0 || list == nullptr || list->tableInterface() == nullptr) return {};
    const QList<QAccessibleInterface*> selected = list->tableInterface()->selectedCells();
    if (selected.size() != 1 || selected.front()->text(QAccessible::Name) != combo->itemText(combo->currentIndex()))
        return "its list does not select the value";
    return {};
}

// How many columns a view shows; a list shows one.
int ShownColumns(const QObject* view) {
    const auto* tree = qobject_cast<const QTreeView*>(view);
    const auto* table = qobject_cast<const QTableView*>(view);
    if (tree == nullptr && table == nullptr) return 1;
    const auto* items = static_cast<const QAbstractItemView*>(view);
    int shown = 0;
    for (int column = 0; column < items->model()->columnCount(items->rootIndex()); ++column)
        shown += (tree != nullptr ? tree->isColumnHidden(column) : table->isColumnHidden(column)) ? 0 : 1;
    return shown;
}

// What is wrong with a control's name, or an empty text.
QString NameProblem(QAccessibleInterface& control) {
    const QString name = control.text(QAccessible::Name).trimmed();
    if (name.isEmpty()) return "no name";
    if (!std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); }))
        return "a name without words";
    if (ValuesOf(control).contains(name)) return "named after its value";
    if (const QString value = ComboValueProblem(control); !value.isEmpty()) return value;
    // A view whose rows reach the reader with cells nobody sees (Qt's own
    // file dialog keeps such a list for its list mode; the desktop's dialog
    // takes its place where there is one).
    const auto* widget = qobject_cast<const QWidget*>(control.object());
    const bool ours = widget == nullptr || qobject_cast<const QFileDialog*>(widget->window()) == nullptr;
    if (QAccessibleTableInterface* table = control.tableInterface();
        ours && table != nullptr && table->columnCount() > ShownColumns(control.object()))
        return QString("rows of %1 cells, %2 shown").arg(table->columnCount()).arg(ShownColumns(control.object()));
    return {};
}

struct WalkResult {
    QStringList found;
    QStringList problems;
    std::map<std::pair<const QObject*, QString>, QString> named;  // (page, name) -> the control
};

// Walks a window's tree. The parts of a control (a combo box's list, a
// list's items) are spoken with it, so the walk does not enter them.
void Walk(QAccessibleInterface* node, WalkResult& result) {
    if (node == nullptr) return;
    const QAccessible::Role role = node->role();
    if (!IsInteractive(role) && !ShowsADocument(*node)) {
        for (int i = 0; i < node->childCount(); ++i) Walk(node->child(i), result);
        return;
    }
    const QString name = node->text(QAccessible::Name);
    const QString path = PathOf(node->object());
    QString problem = NameProblem(*node);
    const auto [first, unique] = result.named.try_emplace({PageOf(node->object()), name.trimmed()}, path);
    if (problem.isEmpty() && !unique) problem = "the name of " + first->second + " too";
    const QString line = QString("%1 [%2] \"%3\"").arg(path, RoleName(role), name);
    result.found << line + (problem.isEmpty() ? QString() : "   <-- " + problem);
    if (!problem.isEmpty()) result.problems << line + ": " + problem;
}

// Every control or tab that says it has the keyboard, where only the
// focused control and its current tab may say so. (Qt marks the current
// item of every list, table and tree as focused, whichever control has the
// keyboard; readers go by the focus events, which only the focused view
// sends. The preview's page is the browser engine's, which keeps its own.)
void FindFalseFocus(QAccessibleInterface* node, QStringList& problems, int depth = 0) {
    if (node == nullptr || depth > 12 || node->role() == QAccessible::WebDocument) return;
    const QWidget* focus = QApplication::focusWidget();
    const bool control = node->object() != nullptr || node->role() == QAccessible::PageTab;
    if (control && node->state().focused && node->object() != focus) {
        QAccessibleInterface* owner = node->parent();
        while (owner != nullptr && owner->object() == nullptr) owner = owner->parent();
        const bool tabOfFocus = node->object() == nullptr && owner != nullptr && owner->object() == focus;
        if (!tabOfFocus)
            problems << QString("%1 [%2] \"%3\": says it has the keyboard, which %4 has")
                            .arg(PathOf(owner != nullptr ? owner->object() : nullptr), RoleName(node->role()),
                                 node->text(QAccessible::Name), PathOf(focus));
    }
    for (int i = 0; i < node->childCount(); ++i) FindFalseFocus(node->child(i), problems, depth + 1);
}

// Walks the windows and prints every control found; the problems.
QStringList WalkAndPrint(const QList<QWidget*>& windows) {
    QStringList problems;
    for (QWidget* window : windows) {
        WalkResult result;
        Walk(QAccessible::queryAccessibleInterface(window), result);
        FindFalseFocus(QAccessible::queryAccessibleInterface(window), result.problems);
        qInfo().noquote() << QString("%1 \"%2\": %3 controls").arg(PathOf(window), window->windowTitle()).arg(result.found.size());
        for (const QString& line : result.found) qInfo().noquote() << "   " << line;
        problems << result.problems;
    }
    return problems;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::GuiFixture> f;

private slots:
    void init() {
        f = std::make_unique<test::GuiFixture>();
        f->StartWith(test::ExampleMenuScript());
    }
    void cleanup() { f.reset(); }

    // Every window made at start-up, and those a command makes while it
    // runs, with the keyboard in the menu tree.
    void everyControlOfEveryWindowHasAName() {
        const SiteProgressDialog siteProgress(f->toolsWindow);
        test::Child<QAction>(*f->mainWindow, "CheckLinks")->trigger();  // the example menu's links are files only
        QVERIFY(f->ShowActive());
        const QList<QWidget*> windows = test::UserWindows();
        QVERIFY(windows.size() >= 10);
        const QStringList problems = WalkAndPrint(windows);
        QVERIFY2(problems.isEmpty(), qPrintable(QString("%1 controls a reader cannot name:\n").arg(problems.size()) +
                                                problems.join("\n")));
    }

    // The Save dialog's way up is read as what it is, not as two dots.
    void theWayUpAFolderIsSpoken() {
        auto* folders = test::Child<QAbstractItemView>(*f->saveDialog, "dir");
        QCOMPARE(folders->model()->index(0, 0).data().toString(), QString(".."));
        QCOMPARE(QAccessible::queryAccessibleInterface(folders)->child(0)->text(QAccessible::Name),
                 QString("Parent folder (..)"));
    }

    // A message of one short word still shows its whole caption, with room
    // for the title bar's icon and buttons.
    void aShortMessageShowsItsWholeTitle() {
        QMessageBox box(QMessageBox::NoIcon, "Tavel Builder", "Blue.csm", QMessageBox::Ok);
        WidenToTitle(box);
        box.show();
        QFont bold = box.font();
        bold.setBold(true);
        QVERIFY(box.width() >= QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + kTitleBarControlsWidth);
    }
};

TAVEL_GUI_TEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
