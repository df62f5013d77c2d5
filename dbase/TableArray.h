// A two-dimensional array of values, indexed (column, row), as the table class exchanges
// whole tables with its callers.
//
// Each element is a value: a text or nothing. The array is compact: the bytes of every cell
// live in one byte pool (Windows-1252, one byte per character), and each cell is an
// 8-byte reference (offset, length) into it, stored row by row. Text with a character
// outside Windows-1252 is kept exactly, as UTF-16 in the pool. Exchanging two rows swaps
// their references.
//
// Rows appended with a fixed layout (as the table reader does) cost less still: their
// bytes lie side by side in the pool, one row after the other, and a cell's place is
// computed from its row's place and the column's place in a row. Reading a table therefore
// costs the bytes of its character fields plus 4 bytes per row, however narrow the fields.
// The first change of a cell gives every cell its own reference.
//
// A default-constructed TableArray is "not an array" (IsArray() false), the "nothing" that
// GetTableValues returns for an empty table.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace hv {

// A value of a field or array element: a text, or nothing.
using DbValue = std::optional<QString>;

class TableArray {
public:
    // Not an array.
    TableArray() = default;
    // An array of `columns` by `rows` elements (either may be 0) with the given lower
    // bounds; every element is nothing.
    TableArray(int columns, int rows, int columnLower = 1, int rowLower = 1);

    bool IsArray() const { return m_isArray; }

    int ColumnCount() const { return m_columns; }
    int RowCount() const { return m_rows; }
    int ColumnLower() const { return m_columnLower; }
    int ColumnUpper() const { return m_columnLower + m_columns - 1; }
    int RowLower() const { return m_rowLower; }
    int RowUpper() const { return m_rowLower + m_rows - 1; }

    // Element access. An index outside the bounds throws std::out_of_range.
    DbValue Cell(int column, int row) const;
    bool IsNothing(int column, int row) const;
    // The element as Windows-1252 bytes (unmappable characters become '?'); empty for nothing.
    QByteArray CellBytes(int column, int row) const;
    void SetCell(int column, int row, const DbValue &value);
    // Stores Windows-1252 bytes as the element's text.
    void SetCellBytes(int column, int row, QByteArrayView bytes);

    // Exchanges every element of two rows.
    void SwapRows(int rowA, int rowB);

    // Compares the elements (column, rowA) and (column, rowB) as dBase::CompareKeys does.
    int CompareCells(int column, int rowA, int rowB, int sortOrder) const;

    // Bytes held by the array's storage (pool and references), for memory accounting.
    int64_t MemoryBytes() const;

    // Bulk building, used by the table reader: prepares room for `rows` more rows and
    // `poolBytes` more cell bytes, then appends rows whose cells are byte ranges of `data`.
    struct ByteRange {
        int32_t offset = 0;
        int32_t length = -1; // -1: the element is nothing
    };
    void Reserve(int64_t rows, int64_t poolBytes);
    // Fixes the ranges of the rows to come (on an array without rows): columns whose range
    // has no bytes hold the same value in every row and cost nothing per row.
    void SetRowLayout(std::span<const ByteRange> cells);
    void AppendRow(const char *data, std::span<const ByteRange> cells);
    // Releases unused reserved room.
    void Squeeze();

private:
    friend int CompareKeys(const DbValue &a, const DbValue &b, int sortOrder);

    // One element: offset into the pool (40 bits), UTF-16 flag, length + 1 (0 = nothing).
    struct CellRef {
        uint64_t offset : 40;
        uint64_t wide : 1;
        uint64_t lengthPlusOne : 23;
    };
    static_assert(sizeof(CellRef) == 8);

    // Where a cell lives: its row (from 0) and its slot among the row's stored cells, or
    // slot -1 for a column kept once. Throws std::out_of_range outside the bounds.
    struct Place {
        int64_t row;
        int32_t slot;
        int column;
    };
    Place placeOf(int column, int row) const;
    CellRef refAt(int column, int row) const;
    // The cell's own reference in m_cells, giving every cell one first if needed.
    CellRef &storedRef(int column, int row);
    // Leaves the fixed layout: every cell gets its own reference in m_cells.
    void storeEveryColumn();
    CellRef store(QByteArrayView bytes, bool wide);
    QString decode(const CellRef &ref) const;
    void release(const CellRef &ref);
    void compactIfWasteful();

    bool m_isArray = false;
    int m_columns = 0;
    int m_rows = 0;
    int m_columnLower = 1;
    int m_rowLower = 1;
    QByteArray m_pool;
    std::vector<CellRef> m_cells; // row-major: row * m_stride + slot (not in a fixed layout)
    // Per column, its slot in a stored row or -1 for a column kept once in m_constants;
    // empty when every column is stored in column order.
    std::vector<int32_t> m_slots;
    std::vector<CellRef> m_constants;
    int m_stride = 0; // stored cells per row
    // The fixed layout: each slot's place and length within a row of m_rowBytes pool bytes,
    // and, per row, which of the appended rows it holds (rows trade places when swapped).
    bool m_fixed = false;
    std::vector<ByteRange> m_fixedSlots;
    int64_t m_rowBytes = 0;
    std::vector<uint32_t> m_rowPlaces;
    int64_t m_wasted = 0; // pool bytes no cell refers to any more
};

// Compares two sort keys without regard to case; nothing counts as the empty text. Returns
// -1, 0 or 1. With a sortOrder other than 0 the keys compare inverted, character by
// character: the character that sorts later comes first, while a key that is a prefix of
// another still comes before it ("a" before "ab"). Inverting the case-folded characters
// (rather than the raw codes, whose case folding does not survive the inversion) keeps a
// descending sort descending for every letter.
int CompareKeys(const DbValue &a, const DbValue &b, int sortOrder);

} // namespace hv
