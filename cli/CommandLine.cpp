#include "cli/CommandLine.h"

#include "cli/LinkCheckRun.h"
#include "cli/TerminalProgress.h"
#include "project/ApplicationTitle.h"
#include "project/CommandDeclined.h"
#include "platform/WriteJournal.h"
#include "project/Preview.h"
#include "project/Workspace.h"
#include "tools/CommandRuns.h"
#include "tools/ExitStatus.h"
#include "ui/common/DataFolderLookup.h"
#include "ui/common/LocalText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <exception>

namespace tavel {
namespace {

constexpr const char* kProgram = "tavel";
constexpr const char* kWindowProjectHelp =
    "The project to open in the window: a project folder, or its index.htm.";

void Write(FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

// The program's own help option: the toolkit's would also offer help on its
// window options, which a command does not take.
QCommandLineOption AddHelpOption(QCommandLineParser& parser) {
    QCommandLineOption help({"h", "help"}, "Show this help.");
    parser.addOption(help);
    return help;
}

// The parser's help under a usage line of the program's own: the parser's
// would name the program by the path it was started from, and put the
// command after the options.
void WriteHelp(const QCommandLineParser& parser, const std::string& usage) {
    const std::string text = Bytes(parser.helpText());
    Write(stdout, "Usage: " + usage + text.substr(std::min(text.find('\n'), text.size())));
}

// One line on standard error, after the command it comes from.
int Refuse(const std::string& command, const std::string& message, const std::string& hint = {}) {
    Write(stderr, command + ": " + message + "\n");
    if (!hint.empty()) Write(stderr, hint + "\n");
    return exitstatus::kRefused;
}

// The program's own options. The toolkit's window options are written with
// one dash (-style); any other option with two goes to the command line,
// which names it when it knows it not.
bool IsProgramOption(const char* argument) {
    return std::strncmp(argument, "--", 2) == 0 || std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "-v") == 0;
}

QString Description() {
    std::string overview = CommandLineOverview();
    overview.pop_back();  // the parser puts its own line break after it
    return Shown(std::string(kApplicationTitle) +
                 " builds drop-down menus for web pages.\n\nWithout a command, tavel opens its window, with "
                 "PROJECT when one is named.\n\n" +
                 overview);
}

int RunProgramOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(Description());
    AddHelpOption(parser);
    const QCommandLineOption version({"v", "version"}, "Show the program's name and version.");
    parser.addOption(version);
    parser.addPositionalArgument("PROJECT", kWindowProjectHelp, "[PROJECT]");
    if (!parser.parse(arguments)) return Refuse(kProgram, Bytes(parser.errorText()), "Run \"tavel --help\" for help.");
    if (parser.isSet(version)) {
        Write(stdout, std::string(kApplicationTitle) + " " + kApplicationVersion + "\n");
        return exitstatus::kDone;
    }
    WriteHelp(parser, "tavel [options] [PROJECT]\n       tavel COMMAND [options] ARGUMENTS");
    return exitstatus::kDone;
}

int RunCommand(const CommandEntry& entry, const CommandRequest& request) {
    const DataFolders folders = LocateDataFolders(QCoreApplication::applicationDirPath());
    Workspace workspace(folders.shipped, folders.user);
    NoPreview preview;
    CommandOutcome outcome;
    switch (entry.id) {
        case CommandId::CreateSite: {
            TerminalProgress progress("Writing pages");
            outcome = RunCreateSite(workspace, preview, request, [&](size_t done, size_t total) {
                progress.Show(done, total);
                return true;
            });
            break;
        }
        case CommandId::Integrate:
            outcome = RunIntegrate(workspace, preview, request);
            break;
        case CommandId::Import:
            outcome = RunImport(workspace, preview, request);
            break;
        case CommandId::CheckLinks:
            return RunCheckLinks(workspace, preview, request);
    }
    for (const std::string& repaired : TakeWriteNotices()) Write(stderr, repaired + "\n");
    Write(stderr, outcome.warnings);
    Write(stdout, outcome.output);
    return outcome.status;
}

int RunCommandOf(const CommandEntry& entry, const QStringList& arguments) {
    const std::string command = std::string(kProgram) + " " + entry.name;
    const std::string hint = "Run \"" + command + " --help\" for its arguments and options.";
    QCommandLineParser parser;
    std::string summary = WrappedHelp(entry.summary, 0);
    summary.pop_back();
    parser.setApplicationDescription(Shown(summary));
    const QCommandLineOption help = AddHelpOption(parser);
    std::vector<QCommandLineOption> options;
    for (const OptionEntry& option : entry.options) {
        options.emplace_back(Shown(option.name), Shown(option.help), Shown(option.valueName));
        parser.addOption(options.back());
    }
    // Declared for the help alone: the command's name comes first among the
    // positional arguments the parser finds.
    std::string usage = command + " [options]";
    for (const ArgumentEntry& argument : entry.arguments) {
        parser.addPositionalArgument(Shown(argument.name), Shown(argument.help));
        usage += " " + argument.name;
    }
    if (!parser.parse(arguments)) return Refuse(command, Bytes(parser.errorText()), hint);
    if (parser.isSet(help)) {
        WriteHelp(parser, usage);
        return exitstatus::kDone;
    }

    const QStringList given = parser.positionalArguments().mid(1);
    if (given.size() < static_cast<qsizetype>(entry.arguments.size()))
        return Refuse(command, "missing " + entry.arguments[static_cast<size_t>(given.size())].name + ".", hint);
    if (given.size() > static_cast<qsizetype>(entry.arguments.size()))
        return Refuse(command, "unexpected argument \"" + Bytes(given[static_cast<qsizetype>(entry.arguments.size())]) + "\".",
                      hint);
    try {
        CommandRequest request;
        for (size_t i = 0; i < entry.arguments.size(); ++i) entry.arguments[i].set(request, Bytes(given[static_cast<qsizetype>(i)]));
        for (size_t i = 0; i < entry.options.size(); ++i) {
            if (!parser.isSet(options[i])) continue;
            // Given more than once, the last value counts; a switch has none.
            const QStringList values = parser.values(options[i]);
            entry.options[i].set(request, values.isEmpty() ? std::string() : Bytes(values.constLast()));
        }
        return RunCommand(entry, request);
    } catch (const CommandDeclined&) {
        return Refuse(command, "the command would have to ask a question first; nothing was written.");
    } catch (const std::exception& error) {
        return Refuse(command, error.what());
    }
}

}  // namespace

bool IsCommandLineRun(int argc, char** argv) {
    return argc > 1 && (FindCommandEntry(argv[1]) != nullptr || IsProgramOption(argv[1]));
}

int RunCommandLine(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(kApplicationTitle);
    QCoreApplication::setApplicationVersion(kApplicationVersion);
    const QStringList arguments = QCoreApplication::arguments();
    const CommandEntry* entry = arguments.size() > 1 ? FindCommandEntry(Bytes(arguments[1])) : nullptr;
    return entry != nullptr ? RunCommandOf(*entry, arguments) : RunProgramOptions(arguments);
}

std::optional<int> RefuseWindowStart(int argc, char** argv) {
    const std::string hint = "Run \"tavel --help\" for help.";
    // Only the first word is looked at: later ones may be the values of the
    // toolkit's own options. A path (as a desktop launcher passes) goes on to
    // the window, which says there what is missing.
    const bool word = argc > 1 && argv[1][0] != '-' && std::strchr(argv[1], '/') == nullptr;
    if (word && !QFileInfo::exists(QString::fromLocal8Bit(argv[1]))) {
        return Refuse(kProgram, "\"" + std::string(argv[1]) +
                                    "\" is no command, and there is no project folder or page by that name.",
                      hint);
    }
    const auto given = [](const char* name) { return !qEnvironmentVariableIsEmpty(name); };
    bool platformNamed = given("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i) platformNamed = platformNamed || std::strcmp(argv[i], "-platform") == 0;
    if (!platformNamed && !given("DISPLAY") && !given("WAYLAND_DISPLAY")) {
        std::string commands;
        for (const CommandEntry& entry : CommandEntries()) commands += (commands.empty() ? "" : ", ") + entry.name;
        return Refuse(kProgram,
                      "there is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).",
                      "The commands need none: " + commands + ". " + hint);
    }
    return std::nullopt;
}

WindowArguments ParseWindowArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument("PROJECT", kWindowProjectHelp, "[PROJECT]");
    const std::string hint = "Run \"tavel --help\" for help.";
    if (!parser.parse(arguments)) return {{}, Refuse(kProgram, Bytes(parser.errorText()), hint)};
    const QStringList given = parser.positionalArguments();
    if (given.size() > 1) return {{}, Refuse(kProgram, "\"" + Bytes(given[0]) + "\" is no command.", hint)};
    return {given.value(0), std::nullopt};
}

}  // namespace tavel
