#include "suite/TemplateFileInfo.h"

#include "dbase/Header.h"
#include "files/IniFormat.h"
#include "platform/PathNames.h"
#include "platform/SmallFile.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <cstdio>
#include <ctime>
#include <optional>

namespace hv {
namespace {

bool isAbsolutePath(const QString &path)
{
    return path.startsWith(u'/');
}

// The file name of a path, without its folder.
QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// The path without the extension of its file name (the last dot after the last separator).
QString withoutExtension(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > slash ? path.left(dot) : path;
}

} // namespace

TemplateFileInfo::TemplateFileInfo(QString baseFolder)
    : m_baseFolder(paths::withTrailingSeparator(baseFolder))
{
}

QString TemplateFileInfo::dateTimeText(qint64 secondsSinceEpoch)
{
    // The C library's conversion: the same time zone rules as QDateTime's, at a tenth of the
    // cost, which counts when a fill formats thousands of times.
    const time_t seconds = time_t(secondsSinceEpoch);
    struct tm local {};
    if (!::localtime_r(&seconds, &local))
        return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch)
            .toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    char text[64];
    const int length =
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", local.tm_year + 1900,
                      local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
    return QString::fromLatin1(text, length);
}

QString TemplateFileInfo::cachedDateTimeText(qint64 secondsSinceEpoch)
{
    // Files of one folder are often written within the same minute.
    const qint64 minute = secondsSinceEpoch >= 0 ? secondsSinceEpoch / 60 : -1;
    if (minute < 0 || minute != m_lastMinute) {
        m_lastMinuteText = dateTimeText(secondsSinceEpoch);
        m_lastMinute = minute;
    }
    return m_lastMinuteText;
}

QString TemplateFileInfo::absolute(const QString &path) const
{
    if (path.isEmpty() || isAbsolutePath(path) || m_baseFolder.isEmpty())
        return path;
    return m_baseFolder + path;
}

TemplateFileInfo::Parsed TemplateFileInfo::read(const QString &path, bool withEntries)
{
    Parsed parsed;
    const QString wanted = absolute(path);
    if (wanted.isEmpty())
        return parsed;
    std::optional<ReadOnlyFile> file;
    m_folders.open(file, wanted);
    parsed.diskPath = wanted;
    if (!file->isOpen()) {
        // Not under this exact name: look for it without regard to letter case.
        parsed.diskPath = paths::findExisting(wanted);
        if (parsed.diskPath.isEmpty() || parsed.diskPath == wanted) {
            parsed.diskPath.clear();
            return parsed;
        }
        m_folders.open(file, parsed.diskPath);
        if (!file->isOpen()) {
            parsed.diskPath.clear();
            return parsed;
        }
    }
    qint64 length = 0;
    if (!file->readWhole(m_buffer, kMaxTemplateBytes, length))
        return parsed;
    const QByteArrayView bytes(m_buffer.constData(), length);

    // The lines are looked at one by one and not kept: a template costs no memory beyond its
    // bytes, however many lines it has.
    bool inEntry = false;
    ini::forEachLine(bytes,
                     [&](const QString &group, const QString &section, const QString &value) {
                         if (section.startsWith(u'[')) {
                             if (section == u"[TEMPLATE]")
                                 parsed.valid = true;
                             inEntry = section == u"[ENTRY]";
                             if (inEntry && withEntries)
                                 parsed.entries.append(TemplateEntry());
                             return;
                         }
                         if (group == u"[TEMPLATE]" && section == u"TITLE")
                             parsed.title = value;
                         else if (inEntry && withEntries && section == u"KEY")
                             parsed.entries.last().Key = value;
                     });
    return parsed;
}

const TemplateFileInfo::Parsed &TemplateFileInfo::current()
{
    if (!m_currentRead) {
        m_current = read(m_templatePath, false);
        m_currentRead = true;
    }
    return m_current;
}

void TemplateFileInfo::SetTemplatePath(const QString &path)
{
    m_templatePath = path;
    m_currentRead = false;
    m_current = Parsed();
}

void TemplateFileInfo::OpenTemplate()
{
    const Parsed parsed = read(m_templatePath, true);
    m_entries = parsed.valid ? TemplateEntries(parsed.entries) : TemplateEntries();
    m_basePath = withoutExtension(absolute(m_templatePath));
}

bool TemplateFileInfo::IsValidTemplate()
{
    return current().valid;
}

QString TemplateFileInfo::TemplateTitle()
{
    const Parsed &parsed = current();
    return parsed.valid && !parsed.title.isEmpty() ? parsed.title : m_templatePath;
}

void TemplateFileInfo::CloseTemplate()
{
    m_entries = TemplateEntries();
    m_basePath.clear();
}

void TemplateFileInfo::GetApplicationInfo(const QString &path, QString &title, qint32 &recordCount,
                                          QString &dateTime)
{
    info(path, ".hvd", title, recordCount, dateTime);
}

void TemplateFileInfo::GetPopupInfo(const QString &path, QString &title, qint32 &recordCount,
                                    QString &dateTime)
{
    info(path, ".hpd", title, recordCount, dateTime);
}

void TemplateFileInfo::info(const QString &path, const char *dataSuffix, QString &title,
                            qint32 &recordCount, QString &dateTime)
{
    const Parsed parsed = read(path, false);
    title = parsed.valid && !parsed.title.isEmpty() ? parsed.title : fileNameOf(path);
    recordCount = 0;
    dateTime.clear();

    // The data file sits beside the template as found on disk (or as named, when missing).
    const QString stem =
        withoutExtension(parsed.diskPath.isEmpty() ? absolute(path) : parsed.diskPath);
    const QString exact = stem + QLatin1String(dataSuffix);
    std::optional<ReadOnlyFile> data;
    m_folders.open(data, exact);
    if (!data->isOpen()) {
        const QString onDisk = caseInsensitiveMatch(exact);
        if (!onDisk.isEmpty() && onDisk != exact)
            m_folders.open(data, onDisk);
    }
    if (!data->isOpen() || !data->stat()) {
        const qint64 templateTime = modifiedSecsOf(parsed.diskPath);
        if (templateTime >= 0)
            dateTime = cachedDateTimeText(templateTime);
        return;
    }
    char header[dbase::kHeaderPrefixBytes];
    qint64 got = 0;
    if (data->readAt(0, header, sizeof header, got))
        recordCount = dbase::recordCountFromHeader(QByteArrayView(header, got), data->size());
    dateTime = cachedDateTimeText(data->modifiedSecs());
}

QString TemplateFileInfo::caseInsensitiveMatch(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = path.left(slash + 1);
    auto known = m_folderNames.find(folder);
    if (known == m_folderNames.end()) {
        QHash<QString, QString> names;
        QDirIterator it(folder.isEmpty() ? QStringLiteral(".") : folder,
                        QDir::Files | QDir::Hidden | QDir::System);
        while (it.hasNext()) {
            it.next();
            const QString name = it.fileName();
            const QString key = name.toLower();
            if (!names.contains(key))
                names.insert(key, name);
        }
        known = m_folderNames.insert(folder, names);
    }
    const QString onDisk = known->value(path.mid(slash + 1).toLower());
    return onDisk.isEmpty() ? QString() : folder + onDisk;
}

TemplateInfoFactory templateFileInfoFactory(const QString &projectFolder)
{
    return [projectFolder] { return std::make_unique<TemplateFileInfo>(projectFolder); };
}

} // namespace hv
