#include "cli/JsonWriter.h"

#include "cli/CliSupport.h"

#include <cstdio>

namespace hv::cli {
namespace {

constexpr qsizetype kBlockBytes = 1 << 20;

void writeStdout(const QByteArray &bytes)
{
    writeOutput(bytes);
}

} // namespace

void JsonWriter::appendString(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + stringRoom(text));
    char *end = writeString(out.data() + start, text);
    out.truncate(end - out.constData());
}

char *JsonWriter::writeString(char *p, QStringView text)
{
    static const char hex[] = "0123456789abcdef";
    *p++ = '"';
    const char16_t *c = text.utf16();
    const char16_t *end = c + text.size();
    while (c < end) {
        const char16_t u = *c++;
        if (u >= 0x20 && u < 0x80) {
            if (u == u'"' || u == u'\\')
                *p++ = '\\';
            *p++ = char(u);
        } else if (u < 0x20) {
            *p++ = '\\';
            switch (u) {
            case u'\n':
                *p++ = 'n';
                break;
            case u'\r':
                *p++ = 'r';
                break;
            case u'\t':
                *p++ = 't';
                break;
            case u'\b':
                *p++ = 'b';
                break;
            case u'\f':
                *p++ = 'f';
                break;
            default:
                *p++ = 'u';
                *p++ = '0';
                *p++ = '0';
                *p++ = hex[u >> 4];
                *p++ = hex[u & 15];
            }
        } else if (u < 0x800) {
            *p++ = char(0xC0 | (u >> 6));
            *p++ = char(0x80 | (u & 0x3F));
        } else if (QChar::isHighSurrogate(u) && c < end && QChar::isLowSurrogate(*c)) {
            const char32_t cp = QChar::surrogateToUcs4(u, *c++);
            *p++ = char(0xF0 | (cp >> 18));
            *p++ = char(0x80 | ((cp >> 12) & 0x3F));
            *p++ = char(0x80 | ((cp >> 6) & 0x3F));
            *p++ = char(0x80 | (cp & 0x3F));
        } else {
            // A lone surrogate cannot be written in UTF-8: the replacement character.
            const char32_t cp = QChar::isSurrogate(u) ? 0xFFFD : u;
            *p++ = char(0xE0 | (cp >> 12));
            *p++ = char(0x80 | ((cp >> 6) & 0x3F));
            *p++ = char(0x80 | (cp & 0x3F));
        }
    }
    *p++ = '"';
    return p;
}

void JsonWriter::separate()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back())
            m_out.append(',');
        m_first.back() = false;
    }
}

JsonWriter &JsonWriter::beginObject()
{
    separate();
    m_out.append('{');
    m_first.push_back(true);
    return *this;
}

JsonWriter &JsonWriter::endObject()
{
    m_out.append('}');
    m_first.pop_back();
    return *this;
}

JsonWriter &JsonWriter::beginArray()
{
    separate();
    m_out.append('[');
    m_first.push_back(true);
    return *this;
}

JsonWriter &JsonWriter::endArray()
{
    m_out.append(']');
    m_first.pop_back();
    return *this;
}

JsonWriter &JsonWriter::key(const char *name)
{
    separate();
    m_out.append('"').append(name).append("\":");
    m_afterKey = true;
    return *this;
}

JsonWriter &JsonWriter::value(QStringView text)
{
    separate();
    appendString(m_out, text);
    return *this;
}

JsonWriter &JsonWriter::value(bool flag)
{
    separate();
    m_out.append(flag ? "true" : "false");
    return *this;
}

JsonWriter &JsonWriter::value(qint64 number)
{
    separate();
    m_out.append(QByteArray::number(number));
    return *this;
}

JsonWriter &JsonWriter::null()
{
    separate();
    m_out.append("null");
    return *this;
}

void JsonWriter::flushIfLarge()
{
    if (m_out.size() < kBlockBytes)
        return;
    writeStdout(m_out);
    m_out.clear();
}

void JsonWriter::finish()
{
    m_out.append('\n');
    writeStdout(m_out);
    m_out.clear();
    std::fflush(stdout);
}

} // namespace hv::cli
