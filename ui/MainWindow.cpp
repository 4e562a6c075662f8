#include "ui/MainWindow.h"

#include "project/GenerateCode.h"
#include "project/PageDesign.h"
#include "ui/PageDesignDialog.h"
#include "project/TreeMessages.h"
#include "menu/TreeReport.h"
#include "ui/ItemDialog.h"
#include "project/CommandDeclined.h"
#include "project/ExternalBrowserTarget.h"
#include "platform/Paths.h"
#include "project/NewMenu.h"
#include "project/ProgramFolder.h"
#include "project/ProjectOperations.h"
#include "project/StartupLoad.h"
#include "ui/ProjectSaveDialog.h"
#include "ui/ToolsWindow.h"
#include "ui/ActionTable.h"
#include "ui/LocalText.h"
#include "ui/MenuTreeModel.h"
#include "ui/MenuTreeView.h"
#include "ui/NewMenuDialog.h"
#include "ui/StartupTiming.h"
#include "ui/TreeReportPrinter.h"
#include "ui/UiServices.h"
#include "ui/WebPreview.h"
#include "ui/AboutBox.h"

#include <QAction>
#include <QDir>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QResizeEvent>
#include <QTimer>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavel {
namespace {

constexpr const char* kApplicationTitle = "Tavel Builder";

}  // namespace

MainWindow::MainWindow(const std::string& programFolder, UiServices& services, QWidget* parent)
    : QMainWindow(parent), workspace_(programFolder), commands_(workspace_), services_(services) {
    setObjectName("TForm1");
    setWindowTitle(QString::fromUtf8(kDefaultTitle.data(), kDefaultTitle.size()));
    setWindowIcon(QIcon(":/icons/tavel.svg"));
    // Placed at the top-left corner before the first showing, so that the
    // restored window stands there too and not where the system would centre it.
    resize(796, 543);
    move(0, 0);
    workspace_.SetPrompts(this);

    model_ = new MenuTreeModel(workspace_.Tree(), this);
    MenuTreeView::DropRules rules{
        [this](const MenuItem* target, bool after, QString* why) { return AcceptsDrop(target, after, why); },
        [this](MenuItem* target, bool after) { Run([&] { commands_.Drop(target, after); }); },
        [this](MenuItem* item) { workspace_.Tree().Select(item); },
        [this](MenuItem* item, bool open) { workspace_.Tree().SetExpanded(item, open); },
    };
    tree_ = new MenuTreeView(*model_, std::move(rules));
    tree_->setObjectName("Tree");
    tree_->setToolTip("Menu tree");
    tree_->setStatusTip("Menu tree");
    tree_->setMinimumWidth(120);
    QPalette palette = tree_->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    tree_->setPalette(palette);
    connect(tree_, &MenuTreeView::ItemDoubleClicked, this, [this] { Run([this] { EditSelectedItem(); }); });
    connect(tree_, &MenuTreeView::DropRefusalShown, this, [this](const QString& reason) {
        if (reason.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(reason);
    });

    popup_ = new QMenu(this);
    popup_->setObjectName("PopupMenu1");
    popup_->addAction("Expand all", this, [this] { ExpandAll(); })->setObjectName("Expandall1");
    popup_->addAction("Collapse all", this, [this] { CollapseAll(); })->setObjectName("Collapseall1");
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { popup_->popup(tree_->viewport()->mapToGlobal(pos)); });

    pages_ = new QTabWidget;
    pages_->setObjectName("PageControl1");
    pages_->setTabPosition(QTabWidget::South);
    pages_->addTab(BuildBrowserTab(), "Browser");

    QPlainTextEdit* memo1 = BuildMemo("Memo1", &ProjectTexts::script);
    memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1->setStyleSheet("QPlainTextEdit { background: #000080; color: #ffff00; font-weight: bold; }");
    pages_->addTab(memo1, "Database");
    pages_->addTab(BuildMemo("Memo2", &ProjectTexts::page), "index.htm");

    // The style sheet tab also carries the runtime script's text, unseen.
    auto* styleTab = new QWidget;
    auto* styleLayout = new QVBoxLayout(styleTab);
    styleLayout->setContentsMargins(0, 0, 0, 0);
    styleLayout->addWidget(BuildMemo("Memo3", &ProjectTexts::styleSheet));
    QPlainTextEdit* memo4 = BuildMemo("Memo4", &ProjectTexts::runtime);
    memo4->setParent(styleTab);
    memo4->hide();
    pages_->addTab(styleTab, "Style.css");

    // Scratch text for reading side files; never shown.
    auto* memo5 = new QPlainTextEdit(this);
    memo5->setObjectName("Memo5");
    memo5->hide();

    auto* splitter = new QSplitter;
    splitter->setObjectName("Splitter1");
    splitter->addWidget(tree_);
    splitter->addWidget(pages_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({241, 555});
    setCentralWidget(splitter);

    statusBar()->setObjectName("StatusBar1");
    BuildActions();
    BuildMenusAndToolbar();
    popup_->addSeparator();
    for (const char* name : {"MoveUp", "MoveDown", "Indent", "Outdent"}) popup_->addAction(Action(name));
    LoadStartupProject();
    UpdateUndoActions();
    UpdateSaveCommand();
}

MainWindow::~MainWindow() {
    // The model goes before the workspace whose tree it watches.
    delete tree_;
    delete model_;
}

void MainWindow::SetDialogs(ItemDialog* itemDialog, AboutBox* about, ToolsWindow* tools) {
    itemDialog_ = itemDialog;
    about_ = about;
    tools_ = tools;
    if (tools_ != nullptr) tools_->SetHost(this);
}

void MainWindow::SetSaveDialog(ProjectSaveDialog* saveDialog) { saveDialog_ = saveDialog; }

QAction* MainWindow::Action(const char* name) const { return findChild<QAction*>(name, Qt::FindDirectChildrenOnly); }

QWidget* MainWindow::BuildBrowserTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QToolBar;
    bar->setObjectName("ToolBar1");
    bar->setIconSize(QSize(18, 18));
    const struct {
        const char* name;
        const char* hint;
        const char* icon;
        void (MainWindow::*handler)();
    } buttons[] = {
        {"ToolButton1", "Previous", "back", &MainWindow::GoBack},
        {"ToolButton2", "Next", "forward", &MainWindow::GoForward},
        {"ToolButton3", "Home", "home", &MainWindow::GoHome},
        {"ToolButton4", "Open in external browser", "external", &MainWindow::OpenInExternalBrowser},
    };
    for (const auto& b : buttons) {
        QAction* action = bar->addAction(QIcon(QString(":/icons/%1.svg").arg(b.icon)), b.hint);
        action->setToolTip(b.hint);
        action->setStatusTip(b.hint);
        bar->widgetForAction(action)->setObjectName(b.name);
        connect(action, &QAction::triggered, this, [this, handler = b.handler] { Run([this, handler] { (this->*handler)(); }); });
    }
    layout->addWidget(bar);

    web_ = new WebPreview;
    connect(web_, &WebPreview::FirstPageLoaded, this, [] {
        qCInfo(lcStartup, "first preview page loaded after %.0f ms", MillisecondsSinceProcessStart());
    });
    layout->addWidget(web_, 1);
    return tab;
}

QPlainTextEdit* MainWindow::BuildMemo(const char* name, std::string ProjectTexts::*text) {
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(name);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const size_t index = memos_.size();
    memos_.push_back({memo, text});
    // An edit changes the project text itself; it is not a tree change, so
    // the modified flag stays as it is.
    connect(memo, &QPlainTextEdit::textChanged, this, [this, index] {
        if (!refreshingMemos_) memos_[index].edited = true;
    });
    return memo;
}

void MainWindow::BuildActions() {
    for (const ActionSpec& row : MainActions()) {
        auto* action = new QAction(QIcon(QString(":/icons/%1.svg").arg(row.icon)),
                                   row.menuCaption ? row.menuCaption : row.caption, this);
        action->setObjectName(row.name);
        action->setProperty("category", row.category);
        action->setProperty("caption", row.caption);
        action->setToolTip(row.hint);
        action->setStatusTip(row.hint);
        if (*row.shortcut) action->setShortcuts(QKeySequence::listFromString(row.shortcut, QKeySequence::PortableText));
        addAction(action);
        if (row.handler == nullptr) {
            action->setEnabled(false);
            continue;
        }
        connect(action, &QAction::triggered, this, [this, handler = row.handler] { Run([this, handler] { (this->*handler)(); }); });
    }
    connect(Action("Action2"), &QAction::hovered, this, [this] { UpdateSaveCommand(); });
}

void MainWindow::BuildMenusAndToolbar() {
    menuBar()->setObjectName("ActionMainMenuBar1");
    for (const MenuSpec& menuRow : MainMenus()) {
        QMenu* menu = menuBar()->addMenu(menuRow.title);
        for (const char* entry : menuRow.entries) {
            if (std::string_view(entry) == "-")
                menu->addSeparator();
            else
                menu->addAction(Action(entry));
        }
    }
    QToolBar* toolbar = addToolBar("Commands");
    toolbar->setObjectName("ActionToolBar1");
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const char* entry : MainToolbar()) {
        if (std::string_view(entry) == "-")
            toolbar->addSeparator();
        else
            toolbar->addAction(Action(entry));
    }
}

void MainWindow::LoadStartupProject() {
    StartupLoadResult result = LoadDefaultProject(workspace_, *web_);
    startupFailures_ = std::move(result.failures);
    RefreshMemos();
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
    QMetaObject::invokeMethod(this, [this] { ShowError(StartupFailureMessage(startupFailures_)); }, Qt::QueuedConnection);
}

void MainWindow::Run(const std::function<void()>& command) { RunOver(this, command); }

void MainWindow::RunOver(QWidget* over, const std::function<void()>& command) {
    try {
        FlushMemos();
        command();
    } catch (const CommandDeclined&) {
        // The user said No to the command's question: nothing to report.
    } catch (const std::exception& error) {
        // FileError and PrintError name the file or printer at fault.
        services_.Message(over, kApplicationTitle, Shown(error.what()), QMessageBox::Critical);
    }
    UpdateUndoActions();
    UpdateSaveCommand();
}

bool MainWindow::ConfirmWriteOverPartlyRead(const std::string& path, size_t itemsRead) {
    return services_.Ask(this, kApplicationTitle, Shown(PartlyReadQuestion(path, itemsRead)), QMessageBox::Warning,
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool MainWindow::Attempt(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const CommandDeclined&) {
        return false;
    } catch (const std::exception& error) {
        ShowError(error.what());
        return false;
    }
}

void MainWindow::UpdateSaveCommand() {
    QAction* save = Action("Action2");
    save->setEnabled(workspace_.SaveEnabled());
    const QString hint = SaveCommandHint(workspace_.Modified());
    save->setToolTip(hint);
    save->setStatusTip(hint);
}

void MainWindow::ShowProjectTitle() { setWindowTitle(Shown(ProjectTitle(workspace_.ProjectName()))); }

void MainWindow::closeEvent(QCloseEvent* event) {
    bool close = false;
    Run([&] { close = AskToSaveChanges(kCloseCaption, QMessageBox::Warning); });
    if (close)
        event->accept();
    else
        event->ignore();
}

bool MainWindow::ConfirmSaveChanges() { return AskToSaveChanges(kConfirmationCaption, QMessageBox::NoIcon); }

bool MainWindow::AskToSaveChanges(const char* caption, QMessageBox::Icon icon) {
    const std::optional<std::string> question = SaveChangesQuestion(workspace_);
    if (!question) return true;
    const QMessageBox::StandardButton pressed = services_.Ask(
        this, caption, Shown(*question), icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const SaveAnswer answer = pressed == QMessageBox::Yes  ? SaveAnswer::Yes
                              : pressed == QMessageBox::No ? SaveAnswer::No
                                                           : SaveAnswer::Cancel;
    switch (StepAfterAnswer(workspace_, answer)) {
        case SaveChangesStep::GoOn:
            return true;
        case SaveChangesStep::SaveProjectFolder:
            return SaveToProjectFolder();
        case SaveChangesStep::SaveAs:
            return RunSaveAs();
        case SaveChangesStep::Stop:
            break;
    }
    return false;
}

bool MainWindow::SaveToProjectFolder() {
    // The script is generated anew even when a write then fails.
    struct Refresh {
        MainWindow* form;
        ~Refresh() { form->RefreshMemos(&ProjectTexts::script); }
    } refresh{this};
    return Attempt([this] { SaveProjectTexts(workspace_, *web_, workspace_.ProjectFolder()); });
}

bool MainWindow::RunSaveAs() {
    if (!services_.RunDialog(*saveDialog_)) return false;
    const std::string name = Bytes(saveDialog_->ProjectName());
    const std::string folder = SaveAsFolder(Bytes(saveDialog_->CurrentFolder()), name);
    const std::vector<std::string> others = OtherProjectFiles(workspace_, folder);
    if (!others.empty() &&
        services_.Ask(this, kApplicationTitle, Shown(ReplaceProjectQuestion(folder, others)), QMessageBox::Warning,
                      QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    if (!Attempt([&] { SaveProjectAs(workspace_, *web_, workspace_.ButtonStyles(), folder, name); })) return false;
    ShowProjectTitle();
    RefreshMemos();
    return true;
}

void MainWindow::Save() {
    const bool saved = workspace_.IsDefaultProject() ? RunSaveAs() : SaveToProjectFolder();
    // When nothing was saved the changes are still there, and so is Save.
    if (saved) workspace_.SetSaveEnabled(false);
}

void MainWindow::SaveAs() { RunSaveAs(); }

void MainWindow::Open() {
    if (!ConfirmSaveChanges()) return;
    const QString chosen = services_.ChooseFileToOpen(this, "Java Script File (*.js)", Shown(StartFolderForOpen()));
    if (chosen.isEmpty()) return;
    const OpenResult result = OpenProject(workspace_, *web_, Bytes(chosen));
    ShowProjectTitle();
    RefreshMemos();
    for (const std::string& warning : result.warnings)
        services_.Message(this, kApplicationTitle, Shown(warning), QMessageBox::Warning);
}

void MainWindow::RunToolCommand(QWidget* over, const std::function<void()>& command) {
    RunOver(over, command);
    RefreshMemos();
}

void MainWindow::ToolMessage(QWidget* over, const std::string& text) {
    services_.Message(over, kApplicationTitle, Shown(text), QMessageBox::NoIcon);
}

Preview& MainWindow::PreviewPane() { return *web_; }

void MainWindow::ShowError(const std::string& text) {
    services_.Message(this, kApplicationTitle, Shown(text), QMessageBox::Critical);
}

void MainWindow::PlainMessage(const char* text) {
    services_.Message(this, kApplicationTitle, text, QMessageBox::NoIcon);
}

void MainWindow::FlushMemos() {
    for (MemoBinding& binding : memos_) {
        if (!binding.edited) continue;
        std::string& text = workspace_.Texts().*binding.text;
        text = ProjectText(binding.memo->toPlainText(), text);
        binding.edited = false;
    }
}

void MainWindow::RefreshMemos(std::string ProjectTexts::*only) {
    refreshingMemos_ = true;
    for (MemoBinding& binding : memos_) {
        if (only != nullptr && binding.text != only) continue;
        binding.memo->setPlainText(EditorText(workspace_.Texts().*binding.text));
        binding.edited = false;
    }
    refreshingMemos_ = false;
}

void MainWindow::NewMenu() {
    if (!ConfirmSaveChanges()) return;
    newMenu_->ListUserStyles();
    // No to the replace question is not the end of the command: the user
    // goes back to the dialog, its fields as they were, to pick another name
    // or folder. Only Close ends it.
    std::optional<NewMenuPlan> plan;
    while (!plan) {
        if (!services_.RunDialog(*newMenu_)) return;
        const StyleChoice style = newMenu_->SelectedStyle();

        if (newMenu_->Chosen() == NewMenuDialog::Choice::SkinOnly) {
            RestyleProject(workspace_, *web_, style);
            RefreshMemos();
            PlainMessage("Style has been modified!");
            web_->Reload();
            return;
        }

        plan = PrepareNewMenu(workspace_, newMenu_->Directory(), newMenu_->MenuCaption(), style);
        // A new menu starts empty: whatever menu the folder holds would be
        // lost, so this asks as Save as does before replacing a project's files.
        if (!plan->replacedFiles.empty()) {
            const std::string folder = FolderOfPath(plan->replacedFiles.front());
            std::vector<std::string> names;
            for (const std::string& path : plan->replacedFiles) names.push_back(path.substr(FolderOfPath(path).size()));
            if (services_.Ask(this, kApplicationTitle, Shown(ReplaceProjectQuestion(folder, names)),
                              QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
                plan.reset();
        }
    }
    CreateNewMenu(workspace_, *web_, *plan);
    ClearHistory();
    ShowProjectTitle();
    RefreshMemos();
    PlainMessage("Menu was succesfully created!");
    web_->Reload();
}

// Open starts where the user works: in the folder holding the open project,
// or in the home folder while the default project is open.
std::string MainWindow::StartFolderForOpen() const {
    if (workspace_.IsDefaultProject()) return Bytes(QDir::homePath());
    return FolderOfPath(JoinPath(workspace_.ProjectFolder(), projectfile::kScript));
}

bool MainWindow::RunItemDialog() {
    itemDialog_->SetEightBitScript(!IsUtf8(workspace_.Texts().script));
    return services_.RunDialog(*itemDialog_);
}

void MainWindow::PrintTreeReport() {
    std::unique_ptr<QPrinter> printer = services_.DefaultPrinter();
    PrintLines(*printer, tree_->font(), TreeReportLines(workspace_.Tree()));
}

void MainWindow::Exit() { close(); }

void MainWindow::AddItem() {
    if (!RunItemDialog()) return;
    TreeCommands::AddItemOutcome outcome = commands_.AddItem(itemDialog_->Texts());
    if (outcome.needsSubmenu) {
        PlainMessage(treemessage::kNoUpperMenu);
        AddSubitem();
    }
}

void MainWindow::AddSubitem() {
    switch (commands_.CheckAddSubitem()) {
        case TreeCommands::SubitemRefusal::NoSelection:
            PlainMessage(treemessage::kEmptyItem);
            return;
        case TreeCommands::SubitemRefusal::TooDeep:
            services_.Message(this, treemessage::kWarningCaption, treemessage::kTooDeep, QMessageBox::Warning);
            return;
        case TreeCommands::SubitemRefusal::None:
            break;
    }
    if (!RunItemDialog()) return;
    commands_.AddSubitem(itemDialog_->Texts());
}

void MainWindow::EditItem() { EditSelectedItem(); }

void MainWindow::EditSelectedItem() {
    if (!commands_.CanEdit()) return;
    itemDialog_->SetTexts(commands_.SelectedTexts());
    if (RunItemDialog()) {
        const ItemTexts texts = itemDialog_->Texts();
        commands_.FinishEdit(&texts);
    } else {
        commands_.FinishEdit(nullptr);
    }
}

void MainWindow::DeleteItem() { commands_.DeleteSelected(); }

void MainWindow::AddSeparator() { commands_.AddSeparator(); }

void MainWindow::SeeCode() { pages_->setCurrentIndex(1); }

void MainWindow::ToggleTools() { tools_->setVisible(!tools_->isVisible()); }

void MainWindow::ShowHelp() { OpenOrSayWhyNot(services_, this, Shown(workspace_.ProgramPath(programpath::kHelp))); }

void MainWindow::ShowAbout() { services_.RunDialog(*about_); }

void MainWindow::GenerateCode() {
    // The text is rebuilt before the file is written, so the memo shows it
    // even when the write fails.
    struct Refresh {
        MainWindow* form;
        ~Refresh() { form->RefreshMemos(&ProjectTexts::script); }
    } refresh{this};
    tavel::GenerateCode(workspace_, *web_);
}

void MainWindow::PageDesign() {
    // Read before the dialog is shown: a rule that cannot be read ends the
    // command with the dialog unseen.
    pageDesign_->SetSettings(ReadPageDesign(workspace_, pageDesign_->ButtonEntries(), pageDesign_->Settings()));
    if (!services_.RunDialog(*pageDesign_)) return;
    struct Refresh {
        MainWindow* form;
        ~Refresh() {
            form->RefreshMemos(&ProjectTexts::styleSheet);
            form->RefreshMemos(&ProjectTexts::runtime);
        }
    } refresh{this};
    ApplyPageDesign(workspace_, *web_, pageDesign_->Settings());
    pageDesign_->ClearScheme();
}

void MainWindow::ExpandAll() { commands_.ExpandAll(); }

void MainWindow::CollapseAll() { commands_.CollapseAll(); }

void MainWindow::GoBack() { web_->back(); }

void MainWindow::GoForward() { web_->forward(); }

// The preview has no home page of its own: home is the open project's page.
void MainWindow::GoHome() { web_->Navigate(FileLocation(workspace_.ProjectFilePath(projectfile::kPage))); }

void MainWindow::OpenInExternalBrowser() { OpenOrSayWhyNot(services_, this, Shown(ExternalBrowserTarget(workspace_))); }

// The selection comes back with the tree; its item is brought into view,
// submenus opened, so the user sees what was undone.
void MainWindow::Undo() {
    commands_.Undo();
    tree_->scrollTo(tree_->currentIndex());
}

void MainWindow::Redo() {
    commands_.Redo();
    tree_->scrollTo(tree_->currentIndex());
}

void MainWindow::ClearHistory() {
    workspace_.ClearHistory();
    UpdateUndoActions();
}

void MainWindow::UpdateUndoActions() {
    const EditHistory& history = workspace_.History();
    QAction* undo = Action("Undo");
    QAction* redo = Action("Redo");
    undo->setEnabled(history.CanUndo());
    undo->setText(history.CanUndo() ? "&Undo " + Shown(history.UndoName()) : QString("&Undo"));
    redo->setEnabled(history.CanRedo());
    redo->setText(history.CanRedo() ? "&Redo " + Shown(history.RedoName()) : QString("&Redo"));
}

QString MainWindow::RefusalText(TreeCommands::MoveRefusal refusal) {
    switch (refusal) {
        case TreeCommands::MoveRefusal::TooDeep:
            return treemessage::kMoveTooDeep;
        case TreeCommands::MoveRefusal::IntoItself:
            return treemessage::kMoveIntoItself;
        default:
            return {};
    }
}

bool MainWindow::AcceptsDrop(const MenuItem* target, bool afterTarget, QString* why) const {
    const TreeCommands::MoveRefusal refusal = commands_.CheckDrop(target, afterTarget);
    if (why != nullptr) *why = RefusalText(refusal);
    return refusal == TreeCommands::MoveRefusal::None;
}

void MainWindow::KeyboardMove(TreeCommands::MoveRefusal (TreeCommands::*move)()) {
    const QString why = RefusalText((commands_.*move)());
    if (!why.isEmpty()) statusBar()->showMessage(why, 5000);
    // The tree keeps the keyboard, so moves can follow one another.
    tree_->setFocus();
    tree_->scrollTo(tree_->currentIndex());
}

void MainWindow::MoveItemUp() { KeyboardMove(&TreeCommands::MoveUp); }
void MainWindow::MoveItemDown() { KeyboardMove(&TreeCommands::MoveDown); }
void MainWindow::IndentItem() { KeyboardMove(&TreeCommands::Indent); }
void MainWindow::OutdentItem() { KeyboardMove(&TreeCommands::Outdent); }

}  // namespace tavel
