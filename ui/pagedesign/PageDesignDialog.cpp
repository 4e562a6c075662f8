#include "ui/pagedesign/PageDesignDialog.h"

#include "design/ColourSchemeList.h"
#include "platform/FileError.h"
#include "project/ApplicationTitle.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/FixedDialog.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"
#include "ui/common/UiServices.h"
#include "ui/pagedesign/ButtonStylePage.h"
#include "ui/pagedesign/SchemeAndGapsPage.h"
#include "ui/pagedesign/StyleRulesPage.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tavel {
namespace {

// The installed families as a style sheet names them. Where two foundries
// ship one family the font database tells them apart as "Name [foundry]",
// which no browser matches: the family name alone is what the page needs.
QStringList FontFamilyNames() {
    QStringList names;
    for (QString family : QFontDatabase::families()) {
        if (const qsizetype bracket = family.indexOf(" ["); bracket > 0 && family.endsWith(']')) family.truncate(bracket);
        if (!names.contains(family)) names.append(family);
    }
    return names;
}

}  // namespace

PageDesignDialog::PageDesignDialog(Workspace& workspace, UiServices& services, QWidget* parent)
    : QDialog(parent), services_(services), buttons_(workspace.ButtonStyles()) {
    MakeFixedDialog(*this, "Project properties");

    buttonsPage_ = new ButtonStylePage(buttons_, services_, [this](const std::string& text) { ShowError(text); });
    designPage_ = new SchemeAndGapsPage(services_);
    titlesPage_ = new StyleRulesPage(StyleRulesPage::Links::Titles);
    itemsPage_ = new StyleRulesPage(StyleRulesPage::Links::Items);
    auto* tabs = new QTabWidget(this);
    tabs->addTab(buttonsPage_, "Buttons");
    tabs->addTab(designPage_, "Design");
    tabs->addTab(titlesPage_, "Title items");
    tabs->addTab(itemsPage_, "Menu items");
    tabs->setCurrentIndex(0);

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(cancel);
    buttonRow->addWidget(ok);
    // Tab follows the row as it reads: Cancel on the left, then OK.
    setTabOrder(cancel, ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttonRow);
    // Sized by what it holds, so no caption is cut off in any font.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FillLists(workspace);

    SetFormNames({
        {this, "TForm5"},
        {tabs, "PageControl1"},
        {buttonsPage_, "TabSheet1"},
        {designPage_, "TabSheet2"},
        {titlesPage_, "TabSheet3"},
        {itemsPage_, "TabSheet4"},
        {ok, "BitBtn1"},
        {cancel, "BitBtn2"},
    });
    SetAccessibleNames({
        {tabs, "Property pages", "Left and Right switch between the pages"},
    });
}

void PageDesignDialog::FillLists(const Workspace& workspace) {
    // Each list is filled on its own: a missing folder leaves its list empty
    // and is reported, and the others are filled all the same.
    try {
        buttons_.Fill(workspace.ProgramPath(programpath::kButtons));
    } catch (const FileError& error) {
        ShowError(error.what());
    }
    buttonsPage_->ListEntries();
    ColourSchemeList schemes;
    try {
        schemes.Fill(workspace.ProgramPath(programpath::kColourSchemes));
    } catch (const FileError& error) {
        ShowError(error.what());
    }
    designPage_->ListSchemes(schemes.Entries());

    const QStringList families = FontFamilyNames();
    QStringList sorted = families;
    sorted.sort(Qt::CaseInsensitive);
    titlesPage_->ListFonts(sorted, families);
    itemsPage_->ListFonts(families, families);
}

PageDesignSettings PageDesignDialog::Settings() const {
    PageDesignSettings settings;
    titlesPage_->ReadInto(settings);
    itemsPage_->ReadInto(settings);
    designPage_->ReadInto(settings);
    buttonsPage_->ReadInto(settings);
    return settings;
}

void PageDesignDialog::SetSettings(const PageDesignSettings& settings) {
    titlesPage_->Show(settings);
    itemsPage_->Show(settings);
    designPage_->Show(settings);
    buttonsPage_->Show(settings);
}

void PageDesignDialog::ClearScheme() { designPage_->ClearScheme(); }

void PageDesignDialog::ShowError(const std::string& text) {
    services_.Message(parentWidget(), kApplicationTitle, Shown(text), QMessageBox::Critical);
}

}  // namespace tavel
