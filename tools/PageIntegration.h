#pragma once

#include <string>
#include <string_view>

namespace tavel {

struct ProjectTexts;

// A page edited so that it loads the project's menu files and draws the
// menu: the style link at the very start, the script pair directly after
// the first "</title>", the load attribute directly after the first
// "<body". The tags are found without regard to letter case; what goes in
// is always the same text.
struct PageEdit {
    std::string text;
    // The tags the page lacks ("</title>", "<body"); the page is then left
    // as it was.
    std::string missing;
    // The page already loads the menu: it has the script pair, or in any
    // other form loads sys.js and temp.js and calls buildMenu. It is left as
    // it was, so a second integration changes nothing.
    bool alreadyIntegrated = false;
};

PageEdit EditPageForMenu(std::string_view page);

// The encoding the page declares with a "charset=", lower-cased; empty when
// it declares none.
std::string DeclaredCharset(std::string_view page);

struct IntegrateReport {
    enum class Outcome { NoPage, Refused, Integrated, AlreadyIntegrated };
    Outcome outcome = Outcome::Integrated;
    std::string page;
    std::string missing;
    // The menu holds non-ASCII text and the page declares an encoding its
    // menu data script will not read right in: "none" when it declares none
    // (browsers then guess, mostly Windows-1252), else the encoding. A
    // UTF-8 page reads either kind of script (the runtime reads a Windows-1252
    // one again in its code page); a Windows-1252 page only a Windows-1252 one.
    std::string foreignCharset;
};

// How Integrate writes the menu into a page; default-constructed, as the
// Program Tools window starts.
struct IntegrateOptions {
    // The page also gets (or has replaced) the menu as plain links
    // (MenuLinksBlock), integrated before or not; without it a list of links
    // an earlier run wrote is taken out.
    bool writeLinks = true;
};

// Puts the menu into an existing page. The page is read and checked first;
// only a page that can take the menu gets the menu data script (as it
// stands, not generated again), the style sheet and the menu runtime
// written beside it, and is then rewritten with the menu in it. A page that
// cannot be read throws FileError before anything is written.
IntegrateReport IntegrateMenu(const ProjectTexts& texts, const std::string& pagePath,
                              const IntegrateOptions& options = {});

// What the user must be told: a page refused or not named, or a warning
// about the page's encoding; empty when there is nothing to tell.
std::string IntegrateReportMessage(const IntegrateReport& report);

// What the user is told whenever Integrate ran: IntegrateReportMessage, or
// else that the page now loads the menu.
std::string IntegrateDoneMessage(const IntegrateReport& report);

}  // namespace tavel
