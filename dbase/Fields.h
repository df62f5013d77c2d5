// The ordered field list of a dBase table, addressed by 1-based position.
#pragma once

#include "dbase/Field.h"

#include <vector>

namespace hv {

class Fields {
public:
    // Creates a field from the five values (through Field's setters, so name and type are
    // cut and upper-cased), appends it and returns it. The reference stays valid until the
    // list changes.
    Field &Add(const QString &name, const QString &fieldType, int32_t length, int32_t decimals,
               int32_t position);

    // The field at the 1-based position `index`; nullptr for any other index.
    Field *Item(int index);
    const Field *Item(int index) const;

    int Count() const { return int(m_fields.size()); }
    void Clear() { m_fields.clear(); }

    // Removes the field at the 1-based position; an invalid position raises a DbaseError
    // (kInvalidFieldNumber).
    void Remove(int index);

    // Enumeration in field order.
    std::vector<Field>::iterator begin() { return m_fields.begin(); }
    std::vector<Field>::iterator end() { return m_fields.end(); }
    std::vector<Field>::const_iterator begin() const { return m_fields.begin(); }
    std::vector<Field>::const_iterator end() const { return m_fields.end(); }

private:
    std::vector<Field> m_fields;
};

} // namespace hv
