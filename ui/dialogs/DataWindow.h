// The data window: the records of an application's or popup's data file, read-only, beside
// the main window (not modal; several may be open). A filter box, a toggle that shows the
// deleted records too (greyed), sorting by a click on a column's header, copying of the
// selected cells (tab-separated), an export of the rows shown as CSV, and a status line with
// the live records and the header's count and date. When the file changes while shown, a bar
// says so and offers to read it again.
#pragma once

#include "app/DataTableModel.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QProgressDialog;
class QPushButton;
class QTableView;
class QTimer;

namespace hv {

class Job;

class DataWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the data file `path` of the item titled `title`.
    DataWindow(const QString &title, const QString &path, QWidget *parent = nullptr);
    ~DataWindow() override;

    DataTableModel *model() const { return m_model; }
    QTableView *view() const { return m_view; }
    QLineEdit *filterBox() const { return m_filter; }
    QCheckBox *deletedToggle() const { return m_deleted; }
    QPushButton *exportButton() const { return m_export; }
    QLabel *statusLabel() const { return m_status; }
    // The bar that tells of a changed file or a table that cannot be shown.
    QWidget *noticeBar() const { return m_notice; }

    // Copies the selected cells to the clipboard: at once when their records are read
    // already, otherwise by a job with a progress window that can cancel it (the clipboard
    // then keeps what it held). A selection whose text would be too large is refused.
    void copySelection();
    // Writes the rows shown to `target` as CSV, with a progress window that can cancel it.
    void exportTo(const QString &target);

Q_SIGNALS:
    // An export came to its end; `ok` when the file was written.
    void exportFinished(bool ok);
    // A copy came to its end; `ok` when its text is on the clipboard.
    void copyFinished(bool ok);

private:
    // A progress window with Cancel for `job`, shown once the job has run for half a second;
    // the caller closes it when the job has finished.
    QProgressDialog *showProgressOf(Job *job, const QString &name, const QString &title,
                                    const QString &text);
    void chooseExportFile();
    void updateStatus();
    void updateNotice();
    void finishCopy(const DataTableModel::CopyOutcome &outcome);

    QString m_path;
    DataTableModel *m_model;
    QTableView *m_view;
    QLineEdit *m_filter;
    QCheckBox *m_deleted;
    QPushButton *m_export;
    QWidget *m_notice;
    QLabel *m_noticeText;
    QPushButton *m_reload;
    QLabel *m_status;
    QProgressBar *m_progress;
    QTimer *m_filterDelay;
    QPointer<Job> m_copyJob;
};

} // namespace hv
