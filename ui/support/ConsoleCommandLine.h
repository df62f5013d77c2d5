// The console's command line: HVAdmin [FOLDER]. It answers --help and --version (-v), which
// need no window system, and ends with a one-line message when there is no display to show a
// window on, before Qt starts; of the arguments that are left once the application object
// has taken the window system's own options (-platform, -style, ...) it takes one folder and
// refuses anything else.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace hv {

// How the program ends instead of starting the console: its exit code and the texts for
// standard output and standard error.
struct CommandLineExit {
    int exitCode = 0;
    QString out;
    QString err;
};

// The arguments after the program's name: --help or -h prints the help, --version or -v the
// program's name and version. Nothing when neither is given.
std::optional<CommandLineExit> AnswerInformationOptions(const QStringList &args);

// Without DISPLAY or WAYLAND_DISPLAY in the environment, and no platform chosen (-platform
// among `args`, or QT_QPA_PLATFORM), the window system would abort the program: it ends with
// exit code 1 and one line saying why instead. `environment` reads a variable (empty when
// unset). Nothing when a window can be shown.
std::optional<CommandLineExit>
RefuseWithoutDisplay(const QStringList &args,
                     const std::function<QString(const char *)> &environment);
// The same, with the process's environment.
std::optional<CommandLineExit> RefuseWithoutDisplay(const QStringList &args);

// The arguments after the program's name that Qt has left: at most one folder, the project
// folder to open ("--" ends the options, so a folder may begin with '-'). An option, or a
// second folder, ends the program with exit code 2 and a message naming it.
struct ConsoleArguments {
    QString folder; // empty when none was given
    std::optional<CommandLineExit> exit;
};
ConsoleArguments ReadConsoleArguments(const QStringList &args);

// Prints the texts and returns the exit code.
int Finish(const CommandLineExit &exit);

// The program's arguments after its name, each decoded as a file name (its bytes kept).
QStringList ArgumentsAfterName(int argc, char **argv);

} // namespace hv
