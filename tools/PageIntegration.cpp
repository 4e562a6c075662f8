#include "tools/PageIntegration.h"

#include "menu/MenuTree.h"
#include "menu/ScriptReader.h"
#include "platform/AtomicFileBatch.h"
#include "platform/Paths.h"
#include "platform/TextEncoding.h"
#include "platform/TextFile.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"
#include "tools/MenuLinks.h"
#include "tools/SitePages.h"

#include <algorithm>
#include <cctype>
#include <regex>

namespace tavel {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

size_t FindIgnoringCase(std::string_view text, std::string_view what, size_t from = 0) {
    if (from > text.size()) return std::string_view::npos;
    auto at = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), what.begin(), what.end(),
                          [](char a, char b) { return Lower(a) == Lower(b); });
    return at == text.end() ? std::string_view::npos : static_cast<size_t>(at - text.begin());
}

bool HasNonAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Whether a script element of the page loads `file` from the page's own
// folder, in any form of the tag.
bool LoadsScript(std::string_view page, std::string_view file) {
    static const std::regex source(R"(\bsrc\s*=\s*["']?(?:\./)?([^"'\s>]+))", std::regex::icase);
    for (size_t tag = FindIgnoringCase(page, "<script"); tag != std::string_view::npos;
         tag = FindIgnoringCase(page, "<script", tag + 1)) {
        const size_t end = std::min(page.find('>', tag), page.size());
        std::match_results<std::string_view::const_iterator> found;
        if (std::regex_search(page.begin() + static_cast<std::ptrdiff_t>(tag), page.begin() + static_cast<std::ptrdiff_t>(end),
                              found, source) &&
            static_cast<size_t>(found[1].length()) == file.size() && FindIgnoringCase(found[1].str(), file) == 0)
            return true;
    }
    return false;
}

// Labels browsers read as Windows-1252.
bool IsWindows1252Label(std::string_view charset) {
    for (std::string_view label : {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1", "iso_8859-1",
                                   "latin1", "l1", "us-ascii", "ascii"})
        if (charset == label) return true;
    return false;
}

}  // namespace

PageEdit EditPageForMenu(std::string_view page) {
    PageEdit edit;
    const size_t titleEnd = FindIgnoringCase(page, "</title>");
    if (titleEnd == std::string_view::npos) edit.missing = "\"</title>\"";
    if (FindIgnoringCase(page, "<body") == std::string_view::npos)
        edit.missing += (edit.missing.empty() ? "" : " and no ") + std::string("\"<body\"");
    const bool loadsMenu = FindIgnoringCase(page, pagetext::kScriptPair) != std::string_view::npos ||
                           (LoadsScript(page, "sys.js") && LoadsScript(page, "temp.js") &&
                            page.find("buildMenu") != std::string_view::npos);
    if (!edit.missing.empty() || loadsMenu) {
        edit.alreadyIntegrated = edit.missing.empty();
        edit.text = page;
        return edit;
    }
    edit.text.reserve(page.size() + pagetext::kStyleLink.size() + pagetext::kScriptPair.size() +
                      pagetext::kLoadAttribute.size());
    edit.text += pagetext::kStyleLink;
    const size_t afterTitle = titleEnd + std::string_view("</title>").size();
    edit.text += page.substr(0, afterTitle);
    edit.text += pagetext::kScriptPair;
    edit.text += page.substr(afterTitle);
    // Searched again in the text as it now stands: the first "<body" may
    // stand before the title.
    const size_t body = FindIgnoringCase(edit.text, "<body") + std::string_view("<body").size();
    edit.text.insert(body, pagetext::kLoadAttribute);
    return edit;
}

std::string DeclaredCharset(std::string_view page) {
    const size_t at = FindIgnoringCase(page, "charset");
    if (at == std::string_view::npos) return {};
    size_t i = at + std::string_view("charset").size();
    const auto skip = [&](std::string_view chars) {
        while (i < page.size() && chars.find(page[i]) != std::string_view::npos) ++i;
    };
    skip(" \t\r\n");
    if (i >= page.size() || page[i] != '=') return {};
    ++i;
    skip(" \t\r\n\"'");
    std::string name;
    while (i < page.size() && std::string_view(" \t\r\n\"';>/").find(page[i]) == std::string_view::npos)
        name += Lower(page[i++]);
    return name;
}

IntegrateReport IntegrateMenu(const ProjectTexts& texts, const std::string& pagePath, const IntegrateOptions& options) {
    IntegrateReport report;
    report.page = pagePath;
    if (pagePath.find_first_not_of(" \t") == std::string::npos) {
        report.outcome = IntegrateReport::Outcome::NoPage;
        return report;
    }
    const std::string page = ReadTextFile(pagePath);
    PageEdit edit = EditPageForMenu(page);
    if (!edit.missing.empty()) {
        report.outcome = IntegrateReport::Outcome::Refused;
        report.missing = edit.missing;
        return report;
    }
    // Without links, the list an earlier run wrote goes: it would name pages
    // of an old menu.
    std::string links;
    if (options.writeLinks) {
        MenuTree menu;
        LoadTreeFromScript(texts.script, menu);
        links = MenuLinksBlock(menu, [](const MenuItem& item) { return item.Data().link; });
    }
    edit.text = PageWithMenuLinks(edit.text, links);

    // Beside the page; a bare file name puts them where it lies itself. The
    // page and its three files change together or not at all.
    const std::string folder = FolderOfPath(pagePath);
    AtomicFileBatch batch;
    batch.Add(folder + std::string(projectfile::kScript), texts.script);
    batch.Add(folder + std::string(projectfile::kStyleSheet), texts.styleSheet);
    batch.Add(folder + std::string(projectfile::kRuntime), texts.runtime);
    if (edit.alreadyIntegrated) report.outcome = IntegrateReport::Outcome::AlreadyIntegrated;
    if (edit.text != page) batch.Add(pagePath, edit.text);
    batch.Commit();

    // Only the head declares the page's encoding.
    const std::string charset = DeclaredCharset(std::string_view(page).substr(0, FindIgnoringCase(page, "<body")));
    const bool readsRight = charset == "utf-8" || charset == "utf8" || (!IsValidUtf8(texts.script) && IsWindows1252Label(charset));
    if (!readsRight && HasNonAscii(texts.script)) report.foreignCharset = charset.empty() ? "none" : charset;
    return report;
}

std::string IntegrateReportMessage(const IntegrateReport& report) {
    using Outcome = IntegrateReport::Outcome;
    switch (report.outcome) {
        case Outcome::NoPage:
            return "Choose the page to integrate the menu into.";
        case Outcome::Refused:
            return "The menu was not integrated into \"" + report.page + "\": the page has no " + report.missing +
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
