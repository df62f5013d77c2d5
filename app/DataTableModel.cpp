#include "app/DataTableModel.h"

#include "app/Jobs.h"
#include "dbase/DbaseError.h"

#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <span>

namespace hv {
namespace {

// What the open reads: the layout and, when no filter or sort is asked for, the rows of the
// first records with their bytes.
struct Opened {
    TableLayout layout;
    QString error;
    std::vector<quint32> rows;
    QByteArray bytes;
    bool changed = false;
};

struct BlockRead {
    QByteArray bytes;
    RecordRead outcome = RecordRead::Changed;
};

constexpr int kMinCachedBlocks = 4;
constexpr int kWatchMs = 2000;

} // namespace

DataTableModel::DataTableModel(QObject *parent) : QAbstractTableModel(parent)
{
    m_watch.setInterval(kWatchMs);
    connect(&m_watch, &QTimer::timeout, this, &DataTableModel::checkForChange);
}

DataTableModel::~DataTableModel()
{
    closeAll();
}

QString DataTableModel::placeholderText()
{
    return tr("…");
}

void DataTableModel::setWatchInterval(int ms)
{
    m_watch.stop();
    if (ms > 0) {
        m_watch.setInterval(ms);
        if (m_state == State::Ready)
            m_watch.start();
    }
}

QString DataTableModel::jobFolder() const
{
    return QFileInfo(m_path).absolutePath();
}

void DataTableModel::closeAll()
{
    if (m_openJob)
        m_openJob->cancel();
    if (m_indexJob)
        m_indexJob->cancel();
    m_openJob = nullptr;
    m_indexJob = nullptr;
    m_rows.clear();
    m_live = -1;
    ++m_generation;
    m_cache.clear();
    m_recent.clear();
    m_pending.clear();
    m_cachedBytes = 0;
    m_layout = TableLayout();
    m_error.clear();
}

void DataTableModel::reload()
{
    open(m_path);
}

void DataTableModel::open(const QString &path)
{
    beginResetModel();
    closeAll();
    m_path = path;
    m_state = State::Opening;
    endResetModel();
    Q_EMIT stateChanged();

    const RowIndexRequest request = m_request;
    const bool quickStart = request.filter.isEmpty() && request.sortColumn < 0;
    auto *job = startJob<Opened>(jobFolder(), [path, request, quickStart](JobControl &) {
        Opened opened;
        try {
            opened.layout = readTableLayout(path);
            if (quickStart) {
                qint64 seen = 0;
                const RecordRead read =
                    scanRecords(opened.layout, 0, [&](qint64 recordNo, const char *record) {
                        if (request.showDeleted || !isDeletedRecord(record)) {
                            opened.rows.push_back(quint32(recordNo));
                            opened.bytes.append(record, opened.layout.recordLength);
                        }
                        return ++seen < kFirstRecords;
                    });
                opened.changed = read == RecordRead::Changed;
            }
        } catch (const DbaseError &e) {
            opened.error = e.text();
        }
        return opened;
    });
    m_openJob = job;
    connect(job, &Job::finished, this, [this, job, quickStart] {
        if (job != m_openJob)
            return; // another open took its place
        m_openJob = nullptr;
        const Opened &opened = job->result();
        if (job->isCancelled())
            return;
        if (!opened.error.isEmpty() || !job->errorString().isEmpty()) {
            m_state = State::Failed;
            m_error = opened.error.isEmpty() ? job->errorString() : opened.error;
            Q_EMIT stateChanged();
            return;
        }
        beginResetModel();
        m_layout = opened.layout;
        if (m_request.sortColumn >= columnCount())
            m_request.sortColumn = -1;
        m_rows = opened.rows;
        ++m_generation;
        const qint64 length = m_layout.recordLength;
        for (int first = 0; first < int(m_rows.size()); first += kBlockRows) {
            const int rows = std::min<int>(kBlockRows, int(m_rows.size()) - first);
            storeBlock(first / kBlockRows,
                       Block{rows, opened.bytes.mid(first * length, rows * length)});
        }
        m_state = opened.changed ? State::Changed : State::Ready;
        endResetModel();
        Q_EMIT stateChanged();
        if (m_state == State::Ready) {
            if (m_watch.interval() > 0)
                m_watch.start();
            startIndex(quickStart);
        }
    });
}

void DataTableModel::startIndex(bool extending)
{
    if (m_indexJob)
        m_indexJob->cancel();
    const TableLayout layout = m_layout;
    const RowIndexRequest request = m_request;
    auto *job = startJob<RowIndex>(jobFolder(), [layout, request](JobControl &control) {
        try {
            return buildRowIndex(
                layout, request, &control.cancelledFlag(),
                [&control](qint64 done, qint64 total) { control.progress(done, total); });
        } catch (const DbaseError &) {
            RowIndex gone; // the file cannot be opened any more
            gone.outcome = RecordRead::Changed;
            return gone;
        }
    });
    m_indexJob = job;
    connect(job, &Job::progress, this, [this, job](qint64 done, qint64 total, const QString &) {
        if (job == m_indexJob)
            Q_EMIT indexProgress(done, total);
    });
    connect(job, &Job::finished, this, [this, job, extending] {
        if (job != m_indexJob)
            return; // a newer index took its place
        m_indexJob = nullptr;
        if (job->isCancelled())
            return;
        // The job is done with its result and deletes itself next: take it without a copy.
        RowIndex index = std::move(const_cast<RowIndex &>(job->result()));
        if (index.outcome != RecordRead::Done) {
            markChanged();
            return;
        }
        m_live = index.liveRecords;
        std::vector<quint32> &rows = index.records;
        if (rows.size() > size_t(INT_MAX))
            rows.resize(size_t(INT_MAX));
        // The first rows shown since the open stay where they are when the index only adds.
        const bool adds = extending && rows.size() >= m_rows.size() &&
                          std::equal(m_rows.begin(), m_rows.end(), rows.begin());
        if (adds) {
            if (rows.size() > m_rows.size()) {
                beginInsertRows({}, int(m_rows.size()), int(rows.size()) - 1);
                m_rows = std::move(rows);
                endInsertRows();
            }
        } else {
            beginResetModel();
            m_rows = std::move(rows);
            ++m_generation;
            m_cache.clear();
            m_recent.clear();
            m_pending.clear();
            m_cachedBytes = 0;
            endResetModel();
        }
        Q_EMIT indexReady();
    });
}

void DataTableModel::setShowDeleted(bool show)
{
    if (m_request.showDeleted == show)
        return;
    m_request.showDeleted = show;
    if (m_state == State::Ready)
        startIndex(false);
}

void DataTableModel::setFilterText(const QString &text)
{
    if (m_request.filter == text)
        return;
    m_request.filter = text;
    if (m_state == State::Ready)
        startIndex(false);
}

void DataTableModel::sort(int column, Qt::SortOrder order)
{
    RowIndexRequest request = m_request;
    // Before the header is read there are no columns to check against: the column is kept and
    // checked once they are known.
    const bool known = m_state != State::Opening;
    request.sortColumn = column >= 0 && (!known || column < columnCount()) ? column : -1;
    request.descending = order == Qt::DescendingOrder;
    if (request == m_request)
        return;
    m_request = request;
    if (m_state == State::Ready)
        startIndex(false);
}

void DataTableModel::markChanged()
{
    if (m_state != State::Ready)
        return;
    m_state = State::Changed;
    m_watch.stop();
    Q_EMIT stateChanged();
}

void DataTableModel::checkForChange()
{
    if (m_state != State::Ready || m_watchPending)
        return;
    m_watchPending = true;
    const QString path = m_layout.path;
    const FileStamp stamp = m_layout.stamp;
    const quint64 generation = m_generation;
    auto *job = startJob<bool>(jobFolder(), [path, stamp](JobControl &) {
        FileStamp now;
        return readFileStamp(path, now) && now == stamp;
    });
    connect(job, &Job::finished, this, [this, job, generation] {
        m_watchPending = false;
        if (!job->isCancelled() && !job->result() && generation == m_generation)
            markChanged();
    });
}

int DataTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int DataTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_layout.columns.size());
}

const char *DataTableModel::recordAt(int row) const
{
    const int block = row / kBlockRows;
    const auto found = m_cache.find(block);
    if (found == m_cache.end() || row % kBlockRows >= found->second.rows)
        return nullptr;
    if (m_recent.front() != block) {
        m_recent.remove(block);
        m_recent.push_front(block);
    }
    return found->second.bytes.constData() + qint64(row % kBlockRows) * m_layout.recordLength;
}

bool DataTableModel::isRowLoaded(int row) const
{
    return row >= 0 && row < rowCount() && recordAt(row) != nullptr;
}

void DataTableModel::storeBlock(int block, Block data) const
{
    if (const auto old = m_cache.find(block); old != m_cache.end()) {
        m_cachedBytes -= old->second.bytes.size();
        m_recent.remove(block);
    }
    m_cachedBytes += data.bytes.size();
    m_cache[block] = std::move(data);
    m_recent.push_front(block);
    while (m_cachedBytes > kCacheBytes && int(m_recent.size()) > kMinCachedBlocks) {
        const int oldest = m_recent.back();
        m_recent.pop_back();
        m_cachedBytes -= m_cache[oldest].bytes.size();
        m_cache.erase(oldest);
    }
}

void DataTableModel::requestBlock(int block) const
{
    if (m_state != State::Ready || m_pending.count(block))
        return;
    const int first = block * kBlockRows;
    const int rows = std::min<int>(kBlockRows, rowCount() - first);
    if (rows <= 0)
        return;
    const std::vector<quint32> records(m_rows.begin() + first, m_rows.begin() + first + rows);
    const quint64 generation = m_generation;
    m_pending[block] = generation;
    auto *self = const_cast<DataTableModel *>(this);
    auto *job = startJob<BlockRead>(jobFolder(), [layout = m_layout, records](JobControl &) {
        BlockRead read;
        try {
            read.outcome = readRecordList(layout, records, read.bytes);
        } catch (const DbaseError &) {
            read.outcome = RecordRead::Changed; // gone, or no longer readable
        }
        return read;
    });
    connect(job, &Job::finished, self, [self, job, block, first, rows, generation] {
        if (generation != self->m_generation)
            return; // the rows mean other records now
        self->m_pending.erase(block);
        if (job->isCancelled())
            return;
        if (job->result().outcome != RecordRead::Done) {
            self->markChanged();
            return;
        }
        self->storeBlock(block, Block{rows, job->result().bytes});
        Q_EMIT self->dataChanged(self->index(first, 0),
                                 self->index(first + rows - 1, self->columnCount() - 1),
                                 {Qt::DisplayRole, DeletedRole});
        Q_EMIT self->blockLoaded();
    });
}

void DataTableModel::readAhead(int row) const
{
    // The second half of a block leads into the next one, the first half into the previous.
    const int block = row / kBlockRows;
    const int next = row % kBlockRows < kBlockRows / 2 ? block - 1 : block + 1;
    if (next >= 0 && !m_cache.count(next))
        requestBlock(next);
}

QVariant DataTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case DeletedRole: {
        const char *record = recordAt(index.row());
        if (!record) {
            if (role == DeletedRole)
                return false;
            requestBlock(index.row() / kBlockRows);
            return placeholderText();
        }
        if (role == DeletedRole)
            return isDeletedRecord(record);
        readAhead(index.row());
        return fieldText(m_layout, record, index.column());
    }
    case Qt::TextAlignmentRole: {
        const char type = m_layout.columns[size_t(index.column())].type;
        if (type == 'N' || type == 'F')
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    }
    default:
        return {};
    }
}

QVariant DataTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < rowCount())
            return qint64(m_rows[size_t(section)]) + 1; // the record number
        return {};
    }
    if (section < 0 || section >= columnCount())
        return {};
    const TableColumn &column = m_layout.columns[size_t(section)];
    if (role == Qt::DisplayRole)
        return column.name;
    if (role == Qt::ToolTipRole)
        return tr("Type %1, length %2, %3 decimals")
            .arg(QChar::fromLatin1(column.type))
            .arg(column.length)
            .arg(column.decimals);
    return {};
}

namespace {

// Rows of a copy that share their columns.
struct CopySegment {
    int rows = 0;
    std::vector<int> columns; // in the table's order
};

// A copy of more selected rows is made by a job even when their blocks are all read.
constexpr qint64 kInstantCopyRows = 4 * DataTableModel::kBlockRows;
// Records read at once by a copy's job (about a megabyte), the file opened for each piece.
constexpr qint64 kCopyPieceBytes = 1 << 20;

// Appends a row's cells; false once the text is longer than `limit`.
bool appendRow(QString &text, const TableLayout &layout, const char *record,
               const std::vector<int> &columns, qint64 limit)
{
    for (size_t c = 0; c < columns.size(); ++c) {
        if (c > 0)
            text.append(u'\t');
        text.append(fieldText(layout, record, columns[c]));
    }
    text.append(u'\n');
    return text.size() <= limit;
}

DataTableModel::CopyOutcome copyRecords(const TableLayout &layout,
                                        const std::vector<quint32> &records,
                                        const std::vector<CopySegment> &segments, qint64 limit,
                                        JobControl &control)
{
    using Status = DataTableModel::CopyOutcome::Status;
    DataTableModel::CopyOutcome outcome;
    const size_t perPiece =
        size_t(std::max<qint64>(1, kCopyPieceBytes / std::max<qint64>(1, layout.recordLength)));
    size_t segment = 0;
    int inSegment = 0;
    QByteArray bytes;
    for (size_t first = 0; first < records.size(); first += perPiece) {
        if (control.isCancelled()) {
            outcome.status = Status::Cancelled;
            return outcome;
        }
        const size_t count = std::min(perPiece, records.size() - first);
        try {
            if (readRecordList(layout, std::span(records).subspan(first, count), bytes) !=
                RecordRead::Done) {
                outcome.status = Status::Changed;
                return outcome;
            }
        } catch (const DbaseError &e) {
            outcome.error = e.text();
            return outcome;
        }
        for (size_t k = 0; k < count; ++k, ++inSegment) {
            while (inSegment >= segments[segment].rows) {
                ++segment;
                inSegment = 0;
            }
            const char *record = bytes.constData() + qint64(k) * layout.recordLength;
            if (!appendRow(outcome.text, layout, record, segments[segment].columns, limit)) {
                outcome.text = QString();
                outcome.status = Status::TooLarge;
                return outcome;
            }
        }
        control.progress(qint64(first + count), qint64(records.size()));
    }
    outcome.status = Status::Done;
    return outcome;
}

} // namespace

DataTableModel::CopyStart DataTableModel::copyCells(const QItemSelection &selection)
{
    using Status = CopyOutcome::Status;
    // The rows where the selection starts or stops cut the rows into segments whose cells
    // share their columns, so the copy never holds an entry per cell.
    std::vector<int> bounds;
    for (const QItemSelectionRange &range : selection) {
        if (range.isValid() && range.model() == this) {
            bounds.push_back(std::clamp(range.top(), 0, rowCount()));
            bounds.push_back(std::clamp(range.bottom() + 1, 0, rowCount()));
        }
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    std::vector<int> firstRows;
    std::vector<CopySegment> segments;
    qint64 rows = 0;
    qint64 leastChars = 0; // a tab or a line end per cell
    std::vector<char> marked(static_cast<size_t>(columnCount()));
    for (size_t b = 0; b + 1 < bounds.size(); ++b) {
        std::fill(marked.begin(), marked.end(), 0);
        for (const QItemSelectionRange &range : selection) {
            if (range.isValid() && range.model() == this && range.top() <= bounds[b] &&
                range.bottom() >= bounds[b + 1] - 1) {
                for (int c = std::max(0, range.left());
                     c <= std::min(columnCount() - 1, range.right()); ++c)
                    marked[size_t(c)] = 1;
            }
        }
        CopySegment segment{bounds[b + 1] - bounds[b], {}};
        for (int c = 0; c < columnCount(); ++c) {
            if (marked[size_t(c)])
                segment.columns.push_back(c);
        }
        if (segment.columns.empty())
            continue;
        rows += segment.rows;
        leastChars += qint64(segment.rows) * qint64(segment.columns.size());
        firstRows.push_back(bounds[b]);
        segments.push_back(std::move(segment));
    }

    CopyStart start;
    if (leastChars > m_copyLimit) {
        start.ready = CopyOutcome{Status::TooLarge, {}, {}};
        return start;
    }
    // Rows that are all read already are copied at once.
    if (rows <= kInstantCopyRows) {
        CopyOutcome outcome{Status::Done, {}, {}};
        bool read = true;
        for (size_t s = 0; s < segments.size() && read; ++s) {
            for (int row = firstRows[s]; row < firstRows[s] + segments[s].rows && read; ++row)
                read = recordAt(row) != nullptr;
        }
        for (size_t s = 0; s < segments.size() && read; ++s) {
            for (int row = firstRows[s]; row < firstRows[s] + segments[s].rows; ++row) {
                if (!appendRow(outcome.text, m_layout, recordAt(row), segments[s].columns,
                               m_copyLimit)) {
                    start.ready = CopyOutcome{Status::TooLarge, {}, {}};
                    return start;
                }
            }
        }
        if (read) {
            start.ready = std::move(outcome);
            return start;
        }
    }

    std::vector<quint32> records;
    records.reserve(size_t(rows));
    for (size_t s = 0; s < segments.size(); ++s) {
        const auto from = m_rows.begin() + firstRows[s];
        records.insert(records.end(), from, from + segments[s].rows);
    }
    auto *job = startJob<CopyOutcome>(jobFolder(), [layout = m_layout, records = std::move(records),
                                                    segments = std::move(segments),
                                                    limit = m_copyLimit](JobControl &control) {
        return copyRecords(layout, records, segments, limit, control);
    });
    const quint64 generation = m_generation;
    connect(job, &Job::finished, this, [this, job, generation] {
        if (job->result().status == Status::Changed && generation == m_generation)
            markChanged();
    });
    start.job = job;
    return start;
}

} // namespace hv
