// The console's command line. HVAdmin takes no arguments; it answers --help and --version,
// which need no window system, before Qt starts, and refuses any argument that is left once
// the application object has taken the window system's own options (-platform, -style, ...).
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace hv {

// How the program ends instead of starting the console: its exit code and the texts for
// standard output and standard error.
struct CommandLineExit {
    int exitCode = 0;
    QString out;
    QString err;
};

// The arguments after the program's name: --help or -h prints the help, --version the
// program's name and version. Nothing when neither is given.
std::optional<CommandLineExit> AnswerInformationOptions(const QStringList &args);

// The arguments after the program's name that Qt has left: any of them ends the program
// with exit code 2 and a message naming it. Nothing when none is left.
std::optional<CommandLineExit> RefuseArguments(const QStringList &args);

// Prints the texts and returns the exit code.
int Finish(const CommandLineExit &exit);

// The program's arguments after its name, as Qt reads them.
QStringList ArgumentsAfterName(int argc, char **argv);

} // namespace hv
