#pragma once

#include "tools/CreateSite.h"
#include "tools/LinkCheckOutput.h"
#include "tools/LinkRequester.h"
#include "tools/PageIntegration.h"

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// A command that cannot run as it was given (a value that makes no sense)
// or that refuses to (where the window would ask a question first). The
// message names the value or the file.
class CommandLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How check-links runs and reports.
struct LinkCheckOptions {
    LinkReportFormat format = LinkReportFormat::Text;
    std::chrono::milliseconds timeout = kLinkRequestTimeout;  // per request
    bool offline = false;                                     // only files are checked
};

// What a command of the command line is asked to do, in the fields of the
// core calls that do it. Default-constructed, every field holds what the
// Program Tools window starts with.
struct CommandRequest {
    std::string project;
    std::string page;
    // The site's name when one is given; else the project's (DefaultSiteName).
    std::optional<std::string> siteName;
    SiteOptions site;
    // Replace pages in the project folder that the program did not write.
    bool force = false;
    IntegrateOptions integrate;
    LinkCheckOptions links;
};

// Puts an argument's or an option's value into the request; throws
// CommandLineError naming the value when it cannot be used. A switch gets
// an empty value.
using RequestSetter = void (*)(CommandRequest& request, const std::string& value);

struct OptionEntry {
    std::string name;       // the long name, after "--"
    std::string valueName;  // what the value is called in the help; empty for a switch
    std::string help;
    RequestSetter set;
};

struct ArgumentEntry {
    std::string name;
    std::string help;
    RequestSetter set;
};

enum class CommandId { CreateSite, Integrate, CheckLinks, Import };

struct CommandEntry {
    CommandId id;
    std::string name;
    std::string summary;
    std::vector<ArgumentEntry> arguments;  // all of them required, in this order
    std::vector<OptionEntry> options;
};

// Every command, in the order the help lists them.
const std::vector<CommandEntry>& CommandEntries();
const CommandEntry* FindCommandEntry(std::string_view name);

// The lines of tavel --help below its usage: the commands with their
// summaries, and what the exit statuses mean.
std::string CommandLineOverview();

// The text in lines of at most 79 columns, each after `indent` spaces.
std::string WrappedHelp(std::string_view text, size_t indent);

}  // namespace tavel
