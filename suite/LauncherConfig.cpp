#include "suite/LauncherConfig.h"

#include "platform/SaveFile.h"

namespace hv {

namespace {

const QString kSection = QStringLiteral("[PROGRAM]");

// An INI value is one line, trimmed when saved: line breaks and TABs become spaces so a
// caption or path holding them cannot split the entry or add keys of its own.
QString oneLine(QString text)
{
    for (QChar &c : text) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    }
    return text.trimmed();
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
    const FolderLock lock(m_configFile); // other writers of the file wait until it is saved
    INIfile file;
    if (IniResult loaded = file.LoadFile(m_configFile); !loaded)
        return loaded;
    for (const LauncherProgram &entry : m_added) {
        file.INIlines().Add(kSection, kSection, QString());
        file.INIlines().Add(kSection, QStringLiteral("Caption"), oneLine(entry.caption));
        file.INIlines().Add(kSection, QStringLiteral("Program"), oneLine(entry.program));
        file.INIlines().Add(kSection, QStringLiteral("Arguments"), oneLine(entry.arguments));
        file.INIlines().Add(kSection, QStringLiteral("Kind"), QString::number(entry.kind));
        file.INIlines().Add(kSection, QStringLiteral("Flag"),
                            entry.flag ? QStringLiteral("1") : QStringLiteral("0"));
    }
    IniResult saved = file.SaveFile(m_configFile);
    if (saved)
        m_added.clear();
    return saved;
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
