// The item list's fill, as a job: the window stays alive while a fill reads a folder, and a
// share that stops answering is reported instead of freezing the window.
//
// One fill at a time counts. Starting a fill cancels the one that runs and raises the
// generation number; a list that arrives from an older generation is dropped, so the list
// always shows the last category and folder asked for, however the fills finish. The
// settings categories read no files: their list arrives before start() returns.
#pragma once

#include "lists/CategoryListEngine.h"

#include <QObject>
#include <QPointer>

namespace hv {

class Job;

class ListFill : public QObject {
    Q_OBJECT
public:
    explicit ListFill(QObject *parent = nullptr);
    ~ListFill() override;

    // Fills `category` from `source`; filled() brings the list.
    void start(Category category, ListSource source);
    // Drops the running fill: its list never arrives.
    void cancel();
    bool isRunning() const { return !m_job.isNull(); }
    quint64 generation() const { return m_generation; }

Q_SIGNALS:
    // The list of the latest fill.
    void filled(const hv::CategoryList &list);
    // The files read so far of the files found, from half a second into a fill on.
    void progress(qsizetype read, qsizetype found);
    // The fill has got no further for a while: the folder is not answering.
    void notAnswering();
    // A fill began (true) or the last one ended or was cancelled (false).
    void runningChanged(bool running);

private:
    QPointer<Job> m_job;
    quint64 m_generation = 0;
};

} // namespace hv
