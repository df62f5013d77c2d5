#include "files/IniFile.h"

#include "log/DiagnosticLog.h"
#include "platform/PathNames.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

namespace hv {
namespace {

QString outOfRange(const char *name, int value)
{
    return QStringLiteral("%1 %2 is out of range (at most %3)")
        .arg(QLatin1String(name))
        .arg(value)
        .arg(ini::kMaxLayoutColumn);
}

} // namespace

IniResult INIfile::LoadFile(const QString &fileName)
{
    lines_.Clear();
    const QString path = paths::findExisting(fileName);
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).isDir())
        return IniResult::failure(QStringLiteral("Cannot read %1: it is a folder").arg(fileName));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IniResult::failure(
            QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return IniResult::failure(
            QStringLiteral("Cannot read %1: %2").arg(fileName, file.errorString()));
    ini::parseLines(bytes, lines_);
    return {};
}

IniResult INIfile::Load(QIODevice &device)
{
    lines_.Clear();
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        return IniResult::failure(QStringLiteral("Cannot read: %1").arg(device.errorString()));
    ini::parseLines(device.readAll(), lines_);
    return {};
}

IniResult INIfile::SaveBytes(QByteArray &bytes) const
{
    bytes.clear();
    if (layout_.leadingSpaces > ini::kMaxLayoutColumn)
        return IniResult::failure(outOfRange("LeadingSpaces", layout_.leadingSpaces));
    if (layout_.equalPos > ini::kMaxLayoutColumn)
        return IniResult::failure(outOfRange("EqualPos", layout_.equalPos));
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
    WriteLog(QStringLiteral("INIFile"), QStringLiteral("SaveFile"),
             QStringLiteral("Start ") + fileName);
    if (fileName.isEmpty())
        return IniResult::failure(QStringLiteral("Cannot write a file without a name"));
    QByteArray bytes;
    if (IniResult r = SaveBytes(bytes); !r)
        return IniResult::failure(QStringLiteral("Cannot write %1: %2").arg(fileName, r.error));

    // The new text goes to a temporary file beside the target and replaces it by a rename
    // only when it is complete, so a failure cannot cost the old file.
    const QString path = paths::resolveForWrite(fileName);
    if (QFileInfo(path).isDir())
        return IniResult::failure(QStringLiteral("Cannot write %1: it is a folder").arg(fileName));
    QSaveFile file(path);
    const auto failed = [&] {
        return IniResult::failure(
            QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    if (file.write(bytes) != bytes.size()) {
        IniResult r = failed();
        file.cancelWriting();
        return r;
    }
    if (!file.commit())
        return failed();
    return {};
}

} // namespace hv
