// Shared plumbing of hvadmin-cli: output, failures and usage, so each verb stays thin.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <memory>
#include <optional>

namespace hv::cli {

// Exit codes of the tool.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Writes bytes to stdout as they are; with --pretty, JSON output is indented on its way. Every
// verb's output passes here.
void writeOutput(QByteArrayView bytes);

// Indents the JSON written from here on (--pretty), keeping the members in their order.
void setPrettyOutput(bool pretty);

// Prints one JSON document (compact, UTF-8) and a line end to stdout.
void printJson(const QJsonDocument &doc);
void printJson(const QJsonObject &object);
void printJson(const QJsonArray &array);

// Prints one line of text to stdout.
void printLine(const QString &text);

// Flushes standard output and returns `exitCode`, or kExitFailure (with a line on stderr)
// when any of the output could not be written: a verb whose output is lost has failed.
int finishOutput(int exitCode);

// Prints `message` as one line to stderr and returns kExitFailure.
int fail(const QString &message);

// fail(), and the message goes to the diagnostic log under the verb: for the errors of the
// files a verb reads and writes (dBase, INI), which support asks about.
int failLogged(const QString &message);

// The usage text: the synopsis of every verb.
QByteArray usageText();

// The synopsis of one verb; empty for an unknown one.
QByteArray verbUsage(const QString &verb);

// The verb being run, named in the usage errors below.
void setCurrentVerb(const QString &verb);

// Prints the whole usage text to stderr and returns kExitUsage.
int usage();

// A usage error of the current verb: prints "<verb>: <problem>", then the verb's synopsis,
// to stderr and returns kExitUsage.
int usage(const QString &problem);

// The usage error of arguments that are too few or too many for a verb taking `least` to
// `most` of them.
int wrongArguments(const QStringList &args, qsizetype least, qsizetype most);

// The usage error of a verb with sub-verbs (dbf, ini, dir): an unknown sub-verb, or too few or
// too many arguments for a known one that takes `expected` of them (the sub-verb counted).
int subVerbUsage(const QStringList &args, std::initializer_list<const char *> subVerbs,
                 qsizetype expected);

// Prints the synopsis of `verb` (the whole usage text for an empty or unknown one) to stdout
// and returns kExitOk, or kExitUsage for an unknown verb.
int verbHelp(const QString &verb);

// Takes every `option` off `args`, wherever it stands; true when there was one.
bool takeOption(QStringList &args, QLatin1StringView option);

// --help (or -h) prints the usage text to stdout, --version the tool's name and version;
// either returns kExitOk. Any other text returns -1.
int informationOption(const QString &option);

// The arguments after the program's name, each decoded from its bytes as file names are
// (platform/FileNames.h), so that a file or folder argument names exactly the file it gives.
QStringList argumentsOf(int argc, char **argv);

// A file or folder argument as an absolute, clean path; a relative one is taken from the
// current folder. Without a current folder (it was removed) a relative one prints the failure and
// gives nullopt.
std::optional<QString> absoluteArgument(const QString &arg);

// A FOLDER argument: absoluteArgument, and then it must be a folder. A missing folder, or a
// file in its place, prints the failure and gives nullopt: a script must tell a missing share
// from an empty folder. The path ends with a separator.
std::optional<QString> folderArgument(const QString &arg);

// The whole of standard input.
QByteArray readStdin();

// Keeps `held` until the process ends and returns it. A verb's large results (a list's rows, a
// folder index of tens of thousands of names) are let go with the process, which returns
// their memory at once: freeing them piece by piece is a noticeable part of a short run.
void keepUntilExitErased(std::shared_ptr<void> held);
template <typename T> std::shared_ptr<T> keepUntilExit(std::shared_ptr<T> held)
{
    keepUntilExitErased(held);
    return held;
}

class JsonReader;
// Prints the reader's error as the failure of a verb's input and returns kExitFailure.
int failJson(const JsonReader &reader);

// A verb's entry point: receives the arguments after the verb name.
using VerbHandler = int (*)(const QStringList &args);

} // namespace hv::cli
