#include "suite/TemplateFileInfo.h"

#include "dbase/Header.h"
#include "files/IniFormat.h"
#include "platform/ParallelReads.h"
#include "platform/PathNames.h"
#include "platform/SmallFile.h"

#include <QDateTime>
#include <QVarLengthArray>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <vector>

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
    : m_baseFolder(paths::withTrailingSeparator(baseFolder)),
      m_index(std::make_shared<paths::FolderIndex>())
{
}

void TemplateFileInfo::useFolderIndex(std::shared_ptr<paths::FolderIndex> index)
{
    if (index)
        m_index = std::move(index);
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

QString TemplateFileInfo::Reader::dateTimeText(qint64 secondsSinceEpoch)
{
    // Files of one folder are often written within the same minute.
    const qint64 minute = secondsSinceEpoch >= 0 ? secondsSinceEpoch / 60 : -1;
    if (minute < 0 || minute != lastMinute) {
        lastMinuteText = TemplateFileInfo::dateTimeText(secondsSinceEpoch);
        lastMinute = minute;
    }
    return lastMinuteText;
}

QString TemplateFileInfo::absolute(const QString &path) const
{
    if (path.isEmpty() || isAbsolutePath(path) || m_baseFolder.isEmpty())
        return path;
    return m_baseFolder + path;
}

void TemplateFileInfo::open(Reader &reader, std::optional<ReadOnlyFile> &file, const QString &path,
                            QString &onDisk)
{
    onDisk = path;
    reader.folders.open(file, path);
    if (file->isOpen())
        return;
    // Not under this exact name: look for it without regard to letter case.
    // A file that is there but cannot be opened keeps its name on disk.
    onDisk = m_index->findExisting(path);
    if (!onDisk.isEmpty() && onDisk != path)
        reader.folders.open(file, onDisk);
}

TemplateFileInfo::Parsed TemplateFileInfo::read(Reader &reader, const QString &path,
                                                bool withEntries)
{
    Parsed parsed;
    const QString wanted = absolute(path);
    if (wanted.isEmpty()) {
        parsed.readError = QString::fromLocal8Bit(std::strerror(ENOENT));
        return parsed;
    }
    std::optional<ReadOnlyFile> file;
    open(reader, file, wanted, parsed.diskPath);
    if (!file->isOpen()) {
        parsed.readError =
            QString::fromLocal8Bit(std::strerror(file->error() ? file->error() : ENOENT));
        return parsed;
    }
    qint64 length = 0;
    if (!file->readWhole(reader.buffer, kMaxTemplateBytes, length)) {
        parsed.readError = file->error()
                               ? QString::fromLocal8Bit(std::strerror(file->error()))
                               : QStringLiteral("it is not a regular file of at most %1 bytes")
                                     .arg(kMaxTemplateBytes);
        return parsed;
    }
    const QByteArrayView bytes(reader.buffer.constData(), length);

    if (!withEntries) {
        // A list or a confirmation needs the title alone: scanned from the bytes.
        ini::TemplateHeading heading = ini::scanTemplateHeading(bytes);
        parsed.valid = heading.isTemplate;
        parsed.title = std::move(heading.title);
        return parsed;
    }

    // The lines are looked at one by one and not kept: a template costs no memory beyond its
    // bytes, however many lines it has.
    bool inEntry = false;
    ini::forEachLine(bytes,
                     [&](const QString &group, const QString &section, const QString &value) {
                         if (section.startsWith(u'[')) {
                             if (section == u"[TEMPLATE]")
                                 parsed.valid = true;
                             inEntry = section == u"[ENTRY]";
                             if (inEntry)
                                 parsed.entries.append(TemplateEntry());
                             return;
                         }
                         if (group == u"[TEMPLATE]" && section == u"TITLE")
                             parsed.title = value;
                         else if (inEntry && section == u"KEY")
                             parsed.entries.last().Key = value;
                     });
    return parsed;
}

const TemplateFileInfo::Parsed &TemplateFileInfo::current()
{
    if (!m_currentRead) {
        m_current = read(m_reader, m_templatePath, false);
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
    const Parsed parsed = read(m_reader, m_templatePath, true);
    m_entries = parsed.valid ? TemplateEntries(parsed.entries) : TemplateEntries();
    m_basePath = withoutExtension(absolute(m_templatePath));
}

bool TemplateFileInfo::IsValidTemplate()
{
    return current().valid;
}

QString TemplateFileInfo::ReadError()
{
    return current().readError;
}

QString TemplateFileInfo::PathOnDisk()
{
    const Parsed &parsed = current();
    return parsed.diskPath.isEmpty() ? absolute(m_templatePath) : parsed.diskPath;
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
    TemplateSummary s = summary(m_reader, path, ".hvd");
    title = std::move(s.title);
    recordCount = s.recordCount;
    dateTime = std::move(s.dateTime);
}

void TemplateFileInfo::GetPopupInfo(const QString &path, QString &title, qint32 &recordCount,
                                    QString &dateTime)
{
    TemplateSummary s = summary(m_reader, path, ".hpd");
    title = std::move(s.title);
    recordCount = s.recordCount;
    dateTime = std::move(s.dateTime);
}

TemplateFileInfo::Reader &TemplateFileInfo::Readers::of(int reader)
{
    if (reader == 0)
        return m_calling;
    auto &own = m_others[size_t(reader - 1)];
    if (!own)
        own = std::make_unique<Reader>();
    return *own;
}

void TemplateFileInfo::Readers::release(int reader)
{
    if (reader > 0)
        m_others[size_t(reader - 1)].reset();
}

int TemplateFileInfo::readerCount() const
{
    return m_readerCount > 0 ? m_readerCount : parallel::readerCountFor(m_baseFolder);
}

QList<TemplateSummary> TemplateFileInfo::summaries(const QStringList &paths, bool popups,
                                                   std::atomic<qsizetype> *done,
                                                   const std::atomic<bool> *cancelled)
{
    static const std::atomic<bool> never{false};
    const char *dataSuffix = popups ? ".hpd" : ".hvd";
    const int count = readerCount();
    Readers readers(m_reader, count);
    QList<TemplateSummary> result(paths.size());
    parallel::forEachIndex(
        paths.size(), count,
        [&](qsizetype index, int reader) {
            result[index] = summary(readers.of(reader), paths.at(index), dataSuffix);
            if (done)
                ++*done;
        },
        cancelled ? *cancelled : never, parallel::FileTable::Own,
        [&](int reader) { readers.release(reader); });
    return result;
}

QList<TemplateSummary> TemplateFileInfo::listedSummaries(
    const QString &folder,
    const std::function<void(const std::function<void(const QString &)> &)> &list, bool popups,
    std::atomic<qsizetype> *done, const std::atomic<bool> *cancelled)
{
    static const std::atomic<bool> never{false};
    const char *dataSuffix = popups ? ".hpd" : ".hvd";
    const int count = readerCount();
    Readers readers(m_reader, count);
    // Each reader keeps what it read by the name's number, and the summaries are put in order
    // once all are read: the number of names is known only when the listing ends.
    std::vector<std::vector<std::pair<qsizetype, TemplateSummary>>> read(
        size_t(std::max(count, 1)));
    const QStringList names = parallel::forEachListedName(
        count, list,
        [&](qsizetype index, const QString &name, int reader) {
            read[size_t(reader)].emplace_back(
                index, summaryIn(readers.of(reader), folder, name, dataSuffix));
            if (done)
                ++*done;
        },
        cancelled ? *cancelled : never, parallel::FileTable::Own,
        [&](int reader) { readers.release(reader); });
    QList<TemplateSummary> result(names.size());
    TemplateSummary *slots = result.data();
    for (auto &ofReader : read) {
        for (auto &[index, s] : ofReader)
            slots[index] = std::move(s);
    }
    return result;
}

TemplateSummary TemplateFileInfo::summary(Reader &reader, const QString &path,
                                          const char *dataSuffix)
{
    TemplateSummary s;
    const Parsed parsed = read(reader, path, false);
    s.title = parsed.valid && !parsed.title.isEmpty() ? parsed.title : fileNameOf(path);
    // The data file sits beside the template as found on disk (or as named, when missing).
    addDataFile(reader, s,
                withoutExtension(parsed.diskPath.isEmpty() ? absolute(path) : parsed.diskPath),
                parsed.diskPath, dataSuffix);
    return s;
}

TemplateSummary TemplateFileInfo::summaryIn(Reader &reader, const QString &folder,
                                            const QString &name, const char *dataSuffix)
{
    const int folderFd = reader.folders.descriptorOf(folder);
    std::optional<ReadOnlyFile> file;
    if (folderFd >= 0)
        file.emplace(folderFd, name);
    if (!file || !file->isOpen())
        return summary(reader, folder + name, dataSuffix);
    TemplateSummary s;
    qint64 length = 0;
    if (file->readWhole(reader.buffer, kMaxTemplateBytes, length)) {
        ini::TemplateHeading heading =
            ini::scanTemplateHeading(QByteArrayView(reader.buffer.constData(), length));
        if (heading.isTemplate)
            s.title = std::move(heading.title);
    }
    if (s.title.isEmpty())
        s.title = name;
    file.reset();

    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype stemLength = dot >= 0 ? dot : name.size();
    QVarLengthArray<char16_t, 256> dataName;
    dataName.append(QStringView(name).utf16(), stemLength);
    for (const char *c = dataSuffix; *c; ++c)
        dataName.append(char16_t(*c));
    ReadOnlyFile data(folderFd, QStringView(dataName.constData(), dataName.size()));
    if (!data.isOpen() || !takeDataFile(reader, s, data))
        addDataFile(reader, s, folder + name.first(stemLength), folder + name, dataSuffix);
    return s;
}

void TemplateFileInfo::addDataFile(Reader &reader, TemplateSummary &s, const QString &stem,
                                   const QString &templateOnDisk, const char *dataSuffix)
{
    std::optional<ReadOnlyFile> data;
    QString dataOnDisk;
    open(reader, data, stem + QLatin1String(dataSuffix), dataOnDisk);
    if (data->isOpen() && takeDataFile(reader, s, *data))
        return;
    const qint64 templateTime = modifiedSecsOf(templateOnDisk);
    if (templateTime >= 0) {
        s.dateTime = reader.dateTimeText(templateTime);
        s.modifiedSecs = templateTime;
    }
}

bool TemplateFileInfo::takeDataFile(Reader &reader, TemplateSummary &s, ReadOnlyFile &data)
{
    if (!data.stat())
        return false;
    char header[dbase::kHeaderPrefixBytes];
    qint64 got = 0;
    if (data.readAt(0, header, sizeof header, got))
        s.recordCount = dbase::recordCountFromHeader(QByteArrayView(header, got), data.size());
    s.modifiedSecs = data.modifiedSecs();
    s.dateTime = reader.dateTimeText(s.modifiedSecs);
    return true;
}

TemplateInfoFactory templateFileInfoFactory(const QString &projectFolder)
{
    return [projectFolder] { return std::make_unique<TemplateFileInfo>(projectFolder); };
}

} // namespace hv
