// Whether the user may change the files of the project folder. The answer is asked off the
// user-interface thread, as a job on the folder's file system: the folder may lie on a share
// that stopped answering, and nothing waits for it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

namespace hv {

class Job;

class FolderAccess : public QObject {
    Q_OBJECT
public:
    explicit FolderAccess(QObject *parent = nullptr);
    ~FolderAccess() override;

    // Asks about `folder`; the answer to an earlier question still waiting is dropped. A
    // new folder counts as writable until its answer comes.
    void check(const QString &folder);

    // The folder last asked about, and whether it was found read-only.
    const QString &folder() const { return m_folder; }
    bool isReadOnly() const { return m_readOnly; }
    // An answer is awaited.
    bool isChecking() const { return !m_job.isNull(); }

Q_SIGNALS:
    // The folder's access changed (or a new folder's differs from the last one's).
    void readOnlyChanged(bool readOnly);
    // The answer for folder() came (whether or not it changed anything).
    void checked();

private:
    void setReadOnly(bool readOnly);

    QString m_folder;
    bool m_readOnly = false;
    QPointer<Job> m_job;
};

} // namespace hv
