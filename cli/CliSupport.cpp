#include "cli/CliSupport.h"
#include "cli/JsonReader.h"
#include "platform/FileNames.h"

#include <QDir>
#include <QFile>
#include <QJsonParseError>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace hv::cli {
namespace {

void writeOut(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void printJson(const QJsonDocument &doc)
{
    writeOut(stdout, doc.toJson(QJsonDocument::Compact) + '\n');
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
    writeOut(stdout, text.toUtf8() + '\n');
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

const char *usageText()
{
    return "usage: hvadmin-cli VERB [ARGS]\n"
           "       hvadmin-cli --help | --version\n"
           "  dbf info FILE | dbf dump FILE | dbf create FILE NAME:TYPE:LENGTH[:DECIMALS]...\n"
           "  dbf append FILE < rows.json | dbf put FILE RECNO < record.json\n"
           "  dbf sort COLUMN ORDER < rows.json | dbf csv FILE\n"
           "  ini dump FILE | ini write FILE [--leading-spaces N] [--equal-pos N] "
           "[--ucase-section]\n"
           "  dir show FILE | dir write FILE < directory.json\n"
           "  list CATEGORY [FOLDER] | template FILE\n"
           "  security | login USER PASSWORD\n"
           "  lock-check PATH\n"
           "  clear [--permanent] FOLDER FILE... | delete [--permanent] FOLDER FILE...\n"
           "  rename FOLDER FILE NEWNAME\n"
           "  history | undo [ID]\n"
           "  shortcut FOLDER FILE TITLE | launcher FOLDER FILE TITLE\n";
}

int usage()
{
    writeOut(stderr, QByteArray(usageText()));
    return kExitUsage;
}

int informationOption(const QString &option)
{
    if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
        writeOut(stdout, QByteArray(usageText()));
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

QByteArray readStdin()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

int failJson(const JsonReader &reader)
{
    return fail(QStringLiteral("Invalid JSON on standard input: %1").arg(reader.error()));
}

} // namespace hv::cli
