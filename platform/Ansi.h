// Conversion between text and the single-byte "ANSI" code page of the suite's files.
//
// dBase records, INI files and directory files are Windows-1252 text. Every byte maps to
// exactly one character and back; the five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the code points of the same numbers, so that any
// byte sequence survives a round trip unchanged.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace hv::ansi {

// Decodes Windows-1252 bytes to text, one character per byte.
QString toText(QByteArrayView bytes);

// Encodes text to Windows-1252, one byte per character. Characters outside the code page
// become '?', as the platform's best-fit conversion does for unmappable characters.
QByteArray fromText(QStringView text);

// Why `text` cannot be written as one line of such a file, or empty when it can: a line
// break (CR or LF) or the first character that the code page cannot hold, e.g.
// "the character '日' is not in the Windows-1252 code page". Writers refuse such text
// instead of changing it.
QString oneLineProblem(QStringView text);

// One byte to its character, and one character to its byte ('?' when unmappable).
char16_t toChar(unsigned char byte);
char fromChar(char16_t ch);

// Upper case within Windows-1252: a-z, the accented small letters 0xE0-0xFE (except the
// division sign), and the small s, oe, z with caron and y with diaeresis map to their
// capitals. Letters without a capital in the code page (sharp s, micro sign) stay. Every
// byte maps to one byte, so "character k is byte k" still holds after upper-casing.
unsigned char upperByte(unsigned char byte);

// Text upper-cased by the same rule (characters outside the code page stay as they are).
QString upperText(QStringView text);

// `text` without the spaces at either end. Only spaces: the suite's files pad their values
// with spaces, and a TAB inside a value is part of it.
QStringView trimSpaces(QStringView text);

} // namespace hv::ansi
