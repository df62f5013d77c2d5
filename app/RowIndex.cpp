#include "app/RowIndex.h"

#include "platform/Ansi.h"

#include <QByteArray>

#include <algorithm>
#include <limits>
#include <numeric>

namespace hv {
namespace {

QByteArrayView trimBlanks(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    return text.sliced(begin, end - begin);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isNumericType(char type)
{
    return type == 'N' || type == 'F';
}

double numberOf(QByteArrayView bytes)
{
    bool ok = false;
    const double value = trimBlanks(bytes).toByteArray().toDouble(&ok);
    return ok ? value : -std::numeric_limits<double>::infinity();
}

bool contains(const TableLayout &layout, const char *record, const QString &needle)
{
    for (size_t c = 0; c < layout.columns.size(); ++c) {
        if (fieldText(layout, record, int(c)).contains(needle, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

int naturalCompare(QByteArrayView a, QByteArrayView b)
{
    a = trimBlanks(a);
    b = trimBlanks(b);
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            while (i < a.size() && a[i] == '0')
                ++i;
            while (j < b.size() && b[j] == '0')
                ++j;
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && isDigit(a[endA]))
                ++endA;
            while (endB < b.size() && isDigit(b[endB]))
                ++endB;
            // The longer run of significant digits is the larger number.
            if (endA - i != endB - j)
                return endA - i < endB - j ? -1 : 1;
            for (; i < endA; ++i, ++j) {
                if (a[i] != b[j])
                    return a[i] < b[j] ? -1 : 1;
            }
            continue;
        }
        const uchar ca = ansi::upperByte(uchar(a[i]));
        const uchar cb = ansi::upperByte(uchar(b[j]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

RowIndex buildRowIndex(const TableLayout &layout, const RowIndexRequest &request,
                       const std::atomic<bool> *cancel,
                       const std::function<void(qint64, qint64)> &progress)
{
    RowIndex index;
    const bool sorting =
        request.sortColumn >= 0 && size_t(request.sortColumn) < layout.columns.size();
    const TableColumn *key = sorting ? &layout.columns[size_t(request.sortColumn)] : nullptr;
    const bool numeric = sorting && isNumericType(key->type);
    // The sort keys, side by side: a number per row, or the field's bytes per row.
    std::vector<double> numbers;
    QByteArray texts;
    if (request.filter.isEmpty())
        index.records.reserve(size_t(layout.records)); // at most one row a record
    index.outcome = scanRecords(
        layout, 0,
        [&](qint64 recordNo, const char *record) {
            if ((recordNo & 0xFFFF) == 0 && progress)
                progress(recordNo, layout.records);
            const bool deleted = isDeletedRecord(record);
            if (!deleted)
                ++index.liveRecords;
            if (deleted && !request.showDeleted)
                return true;
            if (!request.filter.isEmpty() && !contains(layout, record, request.filter))
                return true;
            index.records.push_back(quint32(recordNo));
            if (numeric)
                numbers.push_back(numberOf(fieldBytes(layout, record, request.sortColumn)));
            else if (sorting)
                texts.append(fieldBytes(layout, record, request.sortColumn));
            return true;
        },
        cancel);
    if (index.outcome != RecordRead::Done || !sorting)
        return index;

    std::vector<quint32> order(index.records.size());
    std::iota(order.begin(), order.end(), 0u);
    const qsizetype width = key->length;
    const auto compare = [&](quint32 x, quint32 y) {
        if (numeric)
            return numbers[x] < numbers[y] ? -1 : (numbers[y] < numbers[x] ? 1 : 0);
        return naturalCompare(QByteArrayView(texts.constData() + x * width, width),
                              QByteArrayView(texts.constData() + y * width, width));
    };
    std::stable_sort(order.begin(), order.end(), [&](quint32 x, quint32 y) {
        const int c = compare(x, y);
        return request.descending ? c > 0 : c < 0;
    });
    for (quint32 &position : order)
        position = index.records[position];
    index.records = std::move(order);
    if (progress)
        progress(layout.records, layout.records);
    return index;
}

} // namespace hv
