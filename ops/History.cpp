#include "ops/History.h"

#include "log/DiagnosticLog.h"
#include "log/LogProtocol.h"
#include "ops/FileSet.h"
#include "ops/ItemDelete.h"
#include "ops/ItemRename.h"
#include "platform/FileNames.h"
#include "platform/SaveFile.h"
#include "platform/SmallFile.h"
#include "platform/UserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hv::history {
namespace {

// A journal larger than this was not written by this code; it is not read whole.
constexpr qint64 kMaxReadBytes = 2 * kMaxBytes;

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString historyFolder()
{
    return paths::userStateFolder() + QStringLiteral("/hvadmin");
}

// A path or name under `key`, with its bytes beside it when they are not UTF-8.
void putName(QJsonObject &object, const QString &key, const QString &name)
{
    if (!paths::hasRawBytes(name)) {
        object.insert(key, name);
        return;
    }
    object.insert(key, paths::displayName(name));
    object.insert(key + QStringLiteral("Bytes"),
                  QString::fromLatin1(paths::encodeName(name).toBase64()));
}

QString takeName(const QJsonObject &object, const QString &key)
{
    if (const QJsonValue bytes = object.value(key + QStringLiteral("Bytes")); bytes.isString())
        return paths::decodeName(QByteArray::fromBase64(bytes.toString().toLatin1()));
    return object.value(key).toString();
}

QByteArray lineOf(const Entry &entry)
{
    QJsonObject object;
    object.insert(QStringLiteral("id"), entry.id);
    object.insert(QStringLiteral("time"), TimeText(entry.time));
    object.insert(QStringLiteral("verb"), entry.verb);
    putName(object, QStringLiteral("folder"), entry.folder);
    QJsonArray items;
    QJsonArray itemBytes;
    bool raw = false;
    for (const QString &item : entry.items) {
        raw = raw || paths::hasRawBytes(item);
        items.append(paths::hasRawBytes(item) ? paths::displayName(item) : item);
        itemBytes.append(QString::fromLatin1(paths::encodeName(item).toBase64()));
    }
    object.insert(QStringLiteral("items"), items);
    if (raw)
        object.insert(QStringLiteral("itemsBytes"), itemBytes);
    if (std::any_of(entry.titles.cbegin(), entry.titles.cend(),
                    [](const QString &title) { return !title.isEmpty(); })) {
        QJsonArray titles;
        for (qsizetype i = 0; i < entry.items.size(); ++i)
            titles.append(paths::displayName(entry.titles.value(i)));
        object.insert(QStringLiteral("titles"), titles);
    }
    if (!entry.newName.isEmpty())
        putName(object, QStringLiteral("newName"), entry.newName);
    QJsonArray files;
    for (const FileRecord &file : entry.files) {
        QJsonObject record;
        putName(record, QStringLiteral("from"), file.from);
        if (file.to.isEmpty())
            record.insert(QStringLiteral("to"), QJsonValue::Null);
        else
            putName(record, QStringLiteral("to"), file.to);
        if (file.permanent)
            record.insert(QStringLiteral("permanent"), true);
        if (file.inTrash()) {
            putName(record, QStringLiteral("trash"), file.trash.trashFolder);
            putName(record, QStringLiteral("trashName"), file.trash.name);
            record.insert(QStringLiteral("deleted"), file.trash.deletionDate);
        }
        files.append(record);
    }
    object.insert(QStringLiteral("files"), files);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

Entry entryOf(const QJsonObject &object)
{
    Entry entry;
    entry.id = object.value(QStringLiteral("id")).toInteger();
    entry.time =
        QDateTime::fromString(object.value(QStringLiteral("time")).toString(), Qt::ISODate);
    entry.verb = object.value(QStringLiteral("verb")).toString();
    entry.folder = takeName(object, QStringLiteral("folder"));
    const QJsonArray items = object.value(QStringLiteral("items")).toArray();
    const QJsonArray itemBytes = object.value(QStringLiteral("itemsBytes")).toArray();
    for (qsizetype i = 0; i < items.size(); ++i) {
        entry.items << (i < itemBytes.size() ? paths::decodeName(QByteArray::fromBase64(
                                                   itemBytes.at(i).toString().toLatin1()))
                                             : items.at(i).toString());
    }
    for (const QJsonValue &title : object.value(QStringLiteral("titles")).toArray())
        entry.titles << title.toString();
    entry.newName = takeName(object, QStringLiteral("newName"));
    for (const QJsonValue &value : object.value(QStringLiteral("files")).toArray()) {
        const QJsonObject record = value.toObject();
        FileRecord file;
        file.from = takeName(record, QStringLiteral("from"));
        file.to = takeName(record, QStringLiteral("to"));
        file.permanent = record.value(QStringLiteral("permanent")).toBool();
        file.trash.original = file.from;
        file.trash.trashFolder = takeName(record, QStringLiteral("trash"));
        file.trash.name = takeName(record, QStringLiteral("trashName"));
        file.trash.deletionDate = record.value(QStringLiteral("deleted")).toString();
        entry.files << file;
    }
    return entry;
}

// One line of the journal as read: an operation, or the note that one was undone.
struct Line {
    QByteArray bytes; // with its line end
    qint64 id = 0;    // the operation's id, or the id undone
    bool undoneNote = false;
    QJsonObject object;
};

QList<Line> linesOf(const QByteArray &journal)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < journal.size()) {
        qsizetype end = journal.indexOf('\n', start);
        end = end < 0 ? journal.size() : end + 1;
        Line line;
        line.bytes = journal.mid(start, end - start);
        start = end;
        const QJsonDocument doc = QJsonDocument::fromJson(line.bytes);
        if (!doc.isObject())
            continue;
        line.object = doc.object();
        line.undoneNote = line.object.contains(QStringLiteral("undone"));
        line.id =
            line.object.value(line.undoneNote ? QStringLiteral("undone") : QStringLiteral("id"))
                .toInteger();
        if (line.id > 0)
            lines << line;
    }
    return lines;
}

// Reads the journal; a missing one is empty.
bool readJournal(QByteArray &bytes, UserText *error)
{
    bytes.clear();
    const QString path = JournalPath();
    QString reason;
    if (readRegularFile(path, kMaxReadBytes, bytes, reason))
        return true;
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return true;
    if (error)
        *error = UserText::translate("hv::History", "The history %1 cannot be read: %2")
                     .arg(paths::displayName(path), reason);
    return false;
}

// Runs `change` holding the journal's lock; false with `error` when the lock file cannot be
// made.
template <typename Change> bool underLock(UserText *error, Change change)
{
    // The history names the user's files: its folder is the user's alone.
    const QString folder = historyFolder();
    QDir().mkpath(paths::userStateFolder());
    ::mkdir(paths::encodeName(folder).constData(), 0700);
    if (!paths::isFolder(folder)) {
        if (error)
            *error = UserText::translate("hv::History", "The folder %1 cannot be made.")
                         .arg(paths::displayName(folder));
        return false;
    }
    const QString lockPath = folder + QStringLiteral("/history.lock");
    const int fd = ::open(paths::encodeName(lockPath).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        if (error)
            *error = UserText::translate("hv::History", "The lock %1 cannot be opened: %2")
                         .arg(paths::displayName(lockPath), systemError());
        return false;
    }
    bool done = false;
    {
        DescriptorLock lock(fd);
        done = change();
    }
    ::close(fd);
    return done;
}

// Appends `line` (ending with a line end) to the journal, after a line end when the last
// line was cut short.
bool appendLine(const QByteArray &journal, QByteArray line, UserText *error)
{
    if (!journal.isEmpty() && !journal.endsWith('\n'))
        line.prepend('\n');
    const QString path = JournalPath();
    const int fd = ::open(paths::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    qsizetype written = -1;
    if (fd >= 0) {
        written = ::write(fd, line.constData(), size_t(line.size()));
        if (::close(fd) != 0)
            written = -1;
    }
    if (written == line.size())
        return true;
    if (error)
        *error = UserText::translate("hv::History", "The history %1 cannot be written: %2")
                     .arg(paths::displayName(path), systemError());
    return false;
}

// Rewrites the journal with the newest operations of `lines` and `line` (a new operation's)
// that fit within the limits, with the notes of those undone.
bool rewriteTrimmed(const QList<Line> &lines, const QByteArray &line, UserText *error)
{
    QSet<qint64> kept;
    QHash<qint64, qint64> notes; // the size of the notes of each operation undone
    qint64 size = line.size();
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (it->undoneNote) {
            notes[it->id] += it->bytes.size() + 1;
            continue;
        }
        const qint64 withNotes = it->bytes.size() + 1 + notes.value(it->id);
        if (int(kept.size()) + 1 >= kMaxEntries || size + withNotes > kMaxBytes)
            break;
        kept.insert(it->id);
        size += withNotes;
    }
    QByteArray journal;
    for (const Line &old : lines) {
        if (kept.contains(old.id)) {
            journal += old.bytes;
            if (!journal.endsWith('\n'))
                journal += '\n';
        }
    }
    journal += line;
    QString reason;
    if (saveWhole(JournalPath(), journal, &reason))
        return true;
    if (error)
        *error = UserText::translate("hv::History", "The history %1 cannot be written: %2")
                     .arg(paths::displayName(JournalPath()), reason);
    return false;
}

void logFailure(const QString &error)
{
    WriteLog(QStringLiteral("History"), QStringLiteral("Record"), error);
}

QString folderOf(const QString &path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// The record of a file just sent to the trash from `path`.
FileRecord trashedRecord(const QString &path)
{
    FileRecord file;
    file.from = path;
    if (std::optional<trash::TrashedFile> found = trash::FindNewest(path))
        file.trash = *found;
    else
        logFailure(QStringLiteral("The trash record of %1 was not found; it cannot be undone.")
                       .arg(paths::displayName(path)));
    file.trash.original = path;
    return file;
}

thread_local Batch *currentBatch = nullptr;

void append(Entry &entry)
{
    UserText error;
    if (!Append(entry, &error))
        logFailure(error.english);
}

// Adds `entry` to the batch of this thread, or appends it when there is none.
void gather(Entry &entry)
{
    Batch *batch = currentBatch;
    if (!batch) {
        append(entry);
        return;
    }
    Entry &whole = batch->entry();
    if (whole.verb.isEmpty()) {
        whole.verb = entry.verb;
        whole.folder = entry.folder;
        whole.newName = entry.newName;
    }
    // Titles stay by the index of their items.
    if (!entry.titles.isEmpty()) {
        whole.titles.resize(whole.items.size());
        whole.titles += entry.titles.mid(0, entry.items.size());
    }
    whole.items += entry.items;
    whole.files += entry.files;
}

} // namespace

Batch::Batch() : m_outer(currentBatch)
{
    currentBatch = this;
}

Batch::~Batch()
{
    currentBatch = m_outer;
    if (!m_entry.files.isEmpty())
        gather(m_entry);
}

bool Entry::undoable() const
{
    return !files.isEmpty() && std::none_of(files.cbegin(), files.cend(),
                                            [](const FileRecord &f) { return f.permanent; });
}

QString Entry::itemName(qsizetype index) const
{
    if (const QString title = titles.value(index); !title.isEmpty())
        return title;
    return paths::displayName(fileset::BaseNameOf(items.value(index)));
}

QString Entry::caption() const
{
    return captionText().english;
}

UserText Entry::captionText() const
{
    const bool clear = verb == u"clear";
    if (items.size() != 1 && (clear || verb == u"delete")) {
        fileset::ItemKind kind =
            items.isEmpty() ? fileset::ItemKind::Unknown : fileset::ItemKindOf(items.first());
        for (const QString &item : items) {
            if (fileset::ItemKindOf(item) != kind)
                kind = fileset::ItemKind::Unknown;
        }
        const int n = int(items.size());
        const char *source = nullptr;
        switch (kind) {
        case fileset::ItemKind::Application:
            source = clear ? QT_TRANSLATE_N_NOOP("hv::History", "Clear %n applications")
                           : QT_TRANSLATE_N_NOOP("hv::History", "Delete %n applications");
            break;
        case fileset::ItemKind::Popup:
            source = clear ? QT_TRANSLATE_N_NOOP("hv::History", "Clear %n popups")
                           : QT_TRANSLATE_N_NOOP("hv::History", "Delete %n popups");
            break;
        case fileset::ItemKind::Directory:
            source = clear ? QT_TRANSLATE_N_NOOP("hv::History", "Clear %n directory files")
                           : QT_TRANSLATE_N_NOOP("hv::History", "Delete %n directory files");
            break;
        case fileset::ItemKind::Unknown:
            source = clear ? QT_TRANSLATE_N_NOOP("hv::History", "Clear %n items")
                           : QT_TRANSLATE_N_NOOP("hv::History", "Delete %n items");
            break;
        }
        return UserText::translate("hv::History", source, n);
    }
    if (verb == u"clear" && items.size() == 1)
        return UserText::translate("hv::History", "Clear %1").arg(itemName(0));
    if (verb == u"delete" && items.size() == 1)
        return UserText::translate("hv::History", "Delete %1").arg(itemName(0));
    // A rename is of the files: it names them by their base names.
    if (verb == u"rename" && !items.isEmpty())
        return UserText::translate("hv::History", "Rename %1 to %2")
            .arg(paths::displayName(fileset::BaseNameOf(items.constFirst())),
                 paths::displayName(newName));
    // A verb of a later version, said as recorded.
    const QString doing = verb.isEmpty() ? QString() : verb.at(0).toUpper() + verb.mid(1);
    if (items.size() != 1)
        return doing + QStringLiteral(" %1 items").arg(items.size());
    return doing + u' ' + itemName(0);
}

QString JournalPath()
{
    return historyFolder() + QStringLiteral("/history.jsonl");
}

QString TimeText(const QDateTime &time)
{
    return log::isoTimeText(time, false);
}

QList<Entry> Entries(UserText *error)
{
    QByteArray journal;
    if (!readJournal(journal, error))
        return {};
    QList<Entry> entries;
    QSet<qint64> undone;
    for (const Line &line : linesOf(journal)) {
        if (line.undoneNote)
            undone.insert(line.id);
        else
            entries << entryOf(line.object);
    }
    for (Entry &entry : entries)
        entry.undone = undone.contains(entry.id);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.id > b.id; });
    return entries;
}

std::optional<Entry> Find(qint64 id, UserText *error)
{
    for (Entry &entry : Entries(error)) {
        if (entry.id == id)
            return std::move(entry);
    }
    return std::nullopt;
}

std::optional<Entry> NewestNotUndone(UserText *error)
{
    for (Entry &entry : Entries(error)) {
        if (!entry.undone)
            return std::move(entry);
    }
    return std::nullopt;
}

bool Append(Entry &entry, UserText *error)
{
    if (!entry.time.isValid())
        entry.time = QDateTime::currentDateTime();
    return underLock(error, [&] {
        QByteArray journal;
        if (!readJournal(journal, error))
            return false;
        const QList<Line> lines = linesOf(journal);
        qint64 newest = 0;
        int operations = 0;
        for (const Line &line : lines) {
            newest = std::max(newest, line.id);
            operations += line.undoneNote ? 0 : 1;
        }
        entry.id = newest + 1;
        const QByteArray line = lineOf(entry);
        if (operations + 1 > kMaxEntries || journal.size() + line.size() + 1 > kMaxBytes)
            return rewriteTrimmed(lines, line, error);
        return appendLine(journal, line, error);
    });
}

bool MarkUndone(qint64 id, UserText *error)
{
    QJsonObject note;
    note.insert(QStringLiteral("undone"), id);
    note.insert(QStringLiteral("time"), TimeText(QDateTime::currentDateTime()));
    const QByteArray line = QJsonDocument(note).toJson(QJsonDocument::Compact) + '\n';
    return underLock(error, [&] {
        QByteArray journal;
        if (!readJournal(journal, error))
            return false;
        if (journal.size() + line.size() + 1 > kMaxBytes)
            return rewriteTrimmed(linesOf(journal), line, error);
        return appendLine(journal, line, error);
    });
}

void RecordRemoval(const QString &verb, const QString &itemPath, const ItemOpResult &result,
                   const QString &title)
{
    Entry entry;
    entry.verb = verb;
    entry.folder = folderOf(itemPath);
    entry.items << fileNameOf(itemPath);
    if (!title.isEmpty())
        entry.titles << title;
    for (const QString &path : result.touched) {
        if (result.deletedOutright.contains(path)) {
            FileRecord file;
            file.from = path;
            file.permanent = true;
            entry.files << file;
        } else if (result.trashed.contains(path)) {
            entry.files << trashedRecord(path);
        }
    }
    if (!entry.files.isEmpty())
        gather(entry);
}

void RecordRename(const QString &folder, const QString &fileName, const QString &newName,
                  const RenameResult &result)
{
    Entry entry;
    entry.verb = QStringLiteral("rename");
    entry.folder = folder;
    entry.items << fileName;
    entry.newName = newName;
    for (const auto &[from, to] : result.renamed) {
        FileRecord file;
        file.from = from;
        file.to = to;
        entry.files << file;
    }
    for (const QString &stray : result.strayTrashed)
        entry.files << trashedRecord(stray);
    if (!entry.files.isEmpty())
        gather(entry);
}

} // namespace hv::history
