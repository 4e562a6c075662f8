#include "tools/PageIntegration.h"

#include "platform/AtomicFileBatch.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "project/ProgramFolder.h"
#include "project/Workspace.h"
#include "tools/SitePages.h"

#include <algorithm>
#include <cctype>

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

}  // namespace

PageEdit EditPageForMenu(std::string_view page) {
    PageEdit edit;
    const size_t titleEnd = FindIgnoringCase(page, "</title>");
    if (titleEnd == std::string_view::npos) edit.missing = "\"</title>\"";
    if (FindIgnoringCase(page, "<body") == std::string_view::npos)
        edit.missing += (edit.missing.empty() ? "" : " and no ") + std::string("\"<body\"");
    if (!edit.missing.empty() || FindIgnoringCase(page, pagetext::kScriptPair) != std::string_view::npos) {
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

IntegrateReport IntegrateMenu(const ProjectTexts& texts, const std::string& pagePath) {
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

    // Beside the page; a bare file name puts them where it lies itself. The
    // page and its three files change together or not at all.
    const std::string folder = FolderOfPath(pagePath);
    AtomicFileBatch batch;
    batch.Add(folder + std::string(projectfile::kScript), texts.script);
    batch.Add(folder + std::string(projectfile::kStyleSheet), texts.styleSheet);
    batch.Add(folder + std::string(projectfile::kRuntime), texts.runtime);
    if (edit.alreadyIntegrated) {
        report.outcome = IntegrateReport::Outcome::AlreadyIntegrated;
    } else {
        batch.Add(pagePath, edit.text);
    }
    batch.Commit();

    // Only the head declares the page's encoding.
    const std::string charset = DeclaredCharset(std::string_view(page).substr(0, FindIgnoringCase(page, "<body")));
    if (!charset.empty() && charset != "utf-8" && charset != "utf8" && HasNonAscii(texts.script))
        report.foreignCharset = charset;
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
    return "The menu was integrated into \"" + report.page + "\", but the page declares the encoding \"" +
           report.foreignCharset +
           "\": the menu's captions will not show correctly until the page is saved as UTF-8.";
}

}  // namespace tavel
