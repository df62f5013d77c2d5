#include "ui/dialogs/DataWindow.h"

#include "ui/dialogs/FileDialogs.h"

#include "app/DataTableModel.h"
#include "app/Jobs.h"
#include "app/MessageService.h"
#include "dbase/TableCsv.h"
#include "platform/FileNames.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace hv {
namespace {

constexpr int kFilterDelayMs = 300;

// Shows the cells of deleted records in the disabled text colour.
class DeletedRecordDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(DataTableModel::DeletedRole).toBool())
            option->palette.setColor(QPalette::Text,
                                     option->palette.color(QPalette::Disabled, QPalette::Text));
    }
};

} // namespace

DataWindow::DataWindow(const QString &title, const QString &path, QWidget *parent)
    : QWidget(parent, Qt::Window), m_path(path), m_model(new DataTableModel(this)),
      m_view(new QTableView(this)), m_filter(new QLineEdit(this)),
      m_deleted(new QCheckBox(tr("Show &deleted records"), this)),
      m_export(new QPushButton(tr("&Export CSV…"), this)), m_notice(new QWidget(this)),
      m_noticeText(new QLabel(m_notice)), m_reload(new QPushButton(tr("&Reload"), m_notice)),
      m_status(new QLabel(this)), m_progress(new QProgressBar(this)),
      m_filterDelay(new QTimer(this))
{
    setObjectName(QStringLiteral("DataWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    const auto showTitle = [this, title](const QString &file) {
        setWindowTitle(tr("%1 - %2").arg(title, paths::displayName(QFileInfo(file).fileName())));
    };
    showTitle(path);
    resize(760, 480);

    m_filter->setObjectName(QStringLiteral("txtFilter"));
    m_filter->setPlaceholderText(tr("Filter"));
    m_filter->setAccessibleName(tr("Filter"));
    m_deleted->setObjectName(QStringLiteral("chkDeleted"));
    m_export->setObjectName(QStringLiteral("cmdExport"));
    m_reload->setObjectName(QStringLiteral("cmdReload"));
    m_noticeText->setWordWrap(true);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setAccessibleName(tr("Status"));
    m_progress->setObjectName(QStringLiteral("prgIndex"));
    m_progress->setAccessibleName(tr("Progress"));
    m_progress->setMaximumWidth(160);
    m_progress->setVisible(false);

    m_view->setObjectName(QStringLiteral("tblData"));
    m_view->setAccessibleName(tr("Records"));
    m_view->setModel(m_model);
    m_view->setItemDelegate(new DeletedRecordDelegate(m_view));
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setSortIndicatorClearable(true);
    m_view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_view->setSortingEnabled(true);
    auto *copy = new QAction(tr("&Copy"), m_view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &DataWindow::copySelection);
    m_view->addAction(copy);
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto *top = new QHBoxLayout;
    top->addWidget(m_filter, 1);
    top->addWidget(m_deleted);
    top->addWidget(m_export);
    auto *noticeLayout = new QHBoxLayout(m_notice);
    noticeLayout->setContentsMargins(0, 0, 0, 0);
    noticeLayout->addWidget(m_noticeText, 1);
    noticeLayout->addWidget(m_reload);
    m_notice->setVisible(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_progress);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_notice);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);

    m_filterDelay->setSingleShot(true);
    m_filterDelay->setInterval(kFilterDelayMs);
    connect(m_filterDelay, &QTimer::timeout, this,
            [this] { m_model->setFilterText(m_filter->text()); });
    connect(m_filter, &QLineEdit::textChanged, m_filterDelay, qOverload<>(&QTimer::start));
    connect(m_deleted, &QCheckBox::toggled, m_model, &DataTableModel::setShowDeleted);
    connect(m_export, &QPushButton::clicked, this, &DataWindow::chooseExportFile);
    connect(m_reload, &QPushButton::clicked, m_model, &DataTableModel::reload);
    connect(m_model, &DataTableModel::stateChanged, this, [this, showTitle] {
        if (!m_model->layout().path.isEmpty())
            showTitle(m_model->layout().path); // the name as found on disk
        updateNotice();
        updateStatus();
    });
    connect(m_model, &DataTableModel::indexReady, this, &DataWindow::updateStatus);
    connect(m_model, &DataTableModel::indexProgress, this, [this](qint64 done, qint64 total) {
        m_progress->setRange(0, 1000);
        m_progress->setValue(total > 0 ? int(done * 1000 / total) : 0);
        updateStatus();
    });

    m_model->open(path);
    updateStatus();
}

void DataWindow::updateNotice()
{
    switch (m_model->state()) {
    case DataTableModel::State::Changed:
        m_noticeText->setText(tr("The data file has changed since it was read. Reload it to "
                                 "see the records as they are now."));
        m_reload->setVisible(true);
        m_notice->setVisible(true);
        break;
    case DataTableModel::State::Failed:
        m_noticeText->setText(tr("The data file cannot be shown: %1").arg(m_model->errorText()));
        m_reload->setVisible(true);
        m_notice->setVisible(true);
        break;
    default:
        m_notice->setVisible(false);
        break;
    }
}

void DataWindow::updateStatus()
{
    const QLocale locale;
    const bool indexing = m_model->isIndexing();
    m_progress->setVisible(indexing);
    const bool shown = m_model->state() == DataTableModel::State::Ready ||
                       m_model->state() == DataTableModel::State::Changed;
    m_export->setEnabled(m_model->state() == DataTableModel::State::Ready && !indexing);
    if (m_model->state() == DataTableModel::State::Opening) {
        m_status->setText(tr("Reading…"));
        return;
    }
    if (!shown) {
        m_status->setText(m_model->errorText());
        return;
    }
    const TableLayout &layout = m_model->layout();
    const qint64 count = m_model->liveRecords();
    const QString live = count < 0    ? tr("counting live records…")
                         : count == 1 ? tr("1 live record")
                                      : tr("%1 live records").arg(count);
    QString text = tr("%1; the header counts %2, last updated %3")
                       .arg(live)
                       .arg(layout.headerCount)
                       .arg(layout.lastUpdate.isValid()
                                ? locale.toString(layout.lastUpdate, QLocale::ShortFormat)
                                : tr("(no date)"));
    if (!m_model->filterText().isEmpty() && !indexing)
        text += m_model->rowCount() == 1
                    ? tr("; 1 row matches the filter")
                    : tr("; %1 rows match the filter").arg(m_model->rowCount());
    if (indexing)
        text += tr("; building the row index…");
    m_status->setText(text);
}

DataWindow::~DataWindow()
{
    if (m_copyJob)
        m_copyJob->cancel();
}

QProgressDialog *DataWindow::showProgressOf(Job *job, const QString &name, const QString &title,
                                            const QString &text)
{
    auto *progress = new QProgressDialog(text, tr("Cancel"), 0, 1000, this);
    progress->setObjectName(name);
    progress->setWindowTitle(title);
    progress->setWindowModality(Qt::WindowModal);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    progress->setMinimumDuration(500); // a short job shows no window
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    QPointer<Job> running(job);
    connect(progress, &QProgressDialog::canceled, this, [running] {
        if (running)
            running->cancel();
    });
    connect(job, &Job::progress, progress, [progress](qint64 done, qint64 total, const QString &) {
        progress->setValue(total > 0 ? int(done * 1000 / total) : 0);
    });
    return progress;
}

void DataWindow::copySelection()
{
    if (m_copyJob)
        m_copyJob->cancel(); // the newest copy takes its place
    DataTableModel::CopyStart start = m_model->copyCells(m_view->selectionModel()->selection());
    if (start.ready) {
        finishCopy(*start.ready);
        return;
    }
    auto *job = start.job;
    m_copyJob = job;
    QProgressDialog *progress = showProgressOf(job, QStringLiteral("dlgCopyProgress"), tr("Copy"),
                                               tr("Copying the records…"));
    QPointer<QProgressDialog> dialog(progress);
    connect(job, &Job::finished, this, [this, job, dialog] {
        if (dialog)
            dialog->close();
        if (job != m_copyJob)
            return; // a newer copy took its place
        m_copyJob = nullptr;
        DataTableModel::CopyOutcome outcome = job->result();
        if (job->isCancelled())
            outcome.status = DataTableModel::CopyOutcome::Status::Cancelled;
        else if (outcome.status == DataTableModel::CopyOutcome::Status::Failed &&
                 outcome.error.isEmpty())
            outcome.error = job->errorString();
        finishCopy(outcome);
    });
}

void DataWindow::finishCopy(const DataTableModel::CopyOutcome &outcome)
{
    using Status = DataTableModel::CopyOutcome::Status;
    switch (outcome.status) {
    case Status::Done:
        if (!outcome.text.isEmpty())
            QGuiApplication::clipboard()->setText(outcome.text);
        break;
    case Status::TooLarge:
        ShowMessage(tr("The selection is too large to copy: its text would take more than %1 MB. "
                       "Export CSV writes any number of records to a file.")
                        .arg(std::max<qint64>(1, m_model->copyLimit() * 2 >> 20)),
                    tr("Copy"), MsgButtons::Ok, MsgIcon::Exclamation);
        break;
    case Status::Changed:
        ShowMessage(tr("The records could not be copied: the data file has changed since it "
                       "was read."),
                    tr("Copy"), MsgButtons::Ok, MsgIcon::Exclamation);
        break;
    case Status::Failed:
        ShowMessage(tr("The records could not be copied."), tr("Copy"), MsgButtons::Ok,
                    MsgIcon::Exclamation, outcome.error);
        break;
    case Status::Cancelled:
        break;
    }
    Q_EMIT copyFinished(outcome.status == Status::Done);
}

void DataWindow::chooseExportFile()
{
    const QFileInfo data(m_path);
    const SaveDialogResult chosen =
        ShowSave(this, data.completeBaseName() + QStringLiteral(".csv"),
                 UserText::translate("hv::DataWindow", "Export CSV"), data.absolutePath(),
                 tr("CSV file (*.csv)|*.csv"), QStringLiteral("csv"), true);
    if (!chosen.cancelled && !chosen.fileNames.isEmpty())
        exportTo(chosen.fileNames.front());
}

void DataWindow::exportTo(const QString &target)
{
    const TableLayout layout = m_model->layout();
    const std::vector<quint32> records = m_model->shownRecords();
    const bool deletedColumn = m_model->showDeleted();
    auto *job =
        startJob<csv::ExportOutcome>(QFileInfo(target).absolutePath(), [=](JobControl &control) {
            return csv::exportRecords(
                layout, records, deletedColumn, target, control.cancelledFlag(),
                [&](qint64 done, qint64 total) { control.progress(done, total); });
        });
    QProgressDialog *progress = showProgressOf(job, QStringLiteral("dlgExportProgress"),
                                               tr("Export CSV"), tr("Exporting the records…"));
    m_export->setEnabled(false);
    QPointer<QProgressDialog> dialog(progress);
    connect(job, &Job::finished, this, [this, job, dialog] {
        const csv::ExportOutcome outcome = job->result();
        if (dialog)
            dialog->close();
        updateStatus();
        if (!outcome.ok && !outcome.cancelled && !job->isCancelled())
            ShowMessage(tr("The records could not be exported."), tr("Export CSV"), MsgButtons::Ok,
                        MsgIcon::Exclamation,
                        outcome.error.isEmpty() ? job->errorString() : outcome.error);
        Q_EMIT exportFinished(outcome.ok);
    });
}

} // namespace hv
