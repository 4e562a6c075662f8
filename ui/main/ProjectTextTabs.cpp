#include "ui/main/ProjectTextTabs.h"

#include "ui/common/AccessibleNames.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"
#include "ui/main/CommandActions.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tavel {
namespace {

constexpr const char* kLeavingHint = "Tab types a tab; Ctrl+Tab moves on to the next control, Ctrl+Shift+Tab back";

// A project text. Tab types a tab, as in any code editor; Ctrl+Tab and
// Ctrl+Shift+Tab leave the text, and the status bar says so whenever the
// text takes the keyboard.
class ProjectTextEdit : public QPlainTextEdit {
public:
    ProjectTextEdit() {
        setStatusTip(kLeavingHint);
        setAccessibleDescription(kLeavingHint);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const Qt::KeyboardModifiers modifiers = event->modifiers();
        if ((modifiers & Qt::ControlModifier) && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
            QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        QPlainTextEdit::focusInEvent(event);
        QStatusTipEvent tip(statusTip());
        QCoreApplication::sendEvent(this, &tip);
    }
};

}  // namespace

ProjectTextTabs::ProjectTextTabs(ProjectTexts& texts, QTabWidget& pages, CommandActions& actions)
    : QObject(&pages), texts_(texts), pages_(pages) {
    QPlainTextEdit* script = AddEditor(&ProjectTexts::script);
    script->setLineWrapMode(QPlainTextEdit::NoWrap);
    script->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    script->setStyleSheet("QPlainTextEdit { background: #000080; color: #ffff00; font-weight: bold; }");
    pages.addTab(script, "Database");
    QPlainTextEdit* page = AddEditor(&ProjectTexts::page);
    pages.addTab(page, "index.htm");

    auto* styleTab = new QWidget;
    auto* styleLayout = new QVBoxLayout(styleTab);
    styleLayout->setContentsMargins(0, 0, 0, 0);
    QPlainTextEdit* styleSheet = AddEditor(&ProjectTexts::styleSheet);
    styleLayout->addWidget(styleSheet);
    QPlainTextEdit* runtime = AddEditor(&ProjectTexts::runtime);
    runtime->setParent(styleTab);
    runtime->hide();
    pages.addTab(styleTab, "Style.css");
    actions.On(Command::SeeCode, [this] { ShowScript(); });

    SetFormNames({
        {script, "Memo1"},
        {page, "Memo2"},
        {styleSheet, "Memo3"},
        {runtime, "Memo4"},
    });
    SetAccessibleNames({
        {script, "Database"},
        {page, "index.htm"},
        {styleSheet, "Style.css"},
        {runtime, "sys.js"},
    });
}

QPlainTextEdit* ProjectTextTabs::AddEditor(Text text) {
    QPlainTextEdit* editor = new ProjectTextEdit;
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const size_t index = editors_.size();
    editors_.push_back({editor, text});
    connect(editor, &QPlainTextEdit::textChanged, this, [this, index] {
        if (!refreshing_) editors_[index].edited = true;
    });
    return editor;
}

void ProjectTextTabs::Flush() {
    for (Editor& editor : editors_) {
        if (!editor.edited) continue;
        std::string& text = texts_.*editor.text;
        text = ProjectText(editor.editor->toPlainText(), text);
        editor.edited = false;
    }
}

void ProjectTextTabs::Show(Editor& editor) {
    refreshing_ = true;
    editor.editor->setPlainText(EditorText(texts_.*editor.text));
    editor.edited = false;
    refreshing_ = false;
}

void ProjectTextTabs::Refresh() {
    for (Editor& editor : editors_) Show(editor);
}

void ProjectTextTabs::Refresh(const std::vector<Text>& only) {
    for (Editor& editor : editors_)
        if (std::find(only.begin(), only.end(), editor.text) != only.end()) Show(editor);
}

void ProjectTextTabs::ShowScript() { pages_.setCurrentWidget(editors_.front().editor); }

}  // namespace tavel
