#include "ui/mainwindow/BackgroundFill.h"

#include "app/Jobs.h"

#include <memory>

namespace hv {

namespace {

bool readsFiles(Category category)
{
    return category == Category::Applications || category == Category::Popups ||
           category == Category::Directories;
}

} // namespace

ListFill::ListFill(QObject *parent) : QObject(parent) {}

ListFill::~ListFill()
{
    if (m_job)
        m_job->cancel();
}

void ListFill::start(Category category, ListSource source)
{
    const bool wasRunning = isRunning();
    if (m_job) {
        m_job->disconnect(this);
        m_job->cancel();
        m_job = nullptr;
    }
    const quint64 generation = ++m_generation;
    if (!readsFiles(category)) {
        if (wasRunning)
            Q_EMIT runningChanged(false);
        Q_EMIT filled(LoadCategory(category, source));
        return;
    }

    auto *job = startJob<CategoryList>(
        source.projectFolder, [category, source](JobControl &control) mutable {
            auto counts = std::make_shared<ListProgress>();
            control.setProgressProbe([counts] {
                return std::pair<qint64, qint64>(counts->read.load(), counts->found.load());
            });
            source.progress = counts.get();
            // A new folder or category cancels the fill: it stops reading files.
            source.cancelled = &control.cancelledFlag();
            return LoadCategory(category, source);
        });
    m_job = job;
    connect(job, &Job::progress, this,
            [this](qint64 done, qint64 total, const QString &) { Q_EMIT progress(done, total); });
    connect(job, &Job::notAnswering, this, &ListFill::notAnswering);
    connect(job, &Job::finished, this, [this, job, generation] {
        if (generation != m_generation)
            return;
        m_job = nullptr;
        Q_EMIT runningChanged(false);
        if (!job->isCancelled())
            Q_EMIT filled(job->result());
    });
    if (!wasRunning)
        Q_EMIT runningChanged(true);
}

void ListFill::cancel()
{
    if (!m_job)
        return;
    m_job->disconnect(this);
    m_job->cancel();
    m_job = nullptr;
    ++m_generation;
    Q_EMIT runningChanged(false);
}

} // namespace hv
