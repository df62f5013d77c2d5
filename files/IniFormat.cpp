#include "files/IniFormat.h"

#include "platform/Ansi.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace hv::ini {
namespace {

// Byte tables built once: the upper-case byte, and the character each byte of a line
// decodes to, as it is (TAB and CR read as spaces) and upper-cased.
struct ByteTables {
    std::array<unsigned char, 256> upper{};
    std::array<char16_t, 256> lineChar{};
    std::array<char16_t, 256> upperLineChar{};
};

ByteTables buildTables()
{
    ByteTables t;
    for (int b = 0; b < 256; ++b) {
        const unsigned char up = ansi::upperByte(static_cast<unsigned char>(b));
        t.upper[b] = up;
        const bool blank = b == '\t' || b == '\r' || b == '\n';
        t.lineChar[b] = blank ? u' ' : ansi::toChar(static_cast<unsigned char>(b));
        t.upperLineChar[b] = blank ? u' ' : ansi::toChar(up);
    }
    return t;
}

const ByteTables &tables()
{
    static const ByteTables t = buildTables();
    return t;
}

// Bytes that count as spaces inside a loaded line (LF never occurs inside one).
inline bool isBlank(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// Decodes bytes [begin, end) through a 256-entry table into new text.
QString decode(const unsigned char *begin, const unsigned char *end,
               const std::array<char16_t, 256> &table)
{
    const qsizetype n = end - begin;
    if (n == 0)
        return {};
    QString text(n, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < n; ++i)
        out[i] = table[begin[i]];
    return text;
}

// Holds the state of one parse: the tables and the current group.
class LineParser {
public:
    explicit LineParser(const LineVisitor &visit) : visit_(visit), t_(tables()) {}

    // One raw line, without its LF.
    void parse(const unsigned char *begin, const unsigned char *end)
    {
        while (begin < end && isBlank(*begin))
            ++begin;
        while (end > begin && isBlank(end[-1]))
            --end;
        if (begin == end)
            return;
        if (*begin == '[') {
            // Every key line below shares this one string.
            group_ = decode(begin, end, t_.upperLineChar);
            visit_(group_, group_, QString());
            return;
        }
        const auto *equal =
            static_cast<const unsigned char *>(std::memchr(begin, '=', size_t(end - begin)));
        if (!equal)
            return;
        const unsigned char *keyEnd = equal;
        while (keyEnd > begin && isBlank(keyEnd[-1]))
            --keyEnd;
        if (keyEnd == begin)
            return;
        const unsigned char *valueBegin = equal + 1;
        while (valueBegin < end && isBlank(*valueBegin))
            ++valueBegin;
        visit_(group_, decode(begin, keyEnd, t_.upperLineChar),
               decode(valueBegin, end, t_.lineChar));
    }

private:
    const LineVisitor &visit_;
    const ByteTables &t_;
    QString group_;
};

// Appends `text` encoded to Windows-1252, upper-cased when asked.
void appendEncoded(QByteArray &out, QStringView text, bool upper)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *dest = out.data() + start;
    const auto &upperTable = tables().upper;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(ansi::fromChar(text[i].unicode()));
        dest[i] = static_cast<char>(upper ? upperTable[byte] : byte);
    }
}

} // namespace

void forEachLine(QByteArrayView bytes, const LineVisitor &visit)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    LineParser parser(visit);
    while (p < end) {
        const auto *eol = static_cast<const unsigned char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!eol) {
            parser.parse(p, end);
            break;
        }
        parser.parse(p, eol);
        p = eol + 1;
    }
}

namespace {

// Whether bytes [begin, end) upper-case to `word` (ASCII upper case), as the line parser's
// upper-casing of headers and keys would make them.
bool upperEquals(const unsigned char *begin, const unsigned char *end, std::string_view word)
{
    if (end - begin != qsizetype(word.size()))
        return false;
    const auto &upper = tables().upper;
    for (size_t i = 0; i < word.size(); ++i) {
        if (upper[begin[i]] != static_cast<unsigned char>(word[i]))
            return false;
    }
    return true;
}

} // namespace

TemplateHeading scanTemplateHeading(QByteArrayView bytes)
{
    static constexpr std::string_view kTemplateHeader = "[TEMPLATE]";
    static constexpr std::string_view kTitleKey = "TITLE";
    TemplateHeading heading;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    bool inTemplate = false;
    const unsigned char *titleBegin = nullptr;
    const unsigned char *titleEnd = nullptr;
    while (p < end) {
        const auto *eol = static_cast<const unsigned char *>(std::memchr(p, '\n', size_t(end - p)));
        const unsigned char *lineEnd = eol ? eol : end;
        const unsigned char *begin = p;
        p = eol ? eol + 1 : end;
        while (begin < lineEnd && isBlank(*begin))
            ++begin;
        while (lineEnd > begin && isBlank(lineEnd[-1]))
            --lineEnd;
        if (begin == lineEnd)
            continue;
        if (*begin == '[') {
            inTemplate = upperEquals(begin, lineEnd, kTemplateHeader);
            heading.isTemplate = heading.isTemplate || inTemplate;
            continue;
        }
        if (!inTemplate)
            continue;
        const auto *equal =
            static_cast<const unsigned char *>(std::memchr(begin, '=', size_t(lineEnd - begin)));
        if (!equal)
            continue;
        const unsigned char *keyEnd = equal;
        while (keyEnd > begin && isBlank(keyEnd[-1]))
            --keyEnd;
        if (!upperEquals(begin, keyEnd, kTitleKey))
            continue;
        titleBegin = equal + 1;
        while (titleBegin < lineEnd && isBlank(*titleBegin))
            ++titleBegin;
        titleEnd = lineEnd;
        heading.hasTitle = true;
    }
    if (heading.hasTitle)
        heading.title = decode(titleBegin, titleEnd, tables().lineChar);
    return heading;
}

void parseLines(QByteArrayView bytes, INIlines &lines)
{
    // Lines are added as they are found: reserving one per line end would cost a line object
    // for every empty line of the file.
    forEachLine(bytes, [&lines](const QString &group, QString section, QString value) {
        lines.Add(group, std::move(section), std::move(value));
    });
}

qint64 formattedSize(const INIlines &lines, const SaveLayout &layout)
{
    const qint64 lead = std::max(layout.leadingSpaces, 0);
    const qint64 keyWidth = qint64(layout.equalPos) - 1;
    qint64 size = 0;
    for (const INIline &line : lines) {
        const QStringView section = ansi::trimSpaces(line.Section());
        if (section.isEmpty()) {
            size += ansi::trimSpaces(line.Group()).size();
        } else if (section.front() == u'[') {
            size += section.size();
        } else {
            size += std::max(lead + section.size(), keyWidth);
            const qsizetype value = ansi::trimSpaces(line.Value()).size();
            size += value == 0 ? 1 : 2 + value;
        }
        size += 2;
    }
    return size;
}

QByteArray formatLines(const INIlines &lines, const SaveLayout &layout)
{
    const qsizetype lead = std::max(layout.leadingSpaces, 0);
    const qsizetype keyWidth = qsizetype(layout.equalPos) - 1;
    QByteArray out;
    qsizetype estimate = 0;
    for (const INIline &line : lines)
        estimate += line.Section().size() + line.Value().size() + 4;
    out.reserve(estimate + lines.Count() * std::max<qsizetype>(lead, keyWidth));

    for (const INIline &line : lines) {
        const QStringView section = ansi::trimSpaces(line.Section());
        if (section.isEmpty()) {
            appendEncoded(out, ansi::trimSpaces(line.Group()), true);
        } else if (section.front() == u'[') {
            appendEncoded(out, section, true);
        } else {
            const qsizetype start = out.size();
            out.append(lead, ' ');
            appendEncoded(out, section, layout.ucaseSection);
            const qsizetype width = out.size() - start;
            if (width < keyWidth)
                out.append(keyWidth - width, ' ');
            const QStringView value = ansi::trimSpaces(line.Value());
            if (value.isEmpty()) {
                out.append('=');
            } else {
                out.append("= ", 2);
                appendEncoded(out, value, false);
            }
        }
        out.append("\r\n", 2);
    }
    return out;
}

} // namespace hv::ini
