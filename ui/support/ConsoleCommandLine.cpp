#include "ui/support/ConsoleCommandLine.h"

#include "platform/FileNames.h"

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
        "usage: HVAdmin [FOLDER]\n"
        "       HVAdmin --help | --version\n"
        "\n"
        "The administration console for the project folders of the HV data-collection suite.\n"
        "It opens FOLDER as the project folder, or else the folder shown last; the project\n"
        "folder is chosen in its window from then on. See HVAdmin(1).\n"
        "\n"
        "options:\n"
        "  -h, --help     print this help and exit\n"
        "  -v, --version  print the program's name and version and exit\n");
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
        if (arg == QLatin1String("--version") || arg == QLatin1String("-v"))
            return CommandLineExit{0, QStringLiteral("HVAdmin %1\n").arg(versionText()), {}};
    }
    return std::nullopt;
}

std::optional<CommandLineExit>
RefuseWithoutDisplay(const QStringList &args,
                     const std::function<QString(const char *)> &environment)
{
    if (!environment("DISPLAY").isEmpty() || !environment("WAYLAND_DISPLAY").isEmpty() ||
        !environment("QT_QPA_PLATFORM").isEmpty())
        return std::nullopt;
    for (const QString &arg : args) {
        if (arg == QLatin1String("--"))
            break;
        // Qt takes its options with one dash or two.
        if (arg == QLatin1String("-platform") || arg == QLatin1String("--platform"))
            return std::nullopt;
    }
    return CommandLineExit{
        1, {}, QStringLiteral("HVAdmin: no display; set DISPLAY or run under Xvfb\n")};
}

std::optional<CommandLineExit> RefuseWithoutDisplay(const QStringList &args)
{
    return RefuseWithoutDisplay(args, [](const char *name) { return qEnvironmentVariable(name); });
}

ConsoleArguments ReadConsoleArguments(const QStringList &args)
{
    ConsoleArguments read;
    bool options = true;
    bool haveFolder = false;
    for (const QString &arg : args) {
        if (options && arg == QLatin1String("--")) {
            options = false;
            continue;
        }
        const bool option = options && arg.startsWith(u'-') && arg.size() > 1;
        if (option || haveFolder) {
            read.exit = CommandLineExit{
                kExitUsage,
                {},
                QStringLiteral("HVAdmin: unexpected argument '%1': the console takes one folder "
                               "(see HVAdmin --help)\n")
                    .arg(paths::displayName(arg))};
            return read;
        }
        read.folder = arg;
        haveFolder = true;
    }
    return read;
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
        args.append(paths::decodeName(argv[i]));
    return args;
}

} // namespace hv
