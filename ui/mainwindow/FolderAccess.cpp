#include "ui/mainwindow/FolderAccess.h"

#include "app/Jobs.h"
#include "platform/FileNames.h"

namespace hv {

FolderAccess::FolderAccess(QObject *parent) : QObject(parent) {}

FolderAccess::~FolderAccess()
{
    if (m_job)
        m_job->cancel();
}

void FolderAccess::check(const QString &folder)
{
    if (m_job) {
        m_job->disconnect(this);
        m_job->cancel();
    }
    if (folder != m_folder) {
        m_folder = folder;
        setReadOnly(false);
    }
    if (folder.isEmpty())
        return;
    auto *job = startJob<bool>(folder, [folder](JobControl &control) {
        return !control.isCancelled() && paths::isFolder(folder) && !paths::mayWriteIn(folder);
    });
    m_job = job;
    connect(job, &Job::finished, this, [this, job, folder] {
        m_job = nullptr;
        if (job->isCancelled() || folder != m_folder)
            return;
        setReadOnly(job->result());
        Q_EMIT checked();
    });
}

void FolderAccess::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    Q_EMIT readOnlyChanged(readOnly);
}

} // namespace hv
