// Starting a suite program and waiting until it has ended.
#pragma once

#include <QString>
#include <QStringList>

namespace hv {

// A command line taken apart into the program to start and its arguments.
struct CommandLineParts {
    QString program;
    QStringList arguments;

    friend bool operator==(const CommandLineParts &, const CommandLineParts &) = default;
};

// Splits a command line as the suite's own platform reads an unquoted program path:
// - the program is the longest leading part, ending before a space, that names an existing
//   file (found in its folder without regard to case; "hvAppl.EXE" also finds "hvappl" where
//   only a file without ".exe" exists), so "/opt/hv suite/hvAppl.EXE @x" starts
//   "/opt/hv suite/hvappl"; when no part names a file, the text up to the first space;
// - the rest, less the spaces that separate it from the program and one pair of enclosing
//   double quotes, is one argument, so a project folder with spaces arrives whole;
//   no rest gives no argument.
CommandLineParts SplitCommandLine(const QString &commandLine);

// Starts the command line and returns when the program has ended, waiting in short steps
// between which the application processes its events (the caller hides its window
// meanwhile). The wait ends with the program even when the application has been asked to
// quit meanwhile.
// The program's exit code is not looked at: its end is the process's state. When the program
// cannot be started, the message box "Error executing the following statement:" with the
// command line appears (title "Halvora") and the call returns after it is closed.
void ShellandWait(const QString &commandLine);

} // namespace hv
