#include "ui/tvUnit1.h"

#include "menu/GenerateCode.h"
#include "menu/TreeMessages.h"
#include "menu/TreeReport.h"
#include "menu/tvItemProps.h"
#include "project/ExternalPage.h"
#include "project/ProgramFolder.h"
#include "project/StartupLoad.h"
#include "tools/tvTools.h"
#include "ui/ActionTable.h"
#include "ui/LocalText.h"
#include "ui/MenuTreeModel.h"
#include "ui/MenuTreeView.h"
#include "ui/StartupTiming.h"
#include "ui/TreeReportPrinter.h"
#include "ui/UiServices.h"
#include "ui/WebPreview.h"
#include "ui/tvAbout.h"

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

// Commands whose windows or project handling are not part of the program
// yet: they stay visible in their places but cannot be invoked.
constexpr const char* kNotYetAvailable[] = {"Action1", "Action2", "Action3", "Action4", "Action12"};

}  // namespace

TForm1::TForm1(const std::string& programFolder, UiServices& services, QWidget* parent)
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
    connect(tree_, &MenuTreeView::ItemDoubleClicked, this, [this] { Run([this] { TreeDblClick(); }); });

    popup_ = new QMenu(this);
    popup_->setObjectName("PopupMenu1");
    popup_->addAction("Expand all", this, [this] { Expandall1Click(); })->setObjectName("Expandall1");
    popup_->addAction("Collapse all", this, [this] { Collapseall1Click(); })->setObjectName("Collapseall1");
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
    FormCreate();
}

TForm1::~TForm1() {
    // The model goes before the workspace whose tree it watches.
    delete tree_;
    delete model_;
}

void TForm1::SetDialogs(TForm4* itemDialog, TForm7* about, TForm8* tools) {
    itemDialog_ = itemDialog;
    about_ = about;
    tools_ = tools;
}

QAction* TForm1::Action(const char* name) const { return findChild<QAction*>(name, Qt::FindDirectChildrenOnly); }

QWidget* TForm1::BuildBrowserTab() {
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
        void (TForm1::*handler)();
    } buttons[] = {
        {"ToolButton1", "Previous", "back", &TForm1::ToolButton1Click},
        {"ToolButton2", "Next", "forward", &TForm1::ToolButton2Click},
        {"ToolButton3", "Home", "home", &TForm1::ToolButton3Click},
        {"ToolButton4", "Open in external browser", "external", &TForm1::ToolButton4Click},
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

QPlainTextEdit* TForm1::BuildMemo(const char* name, std::string ProjectTexts::*text) {
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

void TForm1::BuildActions() {
    const struct {
        const char* name;
        void (TForm1::*handler)();
    } handlers[] = {
        {"Action5", &TForm1::Action5Execute},   {"Action6", &TForm1::Action6Execute},
        {"Action7", &TForm1::Action7Execute},   {"Action8", &TForm1::Action8Execute},
        {"Action9", &TForm1::Action9Execute},   {"Action10", &TForm1::Action10Execute},
        {"Action11", &TForm1::Action11Execute}, {"Action13", &TForm1::Action13Execute},
        {"Action14", &TForm1::Action14Execute}, {"Action16", &TForm1::Action16Execute},
        {"Action17", &TForm1::Action17Execute}, {"Action18", &TForm1::Action18Execute},
    };
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
        for (const auto& h : handlers) {
            if (std::string_view(h.name) != row.name) continue;
            connect(action, &QAction::triggered, this, [this, handler = h.handler] { Run([this, handler] { (this->*handler)(); }); });
        }
    }
    for (const char* name : kNotYetAvailable) Action(name)->setEnabled(false);
}

void TForm1::BuildMenusAndToolbar() {
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

void TForm1::FormCreate() {
    StartupLoadResult result = LoadDefaultProject(workspace_, *web_);
    startupFailures_ = std::move(result.failures);
    RefreshMemos();
    pages_->setCurrentIndex(0);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    FormShow();
}

void TForm1::FormShow() {
    move(0, 0);
    qCInfo(lcStartup, "main window shown after %.0f ms", MillisecondsSinceProcessStart());
    // Told once the window is up, so the message has a window to stand on.
    if (!startupFailures_.empty())
        QMetaObject::invokeMethod(this, [this] { ShowError(StartupFailureMessage(startupFailures_)); }, Qt::QueuedConnection);
}

void TForm1::Run(const std::function<void()>& command) {
    try {
        FlushMemos();
        command();
    } catch (const std::exception& error) {
        // FileError and PrintError name the file or printer at fault.
        ShowError(error.what());
    }
}

void TForm1::ShowError(const std::string& text) {
    services_.Message(this, kApplicationTitle, Shown(text), QMessageBox::Critical);
}

void TForm1::PlainMessage(const char* text) {
    services_.Message(this, kApplicationTitle, text, QMessageBox::NoIcon);
}

void TForm1::FlushMemos() {
    for (MemoBinding& binding : memos_) {
        if (!binding.edited) continue;
        workspace_.Texts().*binding.text = ProjectText(binding.memo->toPlainText());
        binding.edited = false;
    }
}

void TForm1::RefreshMemos(std::string ProjectTexts::*only) {
    refreshingMemos_ = true;
    for (MemoBinding& binding : memos_) {
        if (only != nullptr && binding.text != only) continue;
        binding.memo->setPlainText(EditorText(workspace_.Texts().*binding.text));
        binding.edited = false;
    }
    refreshingMemos_ = false;
}

void TForm1::Action5Execute() {
    std::unique_ptr<QPrinter> printer = services_.DefaultPrinter();
    PrintLines(*printer, tree_->font(), TreeReportLines(workspace_.Tree()));
}

void TForm1::Action6Execute() { close(); }

void TForm1::Action7Execute() {
    if (!services_.RunDialog(*itemDialog_)) return;
    TreeCommands::AddItemOutcome outcome = commands_.AddItem(itemDialog_->Texts());
    if (outcome.needsSubmenu) {
        PlainMessage(treemessage::kNoUpperMenu);
        Action8Execute();
    }
}

void TForm1::Action8Execute() {
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

void TForm1::Action9Execute() { TreeDblClick(); }

void TForm1::TreeDblClick() {
    if (!commands_.CanEdit()) return;
    itemDialog_->SetTexts(commands_.SelectedTexts());
    if (services_.RunDialog(*itemDialog_)) {
        const ItemTexts texts = itemDialog_->Texts();
        commands_.FinishEdit(&texts);
    } else {
        commands_.FinishEdit(nullptr);
    }
}

void TForm1::Action10Execute() { commands_.DeleteSelected(); }

void TForm1::Action18Execute() { commands_.AddSeparator(); }

void TForm1::Action11Execute() { pages_->setCurrentIndex(1); }

void TForm1::Action13Execute() { tools_->setVisible(!tools_->isVisible()); }

void TForm1::Action14Execute() { services_.OpenWithSystem(Shown(workspace_.ProgramPath(programpath::kHelp))); }

void TForm1::Action16Execute() { services_.RunDialog(*about_); }

void TForm1::Action17Execute() {
    // The text is rebuilt before the file is written, so the memo shows it
    // even when the write fails.
    struct Refresh {
        TForm1* form;
        ~Refresh() { form->RefreshMemos(&ProjectTexts::script); }
    } refresh{this};
    GenerateCode(workspace_, *web_);
}

void TForm1::Expandall1Click() { commands_.ExpandAll(); }

void TForm1::Collapseall1Click() { commands_.CollapseAll(); }

void TForm1::ToolButton1Click() { web_->back(); }

void TForm1::ToolButton2Click() { web_->forward(); }

void TForm1::ToolButton3Click() { web_->GoHome(); }

void TForm1::ToolButton4Click() { services_.OpenWithSystem(Shown(ExternalBrowserTarget(workspace_))); }

}  // namespace tavel
