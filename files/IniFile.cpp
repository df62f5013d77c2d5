#include "files/IniFile.h"

#include "log/DiagnosticLog.h"
#include "platform/Ansi.h"
#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "platform/SaveFile.h"
#include "platform/SmallFile.h"

#include <QIODevice>

namespace hv {
namespace {

QString outOfRange(const char *name, int value)
{
    return QStringLiteral("%1 %2 is out of range (at most %3)")
        .arg(QLatin1String(name))
        .arg(value)
        .arg(ini::kMaxLayoutColumn);
}

// True when `text` holds a CR or an LF, which would end the line it is written on.
bool hasLineBreak(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// The line's text for a message, its line breaks shown as spaces and cut to a readable size.
QString oneLineShown(const INIline &line)
{
    QString text = line.Section().isEmpty() ? line.Group() : line.Section();
    if (!line.Value().isEmpty())
        text += QStringLiteral(" = ") + line.Value();
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    return text.size() > 60 ? text.left(57) + QStringLiteral("...") : text;
}

} // namespace

namespace {

// The bytes of the file that `fileName` names (found without regard to letter case); empty
// for a missing file, an error for one that exists but cannot be read.
IniResult readFileBytes(const QString &fileName, QByteArray &bytes)
{
    bytes.clear();
    const QString path = paths::findExisting(fileName);
    if (path.isEmpty())
        return {};
    QString reason;
    if (!readRegularFile(path, ini::kMaxFileBytes, bytes, reason))
        return IniResult::failure(QStringLiteral("Cannot read %1: %2").arg(fileName, reason));
    return {};
}

} // namespace

IniResult INIfile::LoadFile(const QString &fileName)
{
    lines_.Clear();
    QByteArray bytes;
    IniResult read = readFileBytes(fileName, bytes);
    if (read)
        ini::parseLines(bytes, lines_);
    return read;
}

IniResult INIfile::VisitFile(const QString &fileName, const ini::LineVisitor &visit)
{
    QByteArray bytes;
    IniResult read = readFileBytes(fileName, bytes);
    if (read)
        ini::forEachLine(bytes, visit);
    return read;
}

IniResult INIfile::Load(QIODevice &device)
{
    lines_.Clear();
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        return IniResult::failure(QStringLiteral("Cannot read: %1").arg(device.errorString()));
    const QByteArray bytes = device.read(ini::kMaxFileBytes + 1);
    if (bytes.size() > ini::kMaxFileBytes)
        return IniResult::failure(
            QStringLiteral("Cannot read: larger than %1 bytes").arg(ini::kMaxFileBytes));
    ini::parseLines(bytes, lines_);
    return {};
}

IniResult INIfile::SaveBytes(QByteArray &bytes) const
{
    bytes.clear();
    if (layout_.leadingSpaces > ini::kMaxLayoutColumn)
        return IniResult::failure(outOfRange("LeadingSpaces", layout_.leadingSpaces));
    if (layout_.equalPos > ini::kMaxLayoutColumn)
        return IniResult::failure(outOfRange("EqualPos", layout_.equalPos));
    // An INI file is Windows-1252 text, one line a line: what it cannot hold is refused,
    // never written changed (a value or key turned into '?' is another value or key).
    for (const INIline &line : lines_) {
        for (const QString *text : {&line.Group(), &line.Section(), &line.Value()}) {
            const QString problem = ansi::oneLineProblem(*text);
            if (problem.isEmpty())
                continue;
            if (hasLineBreak(*text))
                return IniResult::failure(
                    QStringLiteral("a line break in \"%1\" would change the file's structure")
                        .arg(oneLineShown(line)));
            return IniResult::failure(QStringLiteral("\"%1\" cannot be written to an INI file: %2")
                                          .arg(oneLineShown(line), problem));
        }
    }
    if (ini::formattedSize(lines_, layout_) > ini::kMaxFileBytes)
        return IniResult::failure(
            QStringLiteral("the file would be larger than %1 bytes").arg(ini::kMaxFileBytes));
    bytes = ini::formatLines(lines_, layout_);
    return {};
}

IniResult INIfile::Save(QIODevice &device) const
{
    QByteArray bytes;
    if (IniResult r = SaveBytes(bytes); !r)
        return r;
    if (!device.isOpen() && !device.open(QIODevice::WriteOnly))
        return IniResult::failure(QStringLiteral("Cannot write: %1").arg(device.errorString()));
    if (device.write(bytes) != bytes.size())
        return IniResult::failure(QStringLiteral("Cannot write: %1").arg(device.errorString()));
    return {};
}

IniResult INIfile::SaveFile(const QString &fileName) const
{
    QByteArray bytes;
    IniResult formatted = SaveBytes(bytes);
    return SaveFileBytes(fileName, bytes, formatted ? QString() : formatted.error);
}

IniResult INIfile::SaveFileBytes(const QString &fileName, QByteArrayView bytes,
                                 const QString &formatError)
{
    WriteLog(QStringLiteral("INIFile"), QStringLiteral("SaveFile"),
             QStringLiteral("Start ") + fileName);
    if (fileName.isEmpty())
        return IniResult::failure(QStringLiteral("Cannot write a file without a name"));
    if (!formatError.isEmpty())
        return IniResult::failure(QStringLiteral("Cannot write %1: %2").arg(fileName, formatError));

    // The new text goes to a temporary file beside the target and replaces it by a rename
    // only when it is complete, so a failure cannot cost the old file.
    const FolderLock lock(fileName);
    const QString path = paths::resolveForWrite(fileName);
    if (paths::isFolder(path))
        return IniResult::failure(QStringLiteral("Cannot write %1: it is a folder").arg(fileName));
    QString reason;
    if (!saveWhole(path, bytes, &reason))
        return IniResult::failure(QStringLiteral("Cannot write %1: %2").arg(fileName, reason));
    return {};
}

} // namespace hv
