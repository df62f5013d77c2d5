#include "suite/LauncherConfig.h"

#include "platform/Ansi.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "platform/SaveFile.h"
#include "platform/SmallFile.h"

#include <cstring>
#include <utility>

namespace hv {

namespace {

const QString kSection = QStringLiteral("[PROGRAM]");

// The most of an existing file that is read; a launcher file is a few kilobytes.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

// Why `entry` cannot be written as it is, or empty: each value is one line of
// Windows-1252 text, and a value the file cannot hold is refused rather than changed.
QString entryProblem(const LauncherProgram &entry)
{
    const std::pair<const char *, const QString *> values[] = {
        {"title", &entry.caption}, {"program", &entry.program}, {"arguments", &entry.arguments}};
    for (const auto &[name, value] : values) {
        if (const QString problem = ansi::oneLineProblem(*value); !problem.isEmpty())
            return QStringLiteral("The %1 \"%2\" cannot be written to the launcher file: %3.")
                .arg(QLatin1String(name), *value, problem);
    }
    return {};
}

// The text of the file as it is now (empty when there is none), ending with a line end.
IniResult readExisting(const QString &configFile, QByteArray &bytes)
{
    bytes.clear();
    const QString path = paths::findExisting(configFile);
    if (path.isEmpty())
        return {};
    ReadOnlyFile file(path);
    qint64 length = 0;
    if (!file.readWhole(bytes, kMaxFileBytes, length)) {
        const int error = file.error();
        return IniResult::failure(
            QStringLiteral("Cannot read %1: %2")
                .arg(configFile, error ? QString::fromLocal8Bit(std::strerror(error))
                                       : QStringLiteral("it is not a file of a usable size")));
    }
    bytes.truncate(length);
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes += "\r\n";
    return {};
}

} // namespace

LauncherProgram &LauncherConfig::AddProgram(const QString &caption, const QString &program,
                                            const QString &arguments, qint16 kind, bool flag)
{
    m_added.append(LauncherProgram{caption, program, arguments, kind, flag});
    return m_added.last();
}

IniResult LauncherConfig::WriteConfig()
{
    for (const LauncherProgram &entry : m_added) {
        if (const QString problem = entryProblem(entry); !problem.isEmpty())
            return IniResult::failure(problem);
    }
    const FolderLock lock(m_configFile); // other writers of the file wait until it is saved
    // The file's own lines stay byte for byte (comments, other sections, key spelling);
    // the new entries are appended in the INI model's layout.
    QByteArray bytes;
    if (IniResult read = readExisting(m_configFile, bytes); !read)
        return read;
    INIfile added;
    for (const LauncherProgram &entry : m_added) {
        added.INIlines().Add(kSection, kSection, QString());
        added.INIlines().Add(kSection, QStringLiteral("Caption"), entry.caption);
        added.INIlines().Add(kSection, QStringLiteral("Program"), entry.program);
        added.INIlines().Add(kSection, QStringLiteral("Arguments"), entry.arguments);
        added.INIlines().Add(kSection, QStringLiteral("Kind"), QString::number(entry.kind));
        added.INIlines().Add(kSection, QStringLiteral("Flag"),
                             entry.flag ? QStringLiteral("1") : QStringLiteral("0"));
    }
    QByteArray entries;
    if (IniResult made = added.SaveBytes(entries); !made)
        return IniResult::failure(
            QStringLiteral("Cannot write %1: %2").arg(m_configFile, made.error));
    IniResult saved = saveBytes(m_configFile, bytes + entries);
    if (saved)
        m_added.clear();
    return saved;
}

IniResult LauncherConfig::saveBytes(const QString &configFile, const QByteArray &bytes)
{
    const QString path = paths::resolveForWrite(configFile);
    if (paths::isFolder(path))
        return IniResult::failure(
            QStringLiteral("Cannot write %1: it is a folder").arg(configFile));
    if (QString error; !saveWhole(path, bytes, &error))
        return IniResult::failure(QStringLiteral("Cannot write %1: %2").arg(configFile, error));
    return {};
}

QList<LauncherProgram> LauncherConfig::ReadPrograms(const QString &configFile, IniResult *result)
{
    INIfile file;
    const IniResult loaded = file.LoadFile(configFile);
    if (result)
        *result = loaded;
    QList<LauncherProgram> programs;
    for (const INIline &line : file.INIlines()) {
        if (line.Group() != kSection)
            continue;
        const QString key = line.Section().toUpper();
        if (key == kSection) {
            programs.append(LauncherProgram{});
            continue;
        }
        if (programs.isEmpty())
            continue;
        LauncherProgram &entry = programs.last();
        if (key == u"CAPTION")
            entry.caption = line.Value();
        else if (key == u"PROGRAM")
            entry.program = line.Value();
        else if (key == u"ARGUMENTS")
            entry.arguments = line.Value();
        else if (key == u"KIND")
            entry.kind = qint16(line.Value().toShort());
        else if (key == u"FLAG")
            entry.flag = line.Value() == u"1";
    }
    return programs;
}

} // namespace hv
