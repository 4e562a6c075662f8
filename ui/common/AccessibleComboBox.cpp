#include "ui/common/AccessibleComboBox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace tavel {
namespace {

// A combo box as the reader sees it: its name from its label, its current
// text as its value, its list (and the field of an editable one) as its
// children, and one action that opens or closes the list.
class AccessibleComboBox : public QAccessibleWidget {
public:
    explicit AccessibleComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

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
