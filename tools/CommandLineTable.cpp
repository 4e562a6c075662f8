#include "tools/CommandLineTable.h"

#include "tools/ExitStatus.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

namespace tavel {
namespace {

constexpr std::array<std::pair<std::string_view, LinkReportFormat>, 3> kFormats{{
    {"text", LinkReportFormat::Text},
    {"tsv", LinkReportFormat::Tsv},
    {"json", LinkReportFormat::Json},
}};

// A day is more than any server takes; the timer that waits counts in int milliseconds.
constexpr double kLongestTimeoutSeconds = 86400;
constexpr size_t kHelpWidth = 79;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string FormatName(LinkReportFormat format) {
    return std::string(std::find_if(kFormats.begin(), kFormats.end(), [&](const auto& f) { return f.second == format; })->first);
}

std::string SecondsText(std::chrono::milliseconds time) {
    const double seconds = static_cast<double>(time.count()) / 1000.0;
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, seconds);
    return std::string(text, written.ptr);
}

LinkReportFormat ParseFormat(const std::string& value) {
    for (const auto& [name, format] : kFormats)
        if (value == name) return format;
    throw CommandLineError("--format: " + Quoted(value) + " is not one of text, tsv, json.");
}

std::chrono::milliseconds ParseSeconds(const std::string& value) {
    double seconds = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    if (error != std::errc() || end != value.data() + value.size() || !std::isfinite(seconds) || seconds <= 0 ||
        seconds > kLongestTimeoutSeconds)
        throw CommandLineError("--timeout: " + Quoted(value) + " is not a number of seconds above 0 (up to a day).");
    return std::chrono::milliseconds(std::max<long long>(1, std::llround(seconds * 1000)));
}

// Both the window's tools share the one box for plain links.
OptionEntry NoPlainLinks(std::string help, RequestSetter set) { return {"no-plain-links", "", std::move(help), set}; }

std::vector<CommandEntry> MakeCommandEntries() {
    const CommandRequest defaults;
    const ArgumentEntry project{"PROJECT", "The project folder, or its index.htm.",
                               [](CommandRequest& r, const std::string& v) { r.project = v; }};
    return {
        {CommandId::CreateSite,
         "create-site",
         "Write one page for every menu item without subitems into the project folder, between two saves of "
         "the project, as Create site from map in the Program Tools window does.",
         {project},
         {
             {"site-name", "NAME", "The site name, the first part of every page title (default: the project "
                                   "folder's name).",
              [](CommandRequest& r, const std::string& v) { r.siteName = v; }},
             {"digit-names", "", "Name the pages tavelitem<N>.htm by the items' places in the menu, and make "
                                 "these the items' links (default: each page is named by its item's link).",
              [](CommandRequest& r, const std::string&) { r.site.linkNames = false; }},
             {"no-titles", "", "Give every page the site name alone as its title.",
              [](CommandRequest& r, const std::string&) { r.site.title.addTitles = false; }},
             {"title-first", "TEXT", "The title's part after the site name; \"Title\" stands for the caption of "
                                     "the item's parent (default: " + Quoted(defaults.site.title.first) + ").",
              [](CommandRequest& r, const std::string& v) { r.site.title.first = v; }},
             {"title-separator", "TEXT", "What stands between the two parts of the title (default: " +
                                             Quoted(defaults.site.title.separator) + ").",
              [](CommandRequest& r, const std::string& v) { r.site.title.separator = v; }},
             {"title-second", "TEXT", "The title's last part; \"Item\" stands for the item's own caption "
                                      "(default: " + Quoted(defaults.site.title.second) + ").",
              [](CommandRequest& r, const std::string& v) { r.site.title.second = v; }},
             {"lang", "CODE", "The pages' language, a tag such as en, de or pt-BR (default: the lang of the "
                              "project's index.htm, else en).",
              [](CommandRequest& r, const std::string& v) {
                  if (!IsLanguageTag(v)) throw CommandLineError("--lang: " + Quoted(v) + " is not a language tag "
                                                                "(such as en, de or pt-BR).");
                  r.site.language = v;
              }},
             {"force", "", "Replace pages in the project folder that Tavel Builder did not write (without it, "
                           "such pages stop the run before anything is written, and are named).",
              [](CommandRequest& r, const std::string&) { r.force = true; }},
             NoPlainLinks("Write the pages without the menu as plain links for readers without scripts.",
                          [](CommandRequest& r, const std::string&) { r.site.writeLinks = false; }),
         }},
        {CommandId::Integrate,
         "integrate",
         "Put the menu into an existing page: temp.js, stt.css and sys.js beside it, and the page edited to "
         "load them and draw the menu, as Integrate in the Program Tools window does.",
         {project,
          {"PAGE", "The page to put the menu into.", [](CommandRequest& r, const std::string& v) { r.page = v; }}},
         {
             NoPlainLinks("Leave the menu's plain links for readers without scripts out of the page, and take "
                          "out those an earlier run wrote.",
                          [](CommandRequest& r, const std::string&) { r.integrate.writeLinks = false; }),
             {"whole-style-sheet", "", "Write the project's whole style sheet beside the page, its page rules "
                                       "included (default: only the menu's own rules, so the page keeps its look).",
              [](CommandRequest& r, const std::string&) { r.integrate.keepPageLook = false; }},
         }},
        {CommandId::CheckLinks,
         "check-links",
         "Check the link of every menu item: links to files in the project folder, web addresses by asking "
         "their servers. Changes nothing.",
         {project},
         {
             {"format", "FORMAT", "text: the links that need attention, then a summary; tsv: a header line and "
                                  "one row per item (result, link, place, detail); json: an array of objects "
                                  "with those fields (default: " + FormatName(defaults.links.format) + ").",
              [](CommandRequest& r, const std::string& v) { r.links.format = ParseFormat(v); }},
             {"timeout", "SECONDS", "How long each web address may take to answer (default: " +
                                        SecondsText(defaults.links.timeout) + ").",
              [](CommandRequest& r, const std::string& v) { r.links.timeout = ParseSeconds(v); }},
             {"offline", "", "Check only the links to files; web addresses are not asked.",
              [](CommandRequest& r, const std::string&) { r.links.offline = true; }},
         }},
        {CommandId::Import,
         "import",
         "Make the project's menu from the navigation of a web page (its <nav>, else its largest list of "
         "links; where it has several, the one with the most links) and save the project, as Import menu "
         "from page in the window does.",
         {{"PAGE", "The page whose navigation becomes the menu.",
           [](CommandRequest& r, const std::string& v) { r.page = v; }},
          project},
         {}},
    };
}

}  // namespace

std::string WrappedHelp(std::string_view text, size_t indent) {
    std::string lines;
    std::string line;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, end - start);
        if (!line.empty() && indent + line.size() + 1 + word.size() > kHelpWidth) {
            lines += std::string(indent, ' ') + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + std::string(word);
        start = end + 1;
    }
    if (!line.empty()) lines += std::string(indent, ' ') + line + "\n";
    return lines;
}

const std::vector<CommandEntry>& CommandEntries() {
    static const std::vector<CommandEntry> entries = MakeCommandEntries();
    return entries;
}

const CommandEntry* FindCommandEntry(std::string_view name) {
    for (const CommandEntry& entry : CommandEntries())
        if (entry.name == name) return &entry;
    return nullptr;
}

std::string CommandLineOverview() {
    std::string text = "Commands:\n";
    for (const CommandEntry& entry : CommandEntries()) {
        text += "  " + entry.name;
        for (const ArgumentEntry& argument : entry.arguments) text += " " + argument.name;
        text += " [options]\n" + WrappedHelp(entry.summary, 6);
    }
    text += "Run \"tavel COMMAND --help\" for a command's options.\n\nExit status:\n";
    const std::pair<int, const char*> statuses[] = {
        {exitstatus::kDone, "done; for check-links, every link checked and fine"},
        {exitstatus::kBrokenLinks, "check-links: at least one link broken"},
        {exitstatus::kRefused, "the command could not run or was refused (usage, a missing or unreadable project "
                               "or page, a page Integrate refuses, a write that failed, a question the window "
                               "would ask); nothing is left half-written"},
        {exitstatus::kLinksUnchecked, "check-links: none broken, but some could not be checked (no network, "
                                      "time-outs)"},
    };
    for (const auto& [status, meaning] : statuses) {
        const std::string lines = WrappedHelp(meaning, 6);
        text += "  " + std::to_string(status) + lines.substr(3);
    }
    return text;
}

}  // namespace tavel
