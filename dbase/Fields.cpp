#include "dbase/Fields.h"

#include "dbase/DbaseError.h"

namespace hv {

Field &Fields::Add(const QString &name, const QString &fieldType, int32_t length, int32_t decimals,
                   int32_t position)
{
    Field field;
    field.SetName(name);
    field.SetFieldType(fieldType);
    field.SetLength(length);
    field.SetDecimals(decimals);
    field.SetPosition(position);
    m_fields.push_back(field);
    return m_fields.back();
}

Field *Fields::Item(int index)
{
    if (index < 1 || index > Count())
        return nullptr;
    return &m_fields[size_t(index - 1)];
}

const Field *Fields::Item(int index) const
{
    return const_cast<Fields *>(this)->Item(index);
}

void Fields::Remove(int index)
{
    if (index < 1 || index > Count())
        throw DbaseError(dbase_errors::kInvalidFieldNumber,
                         QStringLiteral("Invalid Field Number %1").arg(index));
    m_fields.erase(m_fields.begin() + (index - 1));
}

} // namespace hv
