// Shows how a background job is getting on: hidden while the job is young, then what it is
// doing with a progress bar (a busy bar while its total is unknown), and, when its folder has
// stopped answering, says so. Hand it any job; the latest job handed to it is the one shown.
//
//     auto *view = new JobProgressView(statusBar);
//     statusBar->addWidget(view);
//     view->watch(job, tr("Deleting %1").arg(title));
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace hv {

class Job;

class JobProgressView : public QWidget {
    Q_OBJECT
public:
    explicit JobProgressView(QWidget *parent = nullptr);

    // Follows `job` from now until it finishes; `what` says what it does. The view shows once
    // the job reports progress (JobTimings::progressAfterMs into it) and hides at its end.
    void watch(Job *job, const QString &what);

    // What the view says ("Deleting Forklift", "The folder /mnt/plant is not answering.").
    QString text() const;
    QProgressBar *progressBar() const { return m_bar; }

private:
    void showProgress(qint64 done, qint64 total);
    void showNotAnswering();
    void onFinished();

    QLabel *m_label;
    QProgressBar *m_bar;
    QPointer<Job> m_job;
    QString m_what;
};

} // namespace hv
