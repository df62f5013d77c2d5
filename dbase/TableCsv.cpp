#include "dbase/TableCsv.h"

#include "dbase/DbaseError.h"

#include "platform/FileNames.h"
#include "platform/SaveFile.h"

#include <QSaveFile>

#include <algorithm>
#include <span>

namespace hv::csv {
namespace {

constexpr qsizetype kFlushBytes = 1 << 20;
constexpr size_t kExportChunk = 4096; // records read at once for an export

void endRow(QByteArray &out)
{
    out.append("\r\n");
}

} // namespace

QString changedWhileReading(const QString &path)
{
    return QStringLiteral("Cannot read '%1': the table changed while it was read").arg(path);
}

void appendField(QByteArray &out, QStringView text)
{
    const bool quote =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!quote) {
        out.append(text.toUtf8());
        return;
    }
    out.append('"');
    out.append(text.toString().replace(u'"', QStringLiteral("\"\"")).toUtf8());
    out.append('"');
}

void appendHeader(QByteArray &out, const TableLayout &layout, bool deletedColumn)
{
    bool first = true;
    if (deletedColumn) {
        out.append("Deleted");
        first = false;
    }
    for (const TableColumn &column : layout.columns) {
        if (!first)
            out.append(',');
        first = false;
        appendField(out, column.name);
    }
    endRow(out);
}

void appendRecord(QByteArray &out, const TableLayout &layout, const char *record,
                  bool deletedColumn)
{
    if (deletedColumn)
        out.append(isDeletedRecord(record) ? "*," : ",");
    for (size_t c = 0; c < layout.columns.size(); ++c) {
        if (c > 0)
            out.append(',');
        appendField(out, fieldText(layout, record, int(c)));
    }
    endRow(out);
}

bool writeLiveRecords(const TableLayout &layout, const std::function<bool(QByteArrayView)> &sink)
{
    QByteArray out;
    appendHeader(out, layout, false);
    bool accepted = true;
    const RecordRead read = scanRecords(layout, 0, [&](qint64, const char *record) {
        if (!isDeletedRecord(record))
            appendRecord(out, layout, record, false);
        if (out.size() >= kFlushBytes) {
            accepted = sink(out);
            out.clear();
        }
        return accepted;
    });
    if (read == RecordRead::Changed)
        throw DbaseError(dbase_errors::kFileSystem, changedWhileReading(layout.path));
    return accepted && sink(out);
}

ExportOutcome exportRecords(const TableLayout &layout, const std::vector<quint32> &records,
                            bool deletedColumn, const QString &target,
                            const std::atomic<bool> &cancel,
                            const std::function<void(qint64, qint64)> &progress)
{
    ExportOutcome outcome;
    if (paths::hasRawBytes(target)) {
        outcome.error = QStringLiteral("the name holds bytes that are not UTF-8");
        return outcome;
    }
    if (isReadOnlyFile(target)) {
        outcome.error = QStringLiteral("the file is read-only");
        return outcome;
    }
    QSaveFile file(target);
    const auto failed = [&](const QString &error) {
        file.cancelWriting();
        outcome.error = error;
        return outcome;
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    QByteArray out;
    appendHeader(out, layout, deletedColumn);
    QByteArray bytes;
    const qint64 total = qint64(records.size());
    for (size_t at = 0; at < records.size(); at += kExportChunk) {
        if (cancel.load()) {
            file.cancelWriting();
            outcome.cancelled = true;
            return outcome;
        }
        const size_t count = std::min(kExportChunk, records.size() - at);
        try {
            if (readRecordList(layout, std::span(records).subspan(at, count), bytes) !=
                RecordRead::Done)
                return failed(changedWhileReading(layout.path));
        } catch (const DbaseError &e) {
            return failed(e.description());
        }
        for (size_t k = 0; k < count; ++k)
            appendRecord(out, layout, bytes.constData() + qint64(k) * layout.recordLength,
                         deletedColumn);
        if (file.write(out) != out.size())
            return failed(file.errorString());
        out.clear();
        if (progress)
            progress(qint64(at + count), total);
    }
    if (file.write(out) != out.size() || !file.flush())
        return failed(file.errorString());
    if (cancel.load()) {
        file.cancelWriting();
        outcome.cancelled = true;
        return outcome;
    }
    if (!file.commit()) {
        outcome.error = file.errorString();
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}

} // namespace hv::csv
