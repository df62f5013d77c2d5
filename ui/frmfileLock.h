// The file access error window (caption "File Access Error"): shown by the lock check before
// an application is opened when its data file is held by someone. It explains who holds the
// file, or why that cannot be told, and answers through AppState's FileLockCancelled:
// Continue (open anyway) and a Retry that finds the file released set it false, Cancel sets
// it true. Closing the window any other way (Escape, the title bar) counts as Cancel.
#pragma once

#include "ops/LockCheck.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace hv {

class frmfileLock : public QDialog {
    Q_OBJECT
public:
    // `createService` and `network` serve Retry.
    frmfileLock(QWidget *owner, FileLockServiceFactory createService, NetworkPaths network);

    // The data file's path as the lock check received it; Retry asks about it again.
    QString Filename;

    // Shows an explanation: the message, the list's visibility, columns and rows, and the
    // window's height.
    void showLockResult(const LockCheckResult &result);

    QGroupBox *Frame1() const { return m_frame; }
    QLabel *lblMessage() const { return m_lblMessage; }
    QTreeWidget *lstUsers() const { return m_lstUsers; }
    QPushButton *cmdContinue() const { return m_cmdContinue; }
    QPushButton *cmdRetry() const { return m_cmdRetry; }
    QPushButton *cmdCancel() const { return m_cmdCancel; }

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cmdContinue_Click();
    void cmdRetry_Click();
    void cmdCancel_Click();

    FileLockServiceFactory m_createService;
    NetworkPaths m_network;
    QGroupBox *m_frame;
    QLabel *m_lblMessage;
    QTreeWidget *m_lstUsers;
    QPushButton *m_cmdContinue;
    QPushButton *m_cmdRetry;
    QPushButton *m_cmdCancel;
};

// The check before an application is opened: asks the file-lock service about the data file
// at `path` and, when someone holds it, shows the file access error window over `owner`.
// True when the application may be opened: nobody holds the file, the user chose Continue (or
// a Retry found it released), or the check itself failed. False when the user cancelled.
bool isFileLocked(const QString &path, QWidget *owner,
                  const FileLockServiceFactory &createService = defaultFileLockServiceFactory(),
                  const NetworkPaths &network = NetworkPaths());

} // namespace hv
