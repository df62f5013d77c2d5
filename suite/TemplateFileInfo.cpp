#include "suite/TemplateFileInfo.h"

#include "dbase/HeaderCount.h"
#include "files/IniFormat.h"
#include "platform/PathNames.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace hv {
namespace {

// A file opened for reading by its descriptor, closed on scope exit. The list fills read
// thousands of small files, so this stays at the level of single system calls.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString &path)
    {
        const QByteArray native = QFile::encodeName(path);
        do {
            m_fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
        } while (m_fd < 0 && errno == EINTR);
        if (m_fd >= 0 && (::fstat(m_fd, &m_stat) != 0 || !S_ISREG(m_stat.st_mode)))
            closeFd();
    }
    ~ReadOnlyFile() { closeFd(); }
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;

    // True when a regular file is open.
    bool isOpen() const { return m_fd >= 0; }
    qint64 size() const { return qint64(m_stat.st_size); }
    qint64 modifiedSecs() const { return qint64(m_stat.st_mtim.tv_sec); }

    // Reads up to `length` bytes from `offset`; false on a read error.
    bool readAt(qint64 offset, char *data, qint64 length, qint64 &got) const
    {
        got = 0;
        while (got < length) {
            const ssize_t n = ::pread(m_fd, data + got, size_t(length - got), off_t(offset + got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return false;
            if (n == 0)
                break;
            got += n;
        }
        return true;
    }

private:
    void closeFd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

    int m_fd = -1;
    struct stat m_stat {};
};

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
    return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch)
        .toString(QStringLiteral("yyyy-MM-dd hh:mm"));
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
    file.emplace(wanted);
    parsed.diskPath = wanted;
    if (!file->isOpen()) {
        // Not under this exact name: look for it without regard to letter case.
        parsed.diskPath = paths::findExisting(wanted);
        if (parsed.diskPath.isEmpty() || parsed.diskPath == wanted) {
            parsed.diskPath.clear();
            return parsed;
        }
        file.emplace(parsed.diskPath);
        if (!file->isOpen()) {
            parsed.diskPath.clear();
            return parsed;
        }
    }
    parsed.modifiedSecs = file->modifiedSecs();
    if (file->size() > kMaxTemplateBytes)
        return parsed;

    QByteArray bytes(file->size(), Qt::Uninitialized);
    qint64 got = 0;
    if (!file->readAt(0, bytes.data(), bytes.size(), got))
        return parsed;
    bytes.truncate(got);

    INIlines lines;
    ini::parseLines(bytes, lines);
    bool inEntry = false;
    for (const INIline &line : lines) {
        const QString &section = line.Section();
        if (section.startsWith(u'[')) {
            if (section == u"[TEMPLATE]")
                parsed.valid = true;
            inEntry = section == u"[ENTRY]";
            if (inEntry && withEntries)
                parsed.entries.append(TemplateEntry());
            continue;
        }
        if (line.Group() == u"[TEMPLATE]" && section == u"TITLE")
            parsed.title = line.Value();
        else if (inEntry && withEntries && section == u"KEY")
            parsed.entries.last().Key = line.Value();
    }
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
    data.emplace(exact);
    if (!data->isOpen()) {
        const QString onDisk = caseInsensitiveMatch(exact);
        if (!onDisk.isEmpty() && onDisk != exact)
            data.emplace(onDisk);
    }
    if (!data->isOpen()) {
        if (parsed.modifiedSecs >= 0)
            dateTime = dateTimeText(parsed.modifiedSecs);
        return;
    }
    char header[dbase::kHeaderPrefixBytes];
    qint64 got = 0;
    if (data->readAt(0, header, sizeof header, got))
        recordCount = dbase::recordCountFromHeader(QByteArrayView(header, got), data->size());
    dateTime = dateTimeText(data->modifiedSecs());
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
