// The records of one data file as a read-only table model, for the data window.
//
// Nothing of the table is held but its layout, the row index (4 bytes a row shown) and a
// small cache of record blocks around the rows asked for. Every read runs as a job off the
// window's thread and opens the file only for that read, so the window never holds the file
// and never writes or locks it:
// - open() reads the header and the first records, so the first page shows at once, then
//   builds the row index in the background (rows are added when it is done);
// - a cell whose block is not read yet shows placeholderText() until the block arrives;
//   while a block is shown, the neighbour its shown rows are nearer to is read ahead, so
//   scrolling into the next block rarely waits for the file;
// - a filter, a sort or the deleted-records toggle builds a new index the same way, with
//   indexProgress(), and the rows change when it is done.
// When a read finds the file changed, shrunk or gone, the model stops reading (cells not yet
// read keep their placeholder, so no torn record is ever shown) and the state becomes
// Changed until reload(). The file is also looked at every few seconds for a change.
#pragma once

#include "app/Jobs.h"
#include "app/RowIndex.h"
#include "dbase/TableRecords.h"

#include <QAbstractTableModel>
#include <QItemSelection>
#include <QPointer>
#include <QTimer>

#include <list>
#include <optional>
#include <unordered_map>
#include <vector>

namespace hv {

class DataTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // True for a row whose record is deleted (once its block is read).
    static constexpr int DeletedRole = Qt::UserRole + 1;
    static constexpr int kBlockRows = 256;         // rows read at once
    static constexpr int kFirstRecords = 1024;     // records read before the index is built
    static constexpr qint64 kCacheBytes = 2 << 20; // at least 4 blocks are kept
    // A copy whose text would be longer is refused (characters, two bytes each: 64 MB).
    static constexpr qint64 kCopyLimitChars = qint64(32) << 20;

    enum class State { Closed, Opening, Ready, Failed, Changed };

    explicit DataTableModel(QObject *parent = nullptr);
    ~DataTableModel() override;

    // Shows the table at `path`; the state is Opening until its header and first records
    // are read, then Ready (or Failed, with errorText()).
    void open(const QString &path);
    // Opens the same file again, keeping the filter, sort and deleted-records choices.
    void reload();

    State state() const { return m_state; }
    // The table class's error ("0x80040201 - Invalid dBase File Type: ...") of a failed open.
    QString errorText() const { return m_error; }
    const TableLayout &layout() const { return m_layout; }
    // True while a row index is being built.
    bool isIndexing() const { return m_indexJob != nullptr; }
    // The live records of the whole table; -1 until the first index is built.
    qint64 liveRecords() const { return m_live; }

    bool showDeleted() const { return m_request.showDeleted; }
    void setShowDeleted(bool show);
    QString filterText() const { return m_request.filter; }
    void setFilterText(const QString &text);
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The record numbers (from 0) of the rows shown, in their order.
    const std::vector<quint32> &shownRecords() const { return m_rows; }
    // True when the row's block is read (its cells show their text).
    bool isRowLoaded(int row) const;

    // The selected cells as text: a line per row in the order shown, a tab between columns.
    struct CopyOutcome {
        enum class Status { Done, TooLarge, Changed, Cancelled, Failed };
        Status status = Status::Failed;
        QString text;
        QString error; // why the records could not be read (Failed)
    };
    // How a copy started: `ready` holds the outcome when it was there at once (every row's
    // block read already, nothing selected, or refused as too large); otherwise `job` reads
    // the records off the window's thread, a piece at a time with the file opened for each,
    // and its result is the outcome. A copy that finds the file changed marks it Changed.
    struct CopyStart {
        std::optional<CopyOutcome> ready;
        JobOf<CopyOutcome> *job = nullptr;
    };
    CopyStart copyCells(const QItemSelection &selection);
    qint64 copyLimit() const { return m_copyLimit; }
    void setCopyLimit(qint64 chars) { m_copyLimit = chars; }

    static QString placeholderText();
    // How often the file is looked at for a change, in milliseconds; 0: never.
    void setWatchInterval(int ms);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void stateChanged();
    void indexProgress(qint64 done, qint64 total);
    // A row index was built and the rows now follow it.
    void indexReady();
    // A block of rows was read; its cells changed.
    void blockLoaded();

private:
    struct Block {
        int rows = 0;
        QByteArray bytes;
    };

    void closeAll();
    void startIndex(bool extending);
    void requestBlock(int block) const;
    void readAhead(int row) const;
    void storeBlock(int block, Block data) const;
    const char *recordAt(int row) const;
    void markChanged();
    void checkForChange();
    QString jobFolder() const;

    QString m_path;
    TableLayout m_layout;
    State m_state = State::Closed;
    QString m_error;
    RowIndexRequest m_request;
    std::vector<quint32> m_rows;
    qint64 m_live = -1;
    quint64 m_generation = 0; // changes whenever the rows no longer mean what they did
    QPointer<Job> m_openJob;
    QPointer<Job> m_indexJob;
    QTimer m_watch;
    bool m_watchPending = false;

    mutable std::unordered_map<int, Block> m_cache;
    mutable std::list<int> m_recent;                    // most recently used first
    mutable std::unordered_map<int, quint64> m_pending; // block -> generation asked for
    mutable qint64 m_cachedBytes = 0;
    qint64 m_copyLimit = kCopyLimitChars;
};

} // namespace hv
