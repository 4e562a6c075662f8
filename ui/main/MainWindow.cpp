#include "ui/main/MainWindow.h"

#include "menu/TreeReport.h"
#include "platform/FileError.h"
#include "project/GenerateCode.h"
#include "project/PageDesign.h"
#include "project/ProgramFolder.h"
#include "project/ProjectOperations.h"
#include "project/StartupLoad.h"
#include "platform/WriteJournal.h"
#include "project/UserFolder.h"
#include "ui/about/AboutBox.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"
#include "ui/common/StartupTiming.h"
#include "ui/common/UiServices.h"
#include "ui/linkcheck/LinkCheckWindow.h"
#include "ui/common/NetworkLinkRequester.h"
#include "ui/main/BrowserTab.h"
#include "ui/main/CommandActions.h"
#include "ui/main/CommandRunner.h"
#include "ui/main/MenuTreeEditor.h"
#include "ui/main/MenuTreeView.h"
#include "ui/main/ImportMenuCommand.h"
#include "ui/main/NewMenuCommand.h"
#include "ui/main/ProjectFileCommands.h"
#include "ui/main/ProjectTextTabs.h"
#include "ui/main/RecentProjectsMenu.h"
#include "ui/main/TreeReportPrinter.h"
#include "ui/main/WebPreview.h"
#include "ui/pagedesign/PageDesignDialog.h"
#include "ui/tools/ToolsWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QResizeEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

namespace tavel {

MainWindow::MainWindow(const DataFolders& folders, UiServices& services, QWidget* parent)
    : QMainWindow(parent),
      workspace_(folders.shipped, folders.user),
      services_(services),
      runner_(std::make_unique<CommandRunner>(services, *this, [this] { texts_->Flush(); })),
      actions_(std::make_unique<CommandActions>(*this, *runner_)) {
    setWindowTitle(Shown(DefaultProjectTitle()));
    setWindowIcon(QIcon(":/icons/tavel.svg"));
    // Placed at the top-left corner before the first showing, so that the
    // restored window stands there too and not where the system would centre it.
    resize(796, 543);
    move(0, 0);

    treeEditor_ = std::make_unique<MenuTreeEditor>(workspace_, services_, *runner_, *actions_, *this);
    pages_ = new QTabWidget;
    pages_->setTabPosition(QTabWidget::South);
    browser_ = new BrowserTab(workspace_, services_, *runner_);
    pages_->addTab(browser_, "Browser");
    // A script error leaves the preview without a menu: say why until the
    // next page loads.
    connect(&browser_->Preview(), &WebPreview::ScriptFailed, this, [this](const QString& text) {
        statusBar()->showMessage(text);
        scriptError_ = text;
    });
    connect(&browser_->Preview(), &QWebEngineView::loadStarted, this, [this] {
        if (!scriptError_.isEmpty() && statusBar()->currentMessage() == scriptError_) statusBar()->clearMessage();
        scriptError_.clear();
    });
    texts_ = new ProjectTextTabs(workspace_.Texts(), *pages_, *actions_);
    files_ = std::make_unique<ProjectFileCommands>(workspace_, browser_->Preview(), services_, *runner_, *actions_,
                                                   *texts_, *this);
    newMenu_ = std::make_unique<NewMenuCommand>(workspace_, browser_->Preview(), services_, *runner_, *actions_,
                                                *texts_, *files_, *this);
    importMenu_ = std::make_unique<ImportMenuCommand>(workspace_, services_, *runner_, *actions_, *files_, *this);
    recent_ = new RecentProjectsMenu(
        *actions_->Of(Command::RecentProjects), *this, [this](const std::string& folder) { files_->OpenNamed(folder); },
        [this](const QString& line) { statusBar()->showMessage(line); });
    ConnectOwnCommands();

    auto* splitter = new QSplitter;
    splitter->addWidget(&treeEditor_->View());
    splitter->addWidget(pages_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({241, 555});
    setCentralWidget(splitter);

    QToolBar* toolbar = BuildMenusAndToolbar();
    workspace_.SetEditStateListener([this] { ShowEditState(); });
    workspace_.SetProjectListener([this] { ProjectChanged(); });
    LoadStartupProject();
    ShowEditState();

    SetFormNames({
        {this, "TForm1"},
        {menuBar(), "ActionMainMenuBar1"},
        {toolbar, "ActionToolBar1"},
        {splitter, "Splitter1"},
        {pages_, "PageControl1"},
        {statusBar(), "StatusBar1"},
    });
    SetAccessibleNames({
        {OverflowButton(*toolbar), "More commands"},
        {pages_, "Preview and project texts", "Left and Right switch between the preview and the texts"},
    });
}

MainWindow::~MainWindow() {
    workspace_.SetEditStateListener(nullptr);
    workspace_.SetProjectListener(nullptr);
}

void MainWindow::SetDialogs(ItemDialog* itemDialog, AboutBox* about, ToolsWindow* tools) {
    treeEditor_->SetItemDialog(itemDialog);
    about_ = about;
    tools_ = tools;
    if (tools_ != nullptr) tools_->SetHost(this);
}

void MainWindow::ProjectChanged() {
    if (tools_ != nullptr) tools_->FollowProject();
    recent_->Remember(workspace_.ProjectFolder());
}

void MainWindow::OpenProjectNamed(const QString& path) { files_->OpenNamed(Bytes(path)); }

void MainWindow::SetSaveDialog(ProjectSaveDialog* saveDialog) { files_->SetSaveDialog(saveDialog); }

void MainWindow::SetNewMenuDialog(NewMenuDialog* newMenu) { newMenu_->SetDialog(newMenu); }

void MainWindow::ConnectOwnCommands() {
    actions_->On(Command::Print, [this] { PrintTreeReport(); });
    actions_->On(Command::Exit, [this] { close(); });
    actions_->On(Command::Tools, [this] { ToggleTools(); });
    actions_->On(Command::Help, [this] { ShowHelp(); });
    actions_->On(Command::About, [this] { services_.RunDialog(*about_); });
    actions_->On(Command::GenerateCode, [this] { GenerateCode(); });
    actions_->On(Command::PageDesign, [this] { PageDesign(); });
    actions_->On(Command::CheckLinks, [this] { CheckLinks(); });
    // From the File menu the list opens as a submenu; from anywhere else it pops up.
    actions_->On(Command::RecentProjects, [this] { recent_->Popup(); });
}

QToolBar* MainWindow::BuildMenusAndToolbar() {
    const auto fill = [this](QWidget& bar, std::span<const LayoutEntry> entries) {
        for (const LayoutEntry& entry : entries) {
            QAction* action = entry ? actions_->Of(*entry) : new QAction(&bar);
            if (!entry) action->setSeparator(true);
            bar.addAction(action);
        }
    };
    for (const MenuEntry& menu : MainMenus()) fill(*menuBar()->addMenu(menu.title), menu.entries);
    QToolBar* toolbar = addToolBar("Commands");
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    fill(*toolbar, MainToolbar());
    return toolbar;
}

void MainWindow::LoadStartupProject() {
    // A user folder that cannot be filled is told with the files it lacks.
    try {
        PrepareUserFolder(workspace_);
    } catch (const FileError& error) {
        startupFailures_.push_back(error.what());
    }
    StartupLoadResult result = LoadDefaultProject(workspace_, browser_->Preview());
    startupFailures_.insert(startupFailures_.end(), result.failures.begin(), result.failures.end());
    for (const std::string& repaired : TakeWriteNotices()) statusBar()->showMessage(Shown(repaired));
    texts_->Refresh();
    pages_->setCurrentIndex(0);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    PlaceOnFirstShow();
}

void MainWindow::PlaceOnFirstShow() {
    move(0, 0);
    qCInfo(lcStartup, "main window shown after %.0f ms", MillisecondsSinceProcessStart());
    if (startupFailures_.empty()) return;
    // Told once the window stands at its shown size, so that the message is
    // centred on the window the user sees: a maximised window reaches its
    // size a moment after it is first shown.
    startupFailuresDue_ = true;
    if (!isMaximized() || size() != normalGeometry().size())
        ShowStartupFailures();
    else
        QTimer::singleShot(1500, this, [this] { ShowStartupFailures(); });
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (startupFailuresDue_ && isMaximized() && event->size() != normalGeometry().size()) ShowStartupFailures();
}

void MainWindow::ShowStartupFailures() {
    if (!startupFailuresDue_) return;
    startupFailuresDue_ = false;
    QMetaObject::invokeMethod(
        this, [this] { runner_->ShowError(StartupFailureMessage(startupFailures_)); }, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool close = false;
    runner_->Run([&] { close = files_->ConfirmClose(); });
    if (close)
        event->accept();
    else
        event->ignore();
}

void MainWindow::ShowEditState() {
    const EditHistory& history = workspace_.History();
    QAction* undo = actions_->Of(Command::Undo);
    QAction* redo = actions_->Of(Command::Redo);
    undo->setEnabled(history.CanUndo());
    undo->setText(history.CanUndo() ? "&Undo " + Shown(history.UndoName()) : QString("&Undo"));
    redo->setEnabled(history.CanRedo());
    redo->setText(history.CanRedo() ? "&Redo " + Shown(history.RedoName()) : QString("&Redo"));

    QAction* save = actions_->Of(Command::Save);
    save->setEnabled(workspace_.SaveEnabled());
    const QString hint = SaveCommandHint(workspace_.Modified());
    save->setToolTip(hint);
    save->setStatusTip(hint);
}

void MainWindow::RunToolCommand(QWidget* over, const std::function<void()>& command) {
    runner_->RunOver(over, command);
    texts_->Refresh();
}

void MainWindow::ToolMessage(QWidget* over, const std::string& text) {
    runner_->Message(over, Shown(text), QMessageBox::NoIcon);
}

void MainWindow::ToolStatus(const std::string& text) { statusBar()->showMessage(Shown(text)); }

Preview& MainWindow::PreviewPane() { return browser_->Preview(); }

void MainWindow::PrintTreeReport() {
    const QString folder = workspace_.IsDefaultProject() ? QDir::homePath() : Shown(workspace_.ProjectFolder());
    const QString done =
        PrintReport(services_, this, treeEditor_->View().font(), TreeReportLines(workspace_.Tree()), folder);
    // Printing shows nothing on screen of its own: the status bar says what happened.
    if (!done.isEmpty()) statusBar()->showMessage(done);
}

void MainWindow::ToggleTools() {
    tools_->setVisible(!tools_->isVisible());
    // The keyboard goes with it: otherwise only the window manager would
    // take a keyboard user there.
    if (tools_->isVisible()) tools_->activateWindow();
}

void MainWindow::ShowHelp() { OpenOrSayWhyNot(services_, this, Shown(workspace_.ProgramPath(programpath::kHelp))); }

void MainWindow::GenerateCode() {
    // The memo shows the script the file now holds.
    ProjectTextTabs::RefreshOnExit refresh(*texts_, {&ProjectTexts::script});
    tavel::GenerateCode(workspace_, browser_->Preview());
}

void MainWindow::PageDesign() {
    // Read before the dialog is shown: a rule that cannot be read ends the
    // command with the dialog unseen.
    pageDesign_->SetSettings(ReadPageDesign(workspace_, pageDesign_->ButtonEntries(), pageDesign_->Settings()));
    if (!services_.RunDialog(*pageDesign_)) return;
    ProjectTextTabs::RefreshOnExit refresh(*texts_, {&ProjectTexts::styleSheet, &ProjectTexts::runtime});
    ApplyPageDesign(workspace_, browser_->Preview(), pageDesign_->Settings());
    pageDesign_->ClearScheme();
}

void MainWindow::CheckLinks() {
    if (linkCheck_ == nullptr)
        linkCheck_ = new LinkCheckWindow(workspace_, treeEditor_->View(), std::make_unique<NetworkLinkRequester>(), this);
    linkCheck_->Start();
}

}  // namespace tavel
