#include "dbase/DbaseError.h"

namespace hv {

DbaseError::DbaseError(uint32_t number, const QString &description, int osError)
    : m_number(number), m_description(description), m_osError(osError)
{
    m_what = text().toStdString();
}

QString DbaseError::text() const
{
    return QStringLiteral("0x%1 - %2").arg(m_number, 8, 16, QLatin1Char('0')).arg(m_description);
}

} // namespace hv
