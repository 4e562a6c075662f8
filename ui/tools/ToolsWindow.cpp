#include "ui/tools/ToolsWindow.h"

#include "project/ApplicationTitle.h"
#include "project/Workspace.h"
#include "tools/CreateSite.h"
#include "tools/PageIntegration.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"
#include "ui/tools/SiteProgressDialog.h"
#include "ui/tools/ToolsHost.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

namespace tavel {
namespace {

// How often the window is brought up to date while Create runs.
constexpr qint64 kProgressStepMs = 40;

// A message or dialog over the window hands the keyboard back to it, to the
// control that had it, once it closes: the desktop may give it to the main
// window instead, and Escape and the keys of the window would then be lost.
class KeyboardComesBack {
public:
    explicit KeyboardComesBack(QWidget& window) : window_(window), had_(window.focusWidget()) {}
    ~KeyboardComesBack() {
        if (!window_.isVisible()) return;
        window_.raise();
        window_.activateWindow();
        if (had_ != nullptr) had_->setFocus(Qt::OtherFocusReason);
    }
    KeyboardComesBack(const KeyboardComesBack&) = delete;
    KeyboardComesBack& operator=(const KeyboardComesBack&) = delete;

private:
    QWidget& window_;
    QPointer<QWidget> had_;
};

QLabel* BoldLabel(const QString& text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

// A tool window of its parent stands above the parent alone; staying on top
// of every window would cover the program's own dialogs and messages.
ToolsWindow::ToolsWindow(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setWindowTitle("Program Tools");
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);

    auto* integrateHeading = BoldLabel("Integrate");
    layout->addWidget(integrateHeading);
    auto* pageRow = new QHBoxLayout;
    pagePath_ = new QLineEdit;
    pagePath_->setToolTip("The page to put the menu into");
    pageRow->addWidget(pagePath_, 1);
    // A small button beside the field, as wide as its three dots need.
    auto* choose = new QToolButton;
    choose->setText("...");
    choose->setToolTip("Choose the page");
    connect(choose, &QToolButton::clicked, this, &ToolsWindow::ChoosePage);
    pageRow->addWidget(choose);
    layout->addLayout(pageRow);
    keepLook_ = new QCheckBox("Keep the page's own look");
    keepLook_->setChecked(IntegrateOptions().keepPageLook);
    keepLook_->setToolTip("Checked: the style sheet put beside the page styles the menu alone, so the page keeps its "
                          "margins, fonts, colours and link colours. Clear: the project's whole style sheet.");
    layout->addWidget(keepLook_);
    QPushButton* integrate = Button("Integrate", &ToolsWindow::Integrate);
    layout->addWidget(integrate, 0, Qt::AlignRight);

    auto* bevel = new QFrame;
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    layout->addWidget(bevel);

    auto* siteHeading = BoldLabel("Create site from map");
    layout->addWidget(siteHeading);
    auto* nameRow = new QHBoxLayout;
    auto* nameLabel = new QLabel("Site name");
    siteName_ = new QLineEdit;
    nameLabel->setBuddy(siteName_);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(siteName_, 1);
    layout->addLayout(nameRow);

    // The fields start as the core's options do.
    const SiteOptions defaults;
    linkNames_ = new QCheckBox("Link names\\digit names");
    linkNames_->setChecked(defaults.linkNames);
    linkNames_->setToolTip("Checked: each page is named by its item's link. Clear: pages get digit names, "
                           "which become the items' links.");
    layout->addWidget(linkNames_);
    addTitles_ = new QCheckBox("Add titles");
    addTitles_->setChecked(defaults.title.addTitles);
    connect(addTitles_, &QCheckBox::clicked, this, &ToolsWindow::AddTitlesToggled);
    layout->addWidget(addTitles_);

    titleFormat_ = new QLabel("Title format");
    layout->addWidget(titleFormat_);
    auto* formatRow = new QHBoxLayout;
    firstPart_ = new QLineEdit(Shown(defaults.title.first));
    separator_ = new QLineEdit(Shown(defaults.title.separator));
    secondPart_ = new QLineEdit(Shown(defaults.title.second));
    firstPart_->setToolTip("\"Title\" stands for the parent item's caption");
    separator_->setToolTip("Between the two parts");
    secondPart_->setToolTip("\"Item\" stands for the item's own caption");
    formatRow->addWidget(firstPart_, 3);
    formatRow->addWidget(separator_, 2);
    formatRow->addWidget(secondPart_, 3);
    layout->addLayout(formatRow);

    // For both tools: the pages they write carry the menu as plain links too.
    writeLinks_ = new QCheckBox("Write links for readers without scripts");
    writeLinks_->setChecked(defaults.writeLinks);
    writeLinks_->setToolTip("Integrate and Create also write the menu as a plain list of links, for search engines "
                            "and browsers that run no scripts; the menu replaces it where scripts run.");
    layout->addWidget(writeLinks_);

    auto* languageRow = new QHBoxLayout;
    auto* languageLabel = new QLabel("Page language");
    language_ = new QLineEdit;
    language_->setToolTip("The language the site's pages are in, as a tag such as en, de or pt-BR; it starts as "
                          "the project page's own");
    languageLabel->setBuddy(language_);
    languageRow->addWidget(languageLabel);
    languageRow->addWidget(language_, 1);
    layout->addLayout(languageRow);

    layout->addStretch(1);
    auto* buttonRow = new QHBoxLayout;
    QPushButton* create = Button("Create", &ToolsWindow::CreateSite);
    buttonRow->addWidget(create);
    buttonRow->addStretch(1);
    QPushButton* cancel = Button("Cancel", &ToolsWindow::Cancel);
    cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    buttonRow->addWidget(cancel);
    layout->addLayout(buttonRow);

    // The menu goes into a page that is already there: the user picks an
    // existing file, nothing is saved under a new name.
    pageDialog_ = new QFileDialog(this);
    pageDialog_->setWindowTitle("Choose page");
    pageDialog_->setAcceptMode(QFileDialog::AcceptOpen);
    pageDialog_->setFileMode(QFileDialog::ExistingFile);
    pageDialog_->setNameFilters({"Web pages (*.htm *.html)", "All files (*)"});
    NameFileDialogLists(*pageDialog_);

    // The layout is 230 by 221 where the fonts allow, larger where they need it.
    setFixedSize(std::max(230, layout->minimumSize().width()), std::max(221, layout->sizeHint().height()));

    SetFormNames({
        {this, "TForm8"},
        {integrateHeading, "Label1"},
        {pagePath_, "Edit1"},
        {choose, "Button1"},
        {keepLook_, "CheckBox5"},
        {integrate, "Button2"},
        {bevel, "Bevel1"},
        {siteHeading, "Label2"},
        {nameLabel, "Label3"},
        {siteName_, "Edit2"},
        {linkNames_, "CheckBox2"},
        {addTitles_, "CheckBox3"},
        {titleFormat_, "Label4"},
        {firstPart_, "Edit3"},
        {separator_, "Edit4"},
        {secondPart_, "Edit5"},
        {writeLinks_, "CheckBox4"},
        {languageLabel, "Label5"},
        {language_, "Edit6"},
        {create, "Button3"},
        {cancel, "BitBtn1"},
        {pageDialog_, "SaveDialog1"},
    });
    SetAccessibleNames({
        {pagePath_, "Page to integrate into"},
        {linkNames_, "Link names or digit names"},
        {choose, "Choose the page"},
        {firstPart_, "Title format, first part"},
        {separator_, "Title format, separator"},
        {secondPart_, "Title format, second part"},
    });
}

QPushButton* ToolsWindow::Button(const QString& caption, void (ToolsWindow::*handler)()) {
    auto* button = new QPushButton(caption);
    // Enter in a field must not run a tool.
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

void ToolsWindow::showEvent(QShowEvent* event) {
    FollowProject();
    QDialog::showEvent(event);
}

void ToolsWindow::FollowProject() {
    // Until the user names the site, it is named after the open project.
    if (host_ == nullptr) return;
    if (!siteName_->isModified()) siteName_->setText(Shown(DefaultSiteName(host_->Work())));
    if (!language_->isModified()) language_->setText(Shown(DefaultPageLanguage(host_->Work().Texts().page)));
}

void ToolsWindow::reject() { Cancel(); }

void ToolsWindow::Cancel() { hide(); }

void ToolsWindow::AddTitlesToggled() {
    const bool on = addTitles_->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(titleFormat_), static_cast<QWidget*>(firstPart_),
                             static_cast<QWidget*>(separator_), static_cast<QWidget*>(secondPart_)})
        control->setEnabled(on);
}

void ToolsWindow::ChoosePage() {
    if (host_ == nullptr) return;
    // The page usually lies with the project; the default project has no
    // folder of its own to offer, and the program's working folder means
    // nothing to the user.
    const Workspace& work = host_->Work();
    QString start = work.IsDefaultProject() ? QDir::homePath() : Shown(work.ProjectFolder());
    if (!QFileInfo(start).isDir()) start = QDir::homePath();
    pageDialog_->setDirectory(start);
    const KeyboardComesBack back(*this);
    if (!host_->Services().RunDialog(*pageDialog_)) return;
    const QStringList chosen = pageDialog_->selectedFiles();
    if (!chosen.isEmpty()) pagePath_->setText(chosen.front());
}

void ToolsWindow::Integrate() {
    if (host_ == nullptr) return;
    const KeyboardComesBack back(*this);
    std::string message;
    host_->RunToolCommand(this, [&] {
        IntegrateOptions options;
        options.writeLinks = writeLinks_->isChecked();
        options.keepPageLook = keepLook_->isChecked();
        message = IntegrateDoneMessage(IntegrateMenu(host_->Work(), Bytes(pagePath_->text()), options));
    });
    if (!message.empty()) host_->ToolMessage(this, message);
}

void ToolsWindow::CreateSite() {
    if (host_ == nullptr) return;
    SiteOptions options;
    options.title = {Bytes(siteName_->text()), addTitles_->isChecked(), Bytes(firstPart_->text()),
                     Bytes(separator_->text()), Bytes(secondPart_->text())};
    options.linkNames = linkNames_->isChecked();
    options.writeLinks = writeLinks_->isChecked();
    options.language = Bytes(language_->text().trimmed());

    const KeyboardComesBack back(*this);
    std::optional<SiteReport> report;
    const ReplaceQuestion replaceForeign = [this](const std::vector<std::string>& names) {
        return host_->Services().Ask(this, kApplicationTitle, Shown(ReplaceQuestionText(names)), QMessageBox::Warning,
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    host_->RunToolCommand(this, [&] {
        SiteProgressDialog progress(this);
        QElapsedTimer clock;
        clock.start();
        qint64 shown = -kProgressStepMs;
        report = tavel::CreateSite(host_->Work(), host_->PreviewPane(), options, [&](size_t done, size_t total) {
            if (clock.elapsed() - shown >= kProgressStepMs || done == total) {
                shown = clock.elapsed();
                progress.setMaximum(static_cast<int>(total));
                progress.setValue(static_cast<int>(done));
                // Until the progress box is up (and modal), the user must not
                // change the tree the pages are made from.
                QCoreApplication::processEvents(progress.isVisible() ? QEventLoop::AllEvents
                                                                     : QEventLoop::ExcludeUserInputEvents);
            }
            return !progress.wasCanceled();
        }, replaceForeign);
    });
    // A failed run leaves the tree as it was. The links digit names gave
    // are one step that Undo takes back.
    if (!report) return;
    if (report->linksReplaced > 0)
        host_->ToolStatus(std::to_string(report->linksReplaced) +
                          (report->linksReplaced == 1 ? " link was" : " links were") +
                          " replaced by page names; Undo takes them back.");
    host_->ToolMessage(this, SiteReportMessage(*report));
    if (report->outcome == SiteReport::Outcome::Created) hide();
}

}  // namespace tavel
