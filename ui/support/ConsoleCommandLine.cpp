#include "ui/support/ConsoleCommandLine.h"

#include <cstdio>

namespace hv {

namespace {

constexpr int kExitUsage = 2;

QString versionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(HV_VERSION_MAJOR)
        .arg(HV_VERSION_MINOR)
        .arg(HV_VERSION_PATCH);
}

QString helpText()
{
    return QStringLiteral(
        "usage: HVAdmin\n"
        "       HVAdmin --help | --version\n"
        "\n"
        "The administration console for the project folders of the HV data-collection suite.\n"
        "It takes no arguments: the project folder is chosen in its window. See HVAdmin(1).\n"
        "\n"
        "options:\n"
        "  -h, --help  print this help and exit\n"
        "  --version   print the program's name and version and exit\n");
}

void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

std::optional<CommandLineExit> AnswerInformationOptions(const QStringList &args)
{
    for (const QString &arg : args) {
        if (arg == QLatin1String("--"))
            break;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            return CommandLineExit{0, helpText(), {}};
        if (arg == QLatin1String("--version"))
            return CommandLineExit{0, QStringLiteral("HVAdmin %1\n").arg(versionText()), {}};
    }
    return std::nullopt;
}

std::optional<CommandLineExit> RefuseArguments(const QStringList &args)
{
    if (args.isEmpty())
        return std::nullopt;
    return CommandLineExit{
        kExitUsage,
        {},
        QStringLiteral("HVAdmin: unexpected argument '%1': the console takes no arguments "
                       "(see HVAdmin --help)\n")
            .arg(args.first())};
}

int Finish(const CommandLineExit &exit)
{
    if (!exit.out.isEmpty())
        write(stdout, exit.out);
    if (!exit.err.isEmpty())
        write(stderr, exit.err);
    return exit.exitCode;
}

QStringList ArgumentsAfterName(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

} // namespace hv
