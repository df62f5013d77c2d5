// The lines of an INI file: `INIline` (one stored line) and `INIlines` (their ordered list).
//
// A line is a header line when its `Section` is empty or begins with "[" (loading gives a
// header line `Group` and `Section` both set to the header text); otherwise it is a key line
// with `Section` as the key. Readers walk the list in file order and test `Group` and
// `Section` themselves: there is no lookup by section or key.
#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace hv {

class INIline {
public:
    INIline() = default;
    INIline(QString group, QString section, QString value)
        : group_(std::move(group)), section_(std::move(section)), value_(std::move(value))
    {
    }

    // The header text above the line (upper case, brackets included, as loaded).
    const QString &Group() const { return group_; }
    void SetGroup(const QString &group) { group_ = group; }

    // The key of a key line; the header text of a loaded header line.
    const QString &Section() const { return section_; }
    void SetSection(const QString &section) { section_ = section; }

    // The text after the first "=" of a key line.
    const QString &Value() const { return value_; }
    void SetValue(const QString &value) { value_ = value; }

    friend bool operator==(const INIline &, const INIline &) = default;

private:
    QString group_;
    QString section_;
    QString value_;
};

// An ordered list of lines, positions counted from 1.
//
// `Item` and `Remove` throw std::out_of_range for a position outside 1..Count(). References
// returned by `Add` and `Item` stay valid until the next `Add`, `Remove` or `Clear`.
class INIlines {
public:
    using iterator = std::vector<INIline>::iterator;
    using const_iterator = std::vector<INIline>::const_iterator;

    // Appends a line with the three texts and returns it.
    INIline &Add(QString group, QString section, QString value);

    // The line at a 1-based position.
    INIline &Item(qsizetype index);
    const INIline &Item(qsizetype index) const;

    qsizetype Count() const { return qsizetype(lines_.size()); }

    // Removes the line at a 1-based position; later lines move up.
    void Remove(qsizetype index);

    // Discards every line and the memory they held.
    void Clear();

    // Makes room for `count` lines in all, so that adding them does not reallocate.
    void Reserve(qsizetype count);

    // Enumeration in order (range-based for).
    iterator begin() { return lines_.begin(); }
    iterator end() { return lines_.end(); }
    const_iterator begin() const { return lines_.begin(); }
    const_iterator end() const { return lines_.end(); }

    friend bool operator==(const INIlines &, const INIlines &) = default;

private:
    // Throws std::out_of_range unless 1 <= index <= Count().
    void checkIndex(qsizetype index, const char *operation) const;

    std::vector<INIline> lines_;
};

} // namespace hv
