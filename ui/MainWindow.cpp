#include "ui/MainWindow.h"

#include "project/GenerateCode.h"
#include "menu/TreeMessages.h"
#include "menu/TreeReport.h"
#include "ui/ItemDialog.h"
#include "project/ExternalPage.h"
#include "project/ProgramFolder.h"
#include "project/StartupLoad.h"
#include "ui/ToolsWindow.h"
#include "ui/ActionTable.h"
#include "ui/LocalText.h"
#include "ui/MenuTreeModel.h"
#include "ui/MenuTreeView.h"
#include "ui/StartupTiming.h"
#include "ui/TreeReportPrinter.h"
#include "ui/UiServices.h"
#include "ui/WebPreview.h"
#include "ui/AboutBox.h"

#include <QAction>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
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
    setWindowTitle("Tavel Builder - Default project");
    setWindowIcon(QIcon(":/icons/tavel.svg"));
    resize(796, 543);

    model_ = new MenuTreeModel(workspace_.Tree(), this);
    MenuTreeView::DropRules rules{
        [this](const MenuItem* target) { return commands_.CanDropOn(target); },
        [this](MenuItem* target) { Run([&] { commands_.DropOn(target); }); },
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
    LoadStartupProject();
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
        if (*row.shortcut) action->setShortcut(QKeySequence(row.shortcut, QKeySequence::PortableText));
        addAction(action);
        if (row.handler == nullptr) {
            action->setEnabled(false);
            continue;
        }
        connect(action, &QAction::triggered, this, [this, handler = row.handler] { Run([this, handler] { (this->*handler)(); }); });
    }
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
    // Told once the window is up, so the message has a window to stand on.
    if (!startupFailures_.empty())
        QMetaObject::invokeMethod(this, [this] { ShowError(StartupFailureMessage(startupFailures_)); }, Qt::QueuedConnection);
}

void MainWindow::Run(const std::function<void()>& command) {
    try {
        FlushMemos();
        command();
    } catch (const std::exception& error) {
        // FileError and PrintError name the file or printer at fault.
        ShowError(error.what());
    }
}

void MainWindow::RunToolCommand(QWidget* over, const std::function<void()>& command) {
    try {
        FlushMemos();
        command();
    } catch (const std::exception& error) {
        services_.Message(over, kApplicationTitle, Shown(error.what()), QMessageBox::Critical);
    }
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
        workspace_.Texts().*binding.text = ProjectText(binding.memo->toPlainText());
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

void MainWindow::PrintTreeReport() {
    std::unique_ptr<QPrinter> printer = services_.DefaultPrinter();
    PrintLines(*printer, tree_->font(), TreeReportLines(workspace_.Tree()));
}

void MainWindow::Exit() { close(); }

void MainWindow::AddItem() {
    if (!services_.RunDialog(*itemDialog_)) return;
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
    if (!services_.RunDialog(*itemDialog_)) return;
    commands_.AddSubitem(itemDialog_->Texts());
}

void MainWindow::EditItem() { EditSelectedItem(); }

void MainWindow::EditSelectedItem() {
    if (!commands_.CanEdit()) return;
    itemDialog_->SetTexts(commands_.SelectedTexts());
    if (services_.RunDialog(*itemDialog_)) {
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

void MainWindow::ShowHelp() { services_.OpenWithSystem(Shown(workspace_.ProgramPath(programpath::kHelp))); }

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

void MainWindow::ExpandAll() { commands_.ExpandAll(); }

void MainWindow::CollapseAll() { commands_.CollapseAll(); }

void MainWindow::GoBack() { web_->back(); }

void MainWindow::GoForward() { web_->forward(); }

void MainWindow::GoHome() { web_->GoHome(); }

void MainWindow::OpenInExternalBrowser() { services_.OpenWithSystem(Shown(ExternalBrowserTarget(workspace_))); }

}  // namespace tavel
