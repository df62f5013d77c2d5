#include "dbase/TableArray.h"

#include "platform/Ansi.h"

#include <QChar>

#include <array>
#include <cstring>
#include <stdexcept>

namespace hv {
namespace {

constexpr uint64_t kMaxPoolOffset = (uint64_t(1) << 40) - 1;
constexpr int64_t kMaxCellBytes = (int64_t(1) << 23) - 2;

// The case-folded character of each Windows-1252 byte, so that comparing two byte cells
// needs no decoding.
struct FoldTable {
    std::array<char16_t, 256> folded;
    FoldTable()
    {
        for (int b = 0; b < 256; ++b)
            folded[size_t(b)] = QChar::toCaseFolded(ansi::toChar(uchar(b)));
    }
};

const std::array<char16_t, 256> &foldTable()
{
    static const FoldTable table;
    return table.folded;
}

int sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

// True when every character of `text` has its own Windows-1252 byte.
bool fitsCodePage(QStringView text)
{
    for (QChar ch : text) {
        if (ansi::fromChar(ch.unicode()) == '?' && ch != u'?')
            return false;
    }
    return true;
}

int compareLengths(int64_t a, int64_t b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

int CompareKeys(const DbValue &a, const DbValue &b, int sortOrder)
{
    const QString keyA = a.value_or(QString());
    const QString keyB = b.value_or(QString());
    if (sortOrder == 0)
        return sign(QString::compare(keyA, keyB, Qt::CaseInsensitive));
    const qsizetype common = qMin(keyA.size(), keyB.size());
    for (qsizetype i = 0; i < common; ++i) {
        const int diff = int(QChar::toCaseFolded(keyB[i].unicode())) -
                         int(QChar::toCaseFolded(keyA[i].unicode()));
        if (diff != 0)
            return sign(diff);
    }
    return compareLengths(keyA.size(), keyB.size());
}

TableArray::TableArray(int columns, int rows, int columnLower, int rowLower)
    : m_isArray(true), m_columns(qMax(columns, 0)), m_rows(qMax(rows, 0)),
      m_columnLower(columnLower), m_rowLower(rowLower)
{
    m_stride = m_columns;
    m_cells.assign(size_t(m_columns) * size_t(m_rows), CellRef{0, 0, 0});
}

TableArray::Place TableArray::placeOf(int column, int row) const
{
    const int64_t c = int64_t(column) - m_columnLower;
    const int64_t r = int64_t(row) - m_rowLower;
    if (!m_isArray || c < 0 || c >= m_columns || r < 0 || r >= m_rows)
        throw std::out_of_range("table array index out of range");
    const int32_t slot = m_slots.empty() ? int32_t(c) : m_slots[size_t(c)];
    return Place{r, slot, int(c)};
}

TableArray::CellRef TableArray::refAt(int column, int row) const
{
    const Place place = placeOf(column, row);
    if (place.slot < 0)
        return m_constants[size_t(place.column)];
    if (!m_fixed)
        return m_cells[size_t(place.row) * size_t(m_stride) + size_t(place.slot)];
    const ByteRange &range = m_fixedSlots[size_t(place.slot)];
    CellRef ref;
    ref.offset =
        uint64_t(m_rowPlaces[size_t(place.row)]) * uint64_t(m_rowBytes) + uint64_t(range.offset);
    ref.wide = 0;
    ref.lengthPlusOne = uint64_t(range.length) + 1;
    return ref;
}

TableArray::CellRef &TableArray::storedRef(int column, int row)
{
    Place place = placeOf(column, row);
    if (m_fixed || place.slot < 0) {
        storeEveryColumn();
        place = placeOf(column, row);
    }
    return m_cells[size_t(place.row) * size_t(m_stride) + size_t(place.slot)];
}

void TableArray::storeEveryColumn()
{
    if (m_slots.empty() && !m_fixed)
        return;
    std::vector<CellRef> cells;
    cells.reserve(size_t(m_rows) * size_t(m_columns));
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c)
            cells.push_back(refAt(m_columnLower + c, m_rowLower + r));
    }
    m_cells = std::move(cells);
    m_slots.clear();
    m_constants.clear();
    m_stride = m_columns;
    m_fixed = false;
    m_fixedSlots.clear();
    m_rowPlaces = {};
}

TableArray::CellRef TableArray::store(QByteArrayView bytes, bool wide)
{
    if (bytes.size() > kMaxCellBytes)
        throw std::length_error("table array element too long");
    const uint64_t offset = uint64_t(m_pool.size());
    if (offset + uint64_t(bytes.size()) > kMaxPoolOffset)
        throw std::length_error("table array too large");
    m_pool.append(bytes.data(), bytes.size());
    CellRef ref;
    ref.offset = offset;
    ref.wide = wide ? 1 : 0;
    ref.lengthPlusOne = uint64_t(bytes.size()) + 1;
    return ref;
}

QString TableArray::decode(const CellRef &ref) const
{
    const qsizetype length = qsizetype(ref.lengthPlusOne) - 1;
    const char *data = m_pool.constData() + ref.offset;
    if (!ref.wide)
        return ansi::toText(QByteArrayView(data, length));
    QString text(length / 2, Qt::Uninitialized);
    std::memcpy(text.data(), data, size_t(length / 2) * 2);
    return text;
}

void TableArray::release(const CellRef &ref)
{
    if (ref.lengthPlusOne > 1)
        m_wasted += int64_t(ref.lengthPlusOne) - 1;
}

void TableArray::compactIfWasteful()
{
    if (m_wasted < (int64_t(1) << 20) || m_wasted * 2 < int64_t(m_pool.size()))
        return;
    QByteArray pool;
    pool.reserve(m_pool.size() - qsizetype(m_wasted));
    for (CellRef &ref : m_cells) {
        if (ref.lengthPlusOne == 0)
            continue;
        const qsizetype length = qsizetype(ref.lengthPlusOne) - 1;
        const uint64_t offset = uint64_t(pool.size());
        pool.append(m_pool.constData() + ref.offset, length);
        ref.offset = offset;
    }
    m_pool = pool;
    m_wasted = 0;
}

DbValue TableArray::Cell(int column, int row) const
{
    const CellRef ref = refAt(column, row);
    if (ref.lengthPlusOne == 0)
        return std::nullopt;
    return decode(ref);
}

bool TableArray::IsNothing(int column, int row) const
{
    return refAt(column, row).lengthPlusOne == 0;
}

QByteArray TableArray::CellBytes(int column, int row) const
{
    const CellRef ref = refAt(column, row);
    if (ref.lengthPlusOne == 0)
        return {};
    if (ref.wide)
        return ansi::fromText(decode(ref));
    return QByteArray(m_pool.constData() + ref.offset, qsizetype(ref.lengthPlusOne) - 1);
}

void TableArray::SetCell(int column, int row, const DbValue &value)
{
    CellRef ref{0, 0, 0};
    if (value) {
        if (fitsCodePage(*value)) {
            ref = store(ansi::fromText(*value), false);
        } else {
            ref = store(
                QByteArrayView(reinterpret_cast<const char *>(value->utf16()), value->size() * 2),
                true);
        }
    }
    CellRef &cell = storedRef(column, row);
    release(cell);
    cell = ref;
    compactIfWasteful();
}

void TableArray::SetCellBytes(int column, int row, QByteArrayView bytes)
{
    CellRef &cell = storedRef(column, row);
    const CellRef ref = store(bytes, false);
    release(cell);
    cell = ref;
    compactIfWasteful();
}

void TableArray::SwapRows(int rowA, int rowB)
{
    const Place a = placeOf(m_columnLower, rowA);
    const Place b = placeOf(m_columnLower, rowB);
    if (a.row == b.row || m_stride == 0)
        return;
    // Only the stored cells differ from row to row.
    if (m_fixed) {
        std::swap(m_rowPlaces[size_t(a.row)], m_rowPlaces[size_t(b.row)]);
        return;
    }
    CellRef *cellsA = &m_cells[size_t(a.row) * size_t(m_stride)];
    CellRef *cellsB = &m_cells[size_t(b.row) * size_t(m_stride)];
    std::swap_ranges(cellsA, cellsA + m_stride, cellsB);
}

int TableArray::CompareCells(int column, int rowA, int rowB, int sortOrder) const
{
    const CellRef a = refAt(column, rowA);
    const CellRef b = refAt(column, rowB);
    if (a.wide || b.wide)
        return CompareKeys(Cell(column, rowA), Cell(column, rowB), sortOrder);
    // Both are Windows-1252 bytes: compare the folded characters (the other way round for
    // an inverted comparison), then the lengths, as CompareKeys does.
    const auto &fold = foldTable();
    const int direction = sortOrder != 0 ? -1 : 1;
    const int64_t lengthA = a.lengthPlusOne == 0 ? 0 : int64_t(a.lengthPlusOne) - 1;
    const int64_t lengthB = b.lengthPlusOne == 0 ? 0 : int64_t(b.lengthPlusOne) - 1;
    const uchar *pa = reinterpret_cast<const uchar *>(m_pool.constData()) + a.offset;
    const uchar *pb = reinterpret_cast<const uchar *>(m_pool.constData()) + b.offset;
    const int64_t common = qMin(lengthA, lengthB);
    for (int64_t i = 0; i < common; ++i) {
        const int diff = int(fold[pa[i]]) - int(fold[pb[i]]);
        if (diff != 0)
            return direction * sign(diff);
    }
    return compareLengths(lengthA, lengthB);
}

int64_t TableArray::MemoryBytes() const
{
    return int64_t(m_pool.capacity()) + int64_t(m_cells.capacity() * sizeof(CellRef)) +
           int64_t(m_rowPlaces.capacity() * sizeof(uint32_t));
}

void TableArray::Reserve(int64_t rows, int64_t poolBytes)
{
    if (rows > 0 && m_fixed && m_stride > 0)
        m_rowPlaces.reserve(m_rowPlaces.size() + size_t(rows));
    else if (rows > 0 && !m_fixed)
        m_cells.reserve(m_cells.size() + size_t(rows) * size_t(m_stride));
    if (poolBytes > 0)
        m_pool.reserve(m_pool.size() + qsizetype(poolBytes));
}

void TableArray::SetRowLayout(std::span<const ByteRange> cells)
{
    if (int64_t(cells.size()) != m_columns || m_rows != 0)
        throw std::invalid_argument("row layout does not match the array");
    // A column without bytes (a field of another type, or one of length 0) holds the same
    // value in every row: it is kept once instead of once per row. The others are laid
    // side by side in each row's stretch of the pool.
    m_slots.assign(cells.size(), -1);
    m_constants.assign(cells.size(), CellRef{0, 0, 0});
    m_fixedSlots.clear();
    m_stride = 0;
    m_rowBytes = 0;
    for (size_t c = 0; c < cells.size(); ++c) {
        if (cells[c].length > 0) {
            if (cells[c].length > kMaxCellBytes)
                throw std::length_error("table array element too long");
            m_slots[c] = m_stride++;
            m_fixedSlots.push_back(ByteRange{int32_t(m_rowBytes), cells[c].length});
            m_rowBytes += cells[c].length;
        } else if (cells[c].length == 0) {
            m_constants[c] = CellRef{0, 0, 1}; // the empty text
        }
    }
    m_fixed = true;
    m_cells = {};
    m_pool.clear();
    m_wasted = 0;
}

void TableArray::AppendRow(const char *data, std::span<const ByteRange> cells)
{
    if (int64_t(cells.size()) != m_columns)
        throw std::invalid_argument("row does not match the array's columns");
    if (m_fixed) {
        if (m_stride > 0) {
            if (uint64_t(m_pool.size()) + uint64_t(m_rowBytes) > kMaxPoolOffset)
                throw std::length_error("table array too large");
            for (size_t c = 0; c < cells.size(); ++c) {
                if (m_slots[c] >= 0)
                    m_pool.append(data + cells[c].offset, m_fixedSlots[size_t(m_slots[c])].length);
            }
            m_rowPlaces.push_back(uint32_t(m_rows));
        }
        ++m_rows;
        return;
    }
    for (size_t c = 0; c < cells.size(); ++c) {
        const ByteRange &range = cells[c];
        if (range.length < 0)
            m_cells.push_back(CellRef{0, 0, 0});
        else
            m_cells.push_back(store(QByteArrayView(data + range.offset, range.length), false));
    }
    ++m_rows;
}

void TableArray::Squeeze()
{
    // Shrinking copies; do it only when much of the reserved room is unused.
    if (m_pool.capacity() - m_pool.size() > m_pool.size() / 4)
        m_pool.squeeze();
    if (m_cells.capacity() - m_cells.size() > m_cells.size() / 4)
        m_cells.shrink_to_fit();
    if (m_rowPlaces.capacity() - m_rowPlaces.size() > m_rowPlaces.size() / 4)
        m_rowPlaces.shrink_to_fit();
}

} // namespace hv
