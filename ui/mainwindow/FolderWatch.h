// Watches the project folder for items that come, go or change, so the list can follow
// without F5. On a local file system the kernel tells (QFileSystemWatcher), and changed() comes
// once the folder has been quiet for a moment. A network or FUSE mount may be changed by
// other computers, which the kernel never hears of: there the folder's names and its own
// modification time are read every few seconds, one reading at a time, as a job, and
// changed() comes when they differ from the reading before.
//
// A folder that disappears is reported by missingChanged(true); it is then read every few
// seconds until it is back (missingChanged(false), then changed()).
#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <optional>

class QFileSystemWatcher;
class QTimer;

namespace hv {

class Job;

class FolderWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMs = 300;
    static constexpr int kPollMs = 3000;

    explicit FolderWatch(QObject *parent = nullptr);
    ~FolderWatch() override;

    // Watches `folder` (empty: none). The folder watched already changes nothing.
    void setFolder(const QString &folder);
    const QString &folder() const { return m_folder; }
    // The folder is read at intervals instead of being told about (known once the folder's
    // mount has been looked up, shortly after setFolder()).
    bool isPolling() const { return m_polling; }
    // Changes are told or read from now on: a watcher is set, or the folder has been read once
    // to compare the next readings with (a change before that first reading goes unseen).
    bool isWatching() const { return m_watcher || (m_polling && m_last.has_value()); }
    bool isMissing() const { return m_missing; }

Q_SIGNALS:
    void changed();
    void missingChanged(bool missing);

private:
    struct Reading {
        bool exists = false;
        QDateTime modified;
        QStringList names; // sorted
        bool operator==(const Reading &) const = default;
    };
    static Reading read(const QString &folder);
    struct Placement {
        QString path; // the folder with its links followed
        bool local = false;
    };

    void watchLocally();
    void startPolling();
    void onNotified();
    void onQuiet();
    void poll();
    void onReading(const Reading &reading);
    void setMissing(bool missing);

    QString m_folder;
    QString m_path; // where the folder is, its links followed
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_quiet;
    QTimer *m_poll;
    QPointer<Job> m_pollJob;
    std::optional<Reading> m_last;
    bool m_local = false;
    bool m_polling = false;
    bool m_missing = false;
};

} // namespace hv
