// One field descriptor of a dBase table, and the mapping of its type letters to bytes.
#pragma once

#include <QString>

#include <cstdint>

namespace hv {

class Field {
public:
    Field() = default;

    // The field name; assignment stores the first 11 characters in upper case (byte by byte
    // in Windows-1252, as the INI code upper-cases, so a name never grows).
    QString Name() const { return m_name; }
    void SetName(const QString &name);

    // The type letter; assignment stores the first character in upper case.
    QString FieldType() const { return m_fieldType; }
    void SetFieldType(const QString &type);

    // Width in bytes, decimal count and the 1-based position in the record (the deletion
    // flag is position 1). They store what is assigned, unchecked.
    int32_t Length() const { return m_length; }
    void SetLength(int32_t length) { m_length = length; }
    int32_t Decimals() const { return m_decimals; }
    void SetDecimals(int32_t decimals) { m_decimals = decimals; }
    int32_t Position() const { return m_position; }
    void SetPosition(int32_t position) { m_position = position; }

    // True for a character field, the only type that carries values.
    bool IsCharacter() const { return m_fieldType == u"C"; }

private:
    QString m_name;
    QString m_fieldType;
    int32_t m_length = 0;
    int32_t m_decimals = 0;
    int32_t m_position = 0;
};

// The type letter of a descriptor's type byte: one of B C D F I L N S Y Z, and "C" for any
// other byte.
QString TypeLetter(uint8_t code);

// The type byte of a letter; 0x43 ("C") for any letter outside the table.
uint8_t TypeCode(const QString &letter);

} // namespace hv
