#include "tools/PageIntegration.h"

#include "menu/MenuTree.h"
#include "menu/ScriptReader.h"
#include "platform/AtomicFileBatch.h"
#include "platform/Paths.h"
#include "platform/TextEncoding.h"
#include "platform/TextFile.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"
#include "tools/AsciiScript.h"
#include "tools/HtmlDocument.h"
#include "tools/MenuLinks.h"
#include "tools/MenuPageEdit.h"
#include "tools/MenuStyleSheet.h"
#include "tools/PageEncoding.h"

#include <algorithm>

namespace tavel {
namespace {

bool HasNonAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The encoding the project's script, written as it is, is read wrongly in:
// "none" for a page that declares none, the encoding's name, or empty.
std::string ForeignCharset(const PageEncoding& encoding, std::string_view script) {
    const bool readsRight = encoding.IsUtf8() || (!IsValidUtf8(script) && encoding.name == "windows-1252");
    if (readsRight || !HasNonAscii(script)) return {};
    return encoding.source == PageEncoding::Source::Assumed ? "none" : encoding.name;
}

std::string LinksBlock(const std::string& script) {
    MenuTree menu;
    LoadTreeFromScript(script, menu);
    return MenuLinksBlock(menu, [](const MenuItem& item) { return item.Data().link; });
}

}  // namespace

IntegrateReport IntegrateMenu(const Workspace& work, const std::string& pagePath, const IntegrateOptions& options) {
    IntegrateReport report;
    report.page = pagePath;
    if (pagePath.find_first_not_of(" \t") == std::string::npos) {
        report.outcome = IntegrateReport::Outcome::NoPage;
        return report;
    }
    // The page's own bytes: its line ends, encoding and everything else
    // stay as they are.
    std::string bytes = ReadFileBytes(pagePath);
    if (IsBlankPage(bytes) || IsBinaryPage(bytes)) {
        report.outcome = IntegrateReport::Outcome::Refused;
        report.refusal = IsBlankPage(bytes) ? "is empty" : "holds binary data, not the text of a web page";
        return report;
    }
    const HtmlDocument page(std::move(bytes), pagePath);
    const PageEncoding encoding = EncodingOfPage(page);
    if (encoding.IsUtf16()) {
        report.outcome = IntegrateReport::Outcome::Refused;
        report.refusal = "is written in UTF-16, in which the menu's files cannot be read; save it as UTF-8 first";
        return report;
    }
    const ProjectTexts& texts = work.Texts();
    const MenuPageEdit edit =
        EditPageForMenu(page, MarkupOfPage(page, pagePath), options.writeLinks ? LinksBlock(texts.script) : "");
    if (edit.result == MenuPageEdit::Result::NoBodyTag) {
        report.outcome = IntegrateReport::Outcome::Refused;
        report.refusal = "has no <body> tag in front of its content, where the menu is started";
        return report;
    }

    // Beside the page; a bare file name puts them where it lies itself.
    const std::string folder = FolderOfPath(pagePath);
    const bool projectFolder =
        SameFolder(folder.empty() ? "." : folder, FolderOfPath(work.ProjectFilePath(projectfile::kScript)));
    AtomicFileBatch batch;
    batch.Add(folder + std::string(projectfile::kScript), projectFolder ? texts.script : AsciiScript(texts.script));
    batch.Add(folder + std::string(projectfile::kStyleSheet),
              projectFolder || !options.keepPageLook ? texts.styleSheet : MenuStyleSheet(texts.styleSheet));
    batch.Add(folder + std::string(projectfile::kRuntime), texts.runtime);
    if (edit.bytes != page.Bytes()) batch.Add(pagePath, edit.bytes);
    // The page and its three files change together or not at all.
    batch.Commit();

    if (edit.result == MenuPageEdit::Result::AlreadyLoadsMenu) report.outcome = IntegrateReport::Outcome::AlreadyIntegrated;
    if (projectFolder) report.foreignCharset = ForeignCharset(encoding, texts.script);
    return report;
}

std::string IntegrateReportMessage(const IntegrateReport& report) {
    using Outcome = IntegrateReport::Outcome;
    switch (report.outcome) {
        case Outcome::NoPage:
            return "Choose the page to integrate the menu into.";
        case Outcome::Refused:
            return "The menu was not integrated into \"" + report.page + "\": the page " + report.refusal +
                   ". Nothing was written.";
        case Outcome::Integrated:
        case Outcome::AlreadyIntegrated:
            break;
    }
    if (report.foreignCharset.empty()) return {};
    const std::string declares = report.foreignCharset == "none"
                                     ? "declares no encoding, so browsers guess one (mostly Windows-1252)"
                                     : "declares the encoding \"" + report.foreignCharset + "\"";
    return "The menu was integrated into \"" + report.page + "\", but the page " + declares +
           ": the menu's captions will not show correctly until the page declares UTF-8 (<meta charset=\"utf-8\">) "
           "and is saved as UTF-8.";
}

std::string IntegrateDoneMessage(const IntegrateReport& report) {
    std::string message = IntegrateReportMessage(report);
    // Without a word the user cannot tell that anything happened.
    if (message.empty() && report.outcome == IntegrateReport::Outcome::Integrated)
        message = "The menu was integrated into " + report.page + ".";
    else if (message.empty() && report.outcome == IntegrateReport::Outcome::AlreadyIntegrated)
        message = report.page + " already loads the menu; its menu files were refreshed.";
    return message;
}

}  // namespace tavel
