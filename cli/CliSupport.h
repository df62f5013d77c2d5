// Shared plumbing of hvadmin-cli: output, failures and usage, so each verb stays thin.
#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace hv::cli {

// Exit codes of the tool.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

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

// The usage text: the synopsis of every verb.
const char *usageText();

// Prints the usage text to stderr and returns kExitUsage.
int usage();

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

// The whole of standard input.
QByteArray readStdin();

class JsonReader;
// Prints the reader's error as the failure of a verb's input and returns kExitFailure.
int failJson(const JsonReader &reader);

// A verb's entry point: receives the arguments after the verb name.
using VerbHandler = int (*)(const QStringList &args);

} // namespace hv::cli
