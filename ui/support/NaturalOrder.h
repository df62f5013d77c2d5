// The natural order of names the windows show: digit runs by value, letters without regard to
// case, by the user's locale.
#pragma once

#include <QCollator>
#include <QLocale>

namespace hv {

// The collator of the natural order. The C locale has no collation of its own (a collator
// there compares code points and ignores the numeric mode): it sorts as English does.
inline QCollator naturalCollator()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace hv
