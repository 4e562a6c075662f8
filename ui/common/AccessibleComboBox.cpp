#include "ui/common/AccessibleComboBox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace tavel {
namespace {

// The list's selection stands for the box's value: a reader that looks for
// the selected entry finds it, and an entry selected through the reader
// (its "toggle" action; Qt has no selection interface for the desktop's
// readers yet) is chosen as a click in the open list would choose it.
void KeepListSelectionAsValue(QComboBox* box) {
    QAbstractItemView* list = box->view();
    const auto showValue = [box, list](int index) {
        if (list->isVisible() || list->selectionModel() == nullptr) return;
        const QModelIndex entry = box->model()->index(index, box->modelColumn(), box->rootModelIndex());
        // Selected, not made current: a current entry would say it has the
        // keyboard, which the closed list does not have.
        list->selectionModel()->select(entry, QItemSelectionModel::ClearAndSelect);
    };
    showValue(box->currentIndex());
    QObject::connect(box, &QComboBox::currentIndexChanged, box, showValue);
    QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, box, [box, list] {
        // While the list is open, the selection follows the pointer and the
        // keys, and the box chooses as it always does.
        const QModelIndexList selected = list->selectionModel()->selectedIndexes();
        if (list->isVisible() || selected.size() != 1 || selected.front().row() == box->currentIndex()) return;
        const int index = selected.front().row();
        box->setCurrentIndex(index);
        emit box->activated(index);
        emit box->textActivated(box->itemText(index));
    });
}

// A combo box as the reader sees it: its name from its label, its current
// text as its value (also as read-only text, where the desktop's readers
// look for it), its list (and the field of an editable one) as its
// children, and one action that opens or closes the list.
class AccessibleComboBox : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {
        KeepListSelectionAsValue(box);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? Box()->currentText() : QAccessibleWidget::text(t);
    }

    int childCount() const override { return Box()->lineEdit() != nullptr ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(Box()->view());
        if (index == 1 && Box()->lineEdit() != nullptr) return QAccessible::queryAccessibleInterface(Box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) return -1;
        if (child->object() == Box()->view()) return 0;
        if (Box()->lineEdit() != nullptr && child->object() == Box()->lineEdit()) return 1;
        return -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) return;
        if (Box()->view()->isVisible())
            Box()->hidePopup();
        else
            Box()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // The value as text that can be read, not changed.
    QString text(int start, int end) const override { return Box()->currentText().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Box()->currentText().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* NamedComboBoxes(const QString& className, QObject* object) {
    if (className != QLatin1String("QComboBox")) return nullptr;
    auto* box = qobject_cast<QComboBox*>(object);
    return box != nullptr ? new AccessibleComboBox(box) : nullptr;
}

}  // namespace

void UseNamedComboBoxes() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    // Factories installed later are asked first, before Qt's own.
    QAccessible::installFactory(&NamedComboBoxes);
}

}  // namespace tavel
