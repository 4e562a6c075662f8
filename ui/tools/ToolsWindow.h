#pragma once

#include <QDialog>

class QCheckBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavel {

class ToolsHost;

// The Program Tools window: a small tool window that stays on top of the
// main window (and of nothing else: dialogs and messages come above it) and
// lets the user go on editing. Created hidden at start-up;
// its fields keep their values while it is hidden. It integrates the menu
// into an existing page and creates a site of pages from the menu.
class ToolsWindow : public QDialog {
    Q_OBJECT

public:
    explicit ToolsWindow(QWidget* parent = nullptr);

    // The window works on the main window's project; handed over once both
    // exist.
    void SetHost(ToolsHost* host) { host_ = host; }
    // The site name and the page language follow the open project until
    // the user edits them.
    void FollowProject();

    // The handlers of its buttons.
    void ChoosePage();
    void Integrate();
    void CreateSite();
    void AddTitlesToggled();
    void Cancel();

protected:
    void showEvent(QShowEvent* event) override;
    // Escape presses Cancel.
    void reject() override;

private:
    QPushButton* Button(const QString& caption, void (ToolsWindow::*handler)());

    ToolsHost* host_ = nullptr;
    QLineEdit* pagePath_ = nullptr;
    QCheckBox* keepLook_ = nullptr;
    QLineEdit* siteName_ = nullptr;
    QCheckBox* linkNames_ = nullptr;
    QCheckBox* addTitles_ = nullptr;
    QLabel* titleFormat_ = nullptr;
    QLineEdit* firstPart_ = nullptr;
    QLineEdit* separator_ = nullptr;
    QLineEdit* secondPart_ = nullptr;
    QCheckBox* writeLinks_ = nullptr;
    QLineEdit* language_ = nullptr;
    QFileDialog* pageDialog_ = nullptr;
};

}  // namespace tavel
