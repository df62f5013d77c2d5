#include "cli/CliSupport.h"
#include "cli/JsonReader.h"
#include "cli/PrettyJson.h"
#include "log/DiagnosticLog.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"

#include <QDir>
#include <QFile>
#include <QJsonParseError>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace hv::cli {
namespace {

PrettyJson *g_pretty = nullptr; // set by --pretty
QString g_verb;                 // the verb being run

void writeOut(FILE *stream, QByteArrayView bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// Each verb's synopsis, in the order of the usage text.
struct VerbSynopsis {
    const char *verb;
    const char *text;
};

constexpr VerbSynopsis kSynopses[] = {
    {"dbf", "  dbf info FILE | dbf dump FILE | dbf create FILE NAME:TYPE:LENGTH[:DECIMALS]...\n"
            "  dbf append FILE < rows.json | dbf put FILE RECNO < record.json\n"
            "  dbf sort COLUMN ORDER < rows.json | dbf csv FILE\n"},
    {"ini", "  ini dump FILE | ini write FILE [--leading-spaces N] [--equal-pos N] "
            "[--ucase-section]\n"},
    {"dir", "  dir show FILE | dir write FILE < directory.json\n"},
    {"list", "  list [--items] CATEGORY [FOLDER]\n"
             "    CATEGORY: applications popups directories rules units security\n"},
    {"template", "  template FILE\n"},
    {"security", "  security\n"},
    {"login", "  login USER --password-stdin < password | login USER PASSWORD\n"},
    {"lock-check", "  lock-check PATH\n"},
    {"clear", "  clear [--permanent] [--dry-run] FOLDER FILE...\n"},
    {"delete", "  delete [--permanent] [--dry-run] FOLDER FILE...\n"},
    {"rename", "  rename [--dry-run] FOLDER FILE NEWNAME\n"},
    {"history", "  history\n"},
    {"undo", "  undo [ID]\n"},
    {"shortcut", "  shortcut FOLDER FILE TITLE\n"},
    {"launcher", "  launcher FOLDER FILE TITLE\n"},
    {"help", "  help [VERB]\n"},
};

const VerbSynopsis *synopsisOf(const QString &verb)
{
    for (const VerbSynopsis &synopsis : kSynopses) {
        if (verb == QLatin1String(synopsis.verb))
            return &synopsis;
    }
    return nullptr;
}

} // namespace

void writeOutput(QByteArrayView bytes)
{
    if (g_pretty)
        writeOut(stdout, g_pretty->feed(bytes));
    else
        writeOut(stdout, bytes);
}

void setPrettyOutput(bool pretty)
{
    static PrettyJson indenter;
    g_pretty = pretty ? &indenter : nullptr;
}

void printJson(const QJsonDocument &doc)
{
    writeOutput(doc.toJson(QJsonDocument::Compact) + '\n');
}

void printJson(const QJsonObject &object)
{
    printJson(QJsonDocument(object));
}

void printJson(const QJsonArray &array)
{
    printJson(QJsonDocument(array));
}

void printLine(const QString &text)
{
    writeOutput(text.toUtf8() + '\n');
}

int finishOutput(int exitCode)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return exitCode;
    const int error = errno;
    writeOut(stderr, QByteArray("Cannot write the output: ") +
                         (error != 0 ? std::strerror(error) : "write error") + '\n');
    return kExitFailure;
}

int fail(const QString &message)
{
    writeOut(stderr, message.toUtf8() + '\n');
    return kExitFailure;
}

int failLogged(const QString &message)
{
    WriteLog(QStringLiteral("hvadmin-cli"), g_verb, message);
    return fail(message);
}

QByteArray usageText()
{
    QByteArray text("usage: hvadmin-cli [--pretty] VERB [ARGS]\n"
                    "       hvadmin-cli VERB --help | help VERB | --help | --version\n");
    for (const VerbSynopsis &synopsis : kSynopses)
        text += synopsis.text;
    return text;
}

QByteArray verbUsage(const QString &verb)
{
    const VerbSynopsis *synopsis = synopsisOf(verb);
    if (!synopsis)
        return {};
    return QByteArray("usage: hvadmin-cli ") + QByteArray(synopsis->text).trimmed() + '\n';
}

void setCurrentVerb(const QString &verb)
{
    g_verb = verb;
}

int usage()
{
    writeOut(stderr, usageText());
    return kExitUsage;
}

int usage(const QString &problem)
{
    const QByteArray synopsis = verbUsage(g_verb);
    if (synopsis.isEmpty()) {
        writeOut(stderr, "hvadmin-cli: " + problem.toUtf8() + '\n' + usageText());
        return kExitUsage;
    }
    writeOut(stderr, g_verb.toUtf8() + ": " + problem.toUtf8() + '\n' + synopsis);
    return kExitUsage;
}

int wrongArguments(const QStringList &args, qsizetype least, qsizetype most)
{
    if (args.size() < least)
        return usage(QStringLiteral("missing argument"));
    return usage(
        QStringLiteral("unexpected argument '%1'").arg(paths::displayName(args.value(most))));
}

int subVerbUsage(const QStringList &args, std::initializer_list<const char *> subVerbs,
                 qsizetype expected)
{
    if (args.isEmpty())
        return usage(QStringLiteral("missing sub-verb"));
    bool known = false;
    for (const char *subVerb : subVerbs)
        known = known || args.first() == QLatin1String(subVerb);
    if (!known)
        return usage(QStringLiteral("unknown sub-verb '%1'").arg(paths::displayName(args.first())));
    return wrongArguments(args, expected, expected);
}

int verbHelp(const QString &verb)
{
    const QByteArray synopsis = verbUsage(verb);
    if (!verb.isEmpty() && synopsis.isEmpty()) {
        setCurrentVerb({});
        return usage(QStringLiteral("unknown verb '%1'").arg(paths::displayName(verb)));
    }
    writeOutput(synopsis.isEmpty() ? usageText() : synopsis);
    return kExitOk;
}

bool takeOption(QStringList &args, QLatin1StringView option)
{
    return args.removeAll(option) > 0;
}

int informationOption(const QString &option)
{
    if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
        writeOutput(usageText());
        return kExitOk;
    }
    if (option == QLatin1String("--version")) {
        printLine(QStringLiteral("hvadmin-cli %1.%2.%3")
                      .arg(HV_VERSION_MAJOR)
                      .arg(HV_VERSION_MINOR)
                      .arg(HV_VERSION_PATCH));
        return kExitOk;
    }
    return -1;
}

QStringList argumentsOf(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(paths::decodeName(argv[i]));
    return args;
}

std::optional<QString> absoluteArgument(const QString &arg)
{
    QString error;
    const std::optional<QString> path = paths::absolutePath(arg, &error);
    if (!path) {
        fail(error);
        return std::nullopt;
    }
    return QDir::cleanPath(*path);
}

std::optional<QString> folderArgument(const QString &arg)
{
    const std::optional<QString> path = absoluteArgument(arg);
    if (!path)
        return std::nullopt;
    if (!paths::isFolder(*path)) {
        fail((paths::isRegularFile(*path) ? QStringLiteral("Not a folder: %1")
                                          : QStringLiteral("No such folder: %1"))
                 .arg(paths::displayName(*path)));
        return std::nullopt;
    }
    return paths::withTrailingSeparator(*path);
}

QByteArray readStdin()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

void keepUntilExitErased(std::shared_ptr<void> held)
{
    // Never destroyed, so that nothing it holds is freed at exit either.
    static auto *const kept = new std::vector<std::shared_ptr<void>>;
    kept->push_back(std::move(held));
}

int failJson(const JsonReader &reader)
{
    return fail(QStringLiteral("Invalid JSON on standard input: %1").arg(reader.error()));
}

} // namespace hv::cli
