#include "platform/Ansi.h"

#include <array>

namespace hv::ansi {
namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined ones map to themselves.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

std::array<unsigned char, 256> buildUpperTable()
{
    std::array<unsigned char, 256> upper{};
    for (int b = 0; b < 256; ++b) {
        unsigned char up = static_cast<unsigned char>(b);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
            up = static_cast<unsigned char>(b - 0x20);
        else if (b == 0x9A || b == 0x9C || b == 0x9E) // s, oe, z with caron
            up = static_cast<unsigned char>(b - 0x10);
        else if (b == 0xFF) // y with diaeresis
            up = 0x9F;
        upper[b] = up;
    }
    return upper;
}

} // namespace

unsigned char upperByte(unsigned char byte)
{
    static const std::array<unsigned char, 256> table = buildUpperTable();
    return table[byte];
}

QString upperText(QStringView text)
{
    QString result(text.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(result.data());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        const char byte = fromChar(ch);
        out[i] = byte == '?' ? ch : toChar(upperByte(static_cast<unsigned char>(byte)));
    }
    return result;
}

char16_t toChar(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return char16_t(byte);
}

char fromChar(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return char(ch);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == ch)
            return char(0x80 + i);
    }
    return '?';
}

QString oneLineProblem(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch == u'\r' || ch == u'\n')
            return QStringLiteral("it holds a line break");
        if (ch == u'?' || fromChar(ch) != '?')
            continue;
        const qsizetype length =
            QChar::isHighSurrogate(ch) && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                              : 1;
        return QStringLiteral("the character '%1' is not in the Windows-1252 code page")
            .arg(text.mid(i, length));
    }
    return {};
}

QString toText(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = toChar(static_cast<unsigned char>(bytes[i]));
    return text;
}

QByteArray fromText(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = fromChar(text[i].unicode());
    return bytes;
}

QStringView trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace hv::ansi
