#include "ui/common/AccessibleTabBar.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>

namespace tavel {
namespace {

QString WithoutMnemonic(QString text) {
    text.remove(QRegularExpression("&(?!&)"));
    return text.replace("&&", "&");
}

// One tab: selected when it is the current one, focused only while its
// tab bar has the keyboard.
class AccessibleTab : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleTab(QTabBar* bar, int index) : bar_(bar), index_(index) {}

    bool isValid() const override { return bar_ != nullptr && index_ < bar_->count(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(bar_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name) {
            const QString name = bar_->accessibleTabName(index_);
            return name.isEmpty() ? WithoutMnemonic(bar_->tabText(index_)) : name;
        }
        if (t == QAccessible::Description) return bar_->tabToolTip(index_);
        return {};
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.focusable = true;
        state.selectable = true;
        state.selected = index_ == bar_->currentIndex();
        state.focused = state.selected && bar_->hasFocus();
        state.disabled = !bar_->isTabEnabled(index_);
        state.invisible = !bar_->isVisible() || !bar_->isTabVisible(index_);
        return state;
    }

    QRect rect() const override {
        if (!isValid()) return {};
        const QRect tab = bar_->tabRect(index_);
        return {bar_->mapToGlobal(tab.topLeft()), tab.size()};
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && isValid()) bar_->setCurrentIndex(index_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QTabBar> bar_;
    int index_;
};

// A tab bar goes by the name of the pages it switches (its tab widget's
// name), where Qt would give the current tab's caption, and holds its tabs.
class AccessibleTabBar : public QAccessibleWidget {
public:
    explicit AccessibleTabBar(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
    ~AccessibleTabBar() override {
        for (QAccessible::Id id : std::as_const(tabs_)) QAccessible::deleteAccessibleInterface(id);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            if (auto* pages = qobject_cast<QTabWidget*>(widget()->parentWidget())) return pages->accessibleName();
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
            if (auto* pages = qobject_cast<QTabWidget*>(widget()->parentWidget())) return pages->accessibleDescription();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return Bar()->count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= Bar()->count()) return nullptr;
        if (const auto known = tabs_.constFind(index); known != tabs_.constEnd())
            return QAccessible::accessibleInterface(*known);
        auto* tab = new AccessibleTab(Bar(), index);
        tabs_.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto it = tabs_.constBegin(); it != tabs_.constEnd(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child) return it.key();
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        return Bar()->hasFocus() ? child(Bar()->currentIndex()) : nullptr;
    }

private:
    QTabBar* Bar() const { return static_cast<QTabBar*>(widget()); }
    mutable QHash<int, QAccessible::Id> tabs_;
};

// A tab widget hands the keyboard to its tab bar: the tab bar, not the
// tab widget around it too, is the control that has it.
class AccessibleTabWidget : public QAccessibleWidget {
public:
    explicit AccessibleTabWidget(QTabWidget* pages) : QAccessibleWidget(pages) {}
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focused = QApplication::focusWidget() == widget();
        return state;
    }
};

QAccessibleInterface* NamedTabBars(const QString& className, QObject* object) {
    if (className == QLatin1String("QTabBar"))
        if (auto* bar = qobject_cast<QTabBar*>(object)) return new AccessibleTabBar(bar);
    if (className == QLatin1String("QTabWidget"))
        if (auto* pages = qobject_cast<QTabWidget*>(object)) return new AccessibleTabWidget(pages);
    return nullptr;
}

}  // namespace

void UseNamedTabBars() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(&NamedTabBars);
}

}  // namespace tavel
