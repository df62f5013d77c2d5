#include "ui/support/JobProgressView.h"

#include "app/Jobs.h"
#include "platform/FileNames.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

#include <limits>

namespace hv {

namespace {

// The bar's width in average characters.
constexpr int kBarWidthChars = 16;

QString withoutTrailingSeparator(QString path)
{
    if (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

JobProgressView::JobProgressView(QWidget *parent)
    : QWidget(parent), m_label(new QLabel(this)), m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("jobProgress"));
    m_label->setObjectName(QStringLiteral("lblJobProgress"));
    m_bar->setObjectName(QStringLiteral("barJobProgress"));
    m_bar->setAccessibleName(tr("Progress"));
    m_bar->setTextVisible(false);
    m_bar->setMaximumWidth(fontMetrics().averageCharWidth() * kBarWidthChars);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    hide();
}

void JobProgressView::watch(Job *job, const QString &what)
{
    if (m_job)
        m_job->disconnect(this);
    m_job = job;
    m_what = what;
    hide();
    if (!job)
        return;
    connect(job, &Job::progress, this,
            [this](qint64 done, qint64 total, const QString &) { showProgress(done, total); });
    connect(job, &Job::notAnswering, this, &JobProgressView::showNotAnswering);
    connect(job, &Job::finished, this, &JobProgressView::onFinished);
}

QString JobProgressView::text() const
{
    return m_label->text();
}

void JobProgressView::showProgress(qint64 done, qint64 total)
{
    m_label->setText(m_what);
    if (total <= 0) {
        m_bar->setRange(0, 0); // busy: the amount is not known
    } else {
        // The bar counts in an int: large counts are scaled down.
        const qint64 scale = total / std::numeric_limits<int>::max() + 1;
        m_bar->setRange(0, int(total / scale));
        m_bar->setValue(int(std::min(done, total) / scale));
    }
    m_bar->show();
    show();
}

void JobProgressView::showNotAnswering()
{
    if (!m_job)
        return;
    m_label->setText(tr("The folder %1 is not answering.")
                         .arg(paths::displayName(withoutTrailingSeparator(m_job->folder()))));
    m_bar->setRange(0, 0);
    show();
}

void JobProgressView::onFinished()
{
    m_job = nullptr;
    m_label->clear();
    hide();
}

} // namespace hv
