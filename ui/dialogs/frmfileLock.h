// The file access error window (caption "File Access Error"): shown by the lock check before
// an application is opened when its data file is held by someone. It explains who holds the
// file, or why that cannot be told, and answers through exec(): Continue (open anyway)
// accepts, Cancel rejects, and so does closing the window any other way (Escape, the title
// bar). Retry asks the check again (retryRequested) and is disabled until the answer comes:
// either fileReleased(), which accepts, or a new explanation through showLockResult().
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
    // Explains `result` about the data file at `path`.
    frmfileLock(QWidget *owner, const QString &path, const LockCheckResult &result);

    // The data file's path as the lock check received it; Retry asks about it again.
    const QString Filename;

    // Shows an explanation: the message, the list's visibility, columns and rows, and the
    // window's height.
    void showLockResult(const LockCheckResult &result);
    // The answer to Retry when the file has been released: closes the window as Continue.
    void fileReleased();

    QGroupBox *Frame1() const { return m_frame; }
    QLabel *lblMessage() const { return m_lblMessage; }
    QTreeWidget *lstUsers() const { return m_lstUsers; }
    QPushButton *cmdContinue() const { return m_cmdContinue; }
    QPushButton *cmdRetry() const { return m_cmdRetry; }
    QPushButton *cmdCancel() const { return m_cmdCancel; }

    void reject() override;

Q_SIGNALS:
    // Retry: the check is to be asked again about Filename.
    void retryRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cmdContinue_Click();
    void cmdRetry_Click();
    void cmdCancel_Click();

    QGroupBox *m_frame;
    QLabel *m_lblMessage;
    QTreeWidget *m_lstUsers;
    QPushButton *m_cmdContinue;
    QPushButton *m_cmdRetry;
    QPushButton *m_cmdCancel;
};

} // namespace hv
