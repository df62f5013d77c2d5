#include "dbase/Field.h"

#include "platform/Ansi.h"

namespace hv {
namespace {

// The type letters that a descriptor may carry; every one is its own ASCII code.
constexpr char kTypeLetters[] = "BCDFILNSYZ";

bool isKnownType(char letter)
{
    for (const char *p = kTypeLetters; *p; ++p) {
        if (*p == letter)
            return true;
    }
    return false;
}

} // namespace

void Field::SetName(const QString &name)
{
    m_name = ansi::upperText(name.left(11));
}

void Field::SetFieldType(const QString &type)
{
    m_fieldType = ansi::upperText(type.left(1));
}

QString TypeLetter(uint8_t code)
{
    const char letter = char(code);
    return QString(QLatin1Char(isKnownType(letter) ? letter : 'C'));
}

uint8_t TypeCode(const QString &letter)
{
    if (letter.size() == 1 && letter[0].unicode() < 0x80 && isKnownType(char(letter[0].unicode())))
        return uint8_t(letter[0].unicode());
    return 0x43;
}

} // namespace hv
