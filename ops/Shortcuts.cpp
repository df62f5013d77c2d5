#include "ops/Shortcuts.h"

#include "log/DiagnosticLog.h"
#include "ops/FileSet.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "platform/SaveFile.h"
#include "suite/LauncherConfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace hv {

namespace {

// Most file systems take 255 bytes per name; the title's part leaves room for ".desktop".
constexpr qsizetype kMaxTitleBytes = 240;

QString joined(const QString &folder, const QString &name)
{
    return paths::withTrailingSeparator(folder) + name;
}

} // namespace

QString DesktopEntryFileName(const QString &title)
{
    QString name;
    for (const QChar c : title) {
        const bool unsafe = c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
        name.append(unsafe ? QChar(u'_') : c);
    }
    if (name.isEmpty() || name.startsWith(u'.'))
        name.prepend(u'_');
    while (name.toUtf8().size() > kMaxTitleBytes)
        name.chop(name.size() >= 2 && name.at(name.size() - 1).isLowSurrogate() ? 2 : 1);
    return name + QStringLiteral(".desktop");
}

QString QuoteExecArgument(const QString &argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted.append(u'\\');
        else if (c == u'%')
            quoted.append(u'%');
        quoted.append(c);
    }
    quoted.append(u'"');
    return quoted;
}

QString EscapeDesktopValue(const QString &value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            escaped.append(QStringLiteral("\\\\"));
            break;
        case u'\n':
            escaped.append(QStringLiteral("\\n"));
            break;
        case u'\r':
            escaped.append(QStringLiteral("\\r"));
            break;
        case u'\t':
            escaped.append(QStringLiteral("\\t"));
            break;
        default:
            escaped.append(c);
        }
    }
    return escaped;
}

QString GetDesktopFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    return folder;
}

QString SuiteProgramPath(const QString &suiteFolder, const QString &programName)
{
    const QString path = joined(suiteFolder, programName);
    if (const QString found = paths::findExisting(path); !found.isEmpty())
        return found;
    if (programName.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) {
        const QString bare = path.chopped(4);
        if (const QString found = paths::findExisting(bare); !found.isEmpty())
            return found;
    }
    return path;
}

ShortcutResult CreateDesktopShortcut(const QString &linkFile, const QString &linkDesc,
                                     const QString &exeFile, const QString &exeArgs,
                                     const QString &workDir, const QString &iconFile)
{
    ShortcutResult result;
    result.path = linkFile;
    QString exec = QuoteExecArgument(exeFile);
    if (!exeArgs.isEmpty())
        exec += u' ' + QuoteExecArgument(exeArgs);
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
    text += QStringLiteral("Name=") + EscapeDesktopValue(linkDesc) + u'\n';
    text += QStringLiteral("Comment=") + EscapeDesktopValue(linkDesc) + u'\n';
    text += QStringLiteral("Exec=") + EscapeDesktopValue(exec) + u'\n';
    if (!workDir.isEmpty())
        text += QStringLiteral("Path=") + EscapeDesktopValue(workDir) + u'\n';
    if (!iconFile.isEmpty())
        text += QStringLiteral("Icon=") + EscapeDesktopValue(iconFile) + u'\n';
    text += QStringLiteral("Terminal=false\n");

    // The entry is text: a path that is not would name another file.
    for (const QString *path : {&linkFile, &exeFile, &exeArgs, &workDir, &iconFile}) {
        if (paths::hasRawBytes(*path)) {
            result.message = paths::rawBytesRefusal(*path);
            return result;
        }
    }
    // A symlink of that name is replaced itself: writing through it would overwrite (and make
    // executable) whatever file it points to.
    if (QFile link(linkFile); QFileInfo(linkFile).isSymLink() && !link.remove()) {
        result.fail(UserText::translate("hv::Shortcuts", "The shortcut %1 could not be replaced.")
                        .arg(QDir::toNativeSeparators(linkFile)),
                    {}, link.errorString());
        return result;
    }
    if (QString error; !saveWhole(linkFile, text.toUtf8(), &error)) {
        result.fail(UserText::translate("hv::Shortcuts", "The shortcut %1 could not be written.")
                        .arg(QDir::toNativeSeparators(linkFile)),
                    {}, error);
        return result;
    }
    QFile::setPermissions(linkFile, QFile::permissions(linkFile) | QFile::ExeOwner |
                                        QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther);
    result.touched << linkFile;
    result.succeed();
    return result;
}

QString ShortcutIcon(const QString &suiteFolder)
{
    for (const char *picture : {"hv.svg", "hv.png"}) {
        const QString found =
            paths::findExisting(joined(suiteFolder, QString::fromLatin1(picture)));
        if (!found.isEmpty())
            return found;
    }
    return QString::fromLatin1(kConsoleIconName);
}

namespace {

// Tells the log what became of a shortcut or launcher entry for `item`: the file written, or
// why not.
void logOutcome(const char *procedure, const QString &item, const ShortcutResult &result)
{
    WriteLog(QStringLiteral("Shortcuts"), QLatin1String(procedure),
             result.ok ? item + QStringLiteral(": written to ") + result.path
                       : item + QStringLiteral(": failed: ") + result.messageWithReason());
}

ShortcutResult itemShortcut(const QString &projectFolder, const QString &suiteFolder,
                            const QString &fileName, const QString &title)
{
    const QString desktop = GetDesktopFolder();
    if (desktop.isEmpty()) {
        ShortcutResult result;
        result.fail(UserText::translate("hv::Shortcuts",
                                        "There is no desktop folder to put the shortcut in."));
        return result;
    }
    const QString program = SuiteProgramPath(suiteFolder, QStringLiteral("hv.exe"));
    const QString folder = paths::withTrailingSeparator(projectFolder);
    return CreateDesktopShortcut(joined(desktop, DesktopEntryFileName(title)), title, program,
                                 folder + fileName, folder, ShortcutIcon(suiteFolder));
}

} // namespace

ShortcutResult CreateItemShortcut(const QString &projectFolder, const QString &suiteFolder,
                                  const QString &fileName, const QString &title)
{
    const ShortcutResult result = itemShortcut(projectFolder, suiteFolder, fileName, title);
    logOutcome("CreateItemShortcut", paths::withTrailingSeparator(projectFolder) + fileName,
               result);
    return result;
}

ShortcutResult AddLauncherEntry(const QString &projectFolder, const QString &suiteFolder,
                                const QString &fileName, const QString &title)
{
    LauncherConfig config;
    config.SetConfigFile(joined(suiteFolder, QStringLiteral("hvlaunch.ini")));
    config.AddProgram(title, SuiteProgramPath(suiteFolder, QStringLiteral("hv.exe")),
                      paths::withTrailingSeparator(projectFolder) + fileName, 2, true);
    ShortcutResult result;
    result.path = config.ConfigFile();
    const QString item = paths::withTrailingSeparator(projectFolder) + fileName;
    if (const IniResult written = config.WriteConfig(); !written) {
        result.fail(written.error);
        logOutcome("AddLauncherEntry", item, result);
        return result;
    }
    result.touched << result.path;
    result.succeed(
        (fileset::ItemKindOf(fileName) == fileset::ItemKind::Directory
             ? UserText::translate("hv::Shortcuts",
                                   "The %1 Directory file has been added to HVLaunch.")
             : UserText::translate("hv::Shortcuts", "The %1 template has been added to HVLaunch."))
            .arg(title));
    logOutcome("AddLauncherEntry", item, result);
    return result;
}

} // namespace hv
