// The per-user history of clears, deletes and renames, from the console and from hvadmin-cli
// alike, from which an operation can be undone (ops/Undo.h).
//
// The history is a journal in the user's state folder ($XDG_STATE_HOME/hvadmin/history.jsonl):
// one JSON object per line, appended by every process that runs an operation. Each
// operation's line is
//
//     {"id":7,"time":"2026-12-08T11:32:07+00:00","verb":"rename","folder":"/p/",
//      "items":["LINE4.HVT"],"titles":["Line 4"],"newName":"LINE5",
//      "files":[{"from":"/p/LINE4.HVT","to":"/p/LINE5.HVT"},
//               {"from":"/p/LINE5.HVD","to":null,"trash":"/home/u/.local/share/Trash",
//                "trashName":"LINE5.HVD","deleted":"2026-12-08T11:32:07"},
//               {"from":"/p/LINE5.HVM","to":null,"permanent":true}]}
//
// "titles" (left out when none has one) holds the items' template titles, by the index of
// "items", empty for an item without one; a file sent to the trash carries the trash folder, its
// name there and the DeletionDate= of its trash record (ops/TrashInfo.h); a file deleted
// permanently cannot come back. An undo appends {"undone":7,"time":"..."}. Names are bytes: a path
// or name holding bytes that are not UTF-8 is written in its display form with the exact bytes
// beside it in base64, under the same key with "Bytes" added ("fromBytes", "itemsBytes", ...).
//
// Writers take an exclusive flock on history.lock beside the journal, so that several
// processes appending at once lose no line and never share an id. The journal keeps the last
// 200 operations within 8 MiB: a write past either is a rewrite of the newest ones through a
// save file, under the same lock. Readers need no lock: a line is appended with one write and
// a rewrite replaces the file by a rename; a line that does not read (one cut short) is
// passed over.
//
// Recording never makes an operation fail: a history that cannot be written is logged and
// the operation's result stands.
#pragma once

#include "log/UserText.h"
#include "ops/TrashInfo.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace hv {

struct ItemOpResult;
struct RenameResult;

namespace history {

constexpr int kMaxEntries = 200;
constexpr qint64 kMaxBytes = 8 * 1024 * 1024;

// Where one file of an operation was and where it went.
struct FileRecord {
    QString from;             // its path before the operation
    QString to;               // its path after a rename; empty when it left the folder
    bool permanent = false;   // deleted permanently: it cannot come back
    trash::TrashedFile trash; // for a file sent to the trash: its place there

    bool inTrash() const { return to.isEmpty() && !permanent; }
};

// One operation of the history.
struct Entry {
    qint64 id = 0;
    QDateTime time;     // when it was recorded, with the local offset
    QString verb;       // "clear", "delete" or "rename"
    QString folder;     // the project folder, ending with a separator
    QStringList items;  // the file names of the items it worked on
    QStringList titles; // their titles, by the index of items; empty where none (or fewer)
    QString newName;    // a rename's new base name
    QList<FileRecord> files;
    bool undone = false;

    // False when a file was deleted permanently (or none was touched).
    bool undoable() const;
    // What the operation was, for a menu item, naming an item by its title where it has one:
    // "Delete Forklift", "Clear LINE4", "Rename LINE4 to LINE5", "Delete 3 applications"
    // ("popups", "directory files", or "items" of several kinds).
    QString caption() const;
    // The same in English and in the user's language.
    UserText captionText() const;
    // The title of item `index`, else its file name without the extension.
    QString itemName(qsizetype index) const;
};

// The journal's path.
QString JournalPath();

// `time` in ISO 8601 to the second with its offset from UTC: "2026-12-08T11:32:07+00:00".
QString TimeText(const QDateTime &time);

// Every operation of the history, newest first. An unreadable journal gives an empty list
// with `error` set (in English for the log and as the user reads it); a missing one gives an
// empty list.
QList<Entry> Entries(UserText *error = nullptr);

// The operation `id`; nullopt when the history holds none.
std::optional<Entry> Find(qint64 id, UserText *error = nullptr);

// The newest operation not yet undone; nullopt when there is none.
std::optional<Entry> NewestNotUndone(UserText *error = nullptr);

// Appends `entry` as a new operation, setting its id (one more than the newest) and, when it
// has none, its time. False with `error` when the journal could not be written.
bool Append(Entry &entry, UserText *error = nullptr);

// Records that operation `id` has been undone.
bool MarkUndone(qint64 id, UserText *error = nullptr);

// Record a clear or delete ("clear", "delete") of the item at `itemPath` (of template title
// `title`, if any), and a rename of `fileName` in `folder` to `newName`, from what their
// results say took effect; nothing is recorded when nothing was touched. A failure to write
// is logged, never reported.
void RecordRemoval(const QString &verb, const QString &itemPath, const ItemOpResult &result,
                   const QString &title = {});
void RecordRename(const QString &folder, const QString &fileName, const QString &newName,
                  const RenameResult &result);

// While a batch lives, the operations recorded on its thread gather into one entry of the
// history, appended when the batch ends: an operation on several items is undone at once.
// Batches nest; the outermost one appends.
class Batch {
public:
    Batch();
    ~Batch();
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;

    // What has gathered so far.
    Entry &entry() { return m_entry; }

private:
    Entry m_entry;
    Batch *m_outer = nullptr;
};

} // namespace history
} // namespace hv
