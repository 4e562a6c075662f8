#pragma once

#include <string>

namespace tavel {

class Workspace;

// What the user chose for an integration; the defaults are the window's.
struct IntegrateOptions {
    // The page also gets the menu as plain links (MenuLinksBlock); without
    // them a list an earlier run wrote is taken out.
    bool writeLinks = true;
    // The style sheet written beside the page holds the menu's rules alone
    // (MenuStyleSheet), so the page keeps its own margins, fonts, colours
    // and link colours; without it, the project's whole sheet.
    bool keepPageLook = true;
};

struct IntegrateReport {
    enum class Outcome { NoPage, Refused, Integrated, AlreadyIntegrated };
    Outcome outcome = Outcome::Integrated;
    std::string page;
    // Why a page was refused, as the message goes on after "the page".
    std::string refusal;
    // Set only for a page in the project's own folder, which gets the menu
    // data script as the project holds it: the menu holds non-ASCII text
    // and the page is read in an encoding that script will not read right
    // in: "none" when it declares none (browsers then take Windows-1252),
    // else the encoding. A UTF-8 page reads either kind of script (the
    // runtime reads a Windows-1252 one again in its code page); a
    // Windows-1252 page only a Windows-1252 one.
    std::string foreignCharset;
};

// Puts the menu into an existing page (EditPageForMenu), keeping every
// other byte of it. The page is read and checked first: one in UTF-16, or
// whose body has no tag of its own, is refused and nothing is written; one
// nested deeper than browsers build throws FileError, as does one that
// cannot be read. Otherwise the menu data script, the style sheet and the
// menu runtime go beside the page and the page is rewritten, all at once.
// Beside a page outside the project's folder the script is written in
// ASCII (AsciiScript), so that its captions read right whatever the page's
// encoding, and the sheet as the options say; a page in the project's own
// folder gets the project's files as they are.
IntegrateReport IntegrateMenu(const Workspace& work, const std::string& pagePath, const IntegrateOptions& options = {});

// What the user must be told: a page refused or not named, or a warning
// about the page's encoding; empty when there is nothing to tell.
std::string IntegrateReportMessage(const IntegrateReport& report);

// What the user is told whenever Integrate ran: IntegrateReportMessage, or
// else that the page now loads the menu.
std::string IntegrateDoneMessage(const IntegrateReport& report);

}  // namespace tavel
