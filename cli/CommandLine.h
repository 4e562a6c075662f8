#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tavel {

// Whether the arguments ask for a command of the command line (or the
// help, or the version) rather than for the window.
bool IsCommandLineRun(int argc, char** argv);

// Runs such a command with a QCoreApplication alone: no window and no
// browser engine, so it needs no display. Errors go to standard error,
// naming the file or value at fault. Returns the exit status.
int RunCommandLine(int argc, char** argv);

// What must be refused before the window's toolkit starts, since without a
// display it aborts: a first word without a slash that is neither a command
// nor an existing project (most often a misspelt command), and a window
// asked for where there is no display. Says why on standard error and gives the exit
// status; nothing when the window may start.
std::optional<int> RefuseWindowStart(int argc, char** argv);

// The window's own arguments, once the application has taken the toolkit's
// options out: the project to open (empty for none), or, when they make no
// sense, the exit status, having said why on standard error.
struct WindowArguments {
    QString project;
    std::optional<int> exitStatus;
};
WindowArguments ParseWindowArguments(const QStringList& arguments);

}  // namespace tavel
