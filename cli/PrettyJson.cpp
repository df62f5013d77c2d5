#include "cli/PrettyJson.h"

namespace hv::cli {
namespace {

constexpr int kIndent = 2;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

void PrettyJson::newLine(QByteArray &out) const
{
    out.append('\n');
    out.append(QByteArray(qsizetype(m_depth) * kIndent, ' '));
}

QByteArray PrettyJson::feed(QByteArrayView bytes)
{
    QByteArray out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        if (m_mode == Mode::Undecided && !isSpace(c))
            m_mode = c == '{' || c == '[' ? Mode::Json : Mode::Raw;
        if (m_mode != Mode::Json) {
            out.append(c);
            continue;
        }
        if (m_inString) {
            out.append(c);
            if (m_escaped)
                m_escaped = false;
            else if (c == '\\')
                m_escaped = true;
            else if (c == '"')
                m_inString = false;
            continue;
        }
        if (isSpace(c)) {
            // The line end after a document stays; space inside one is replaced.
            if (m_depth == 0)
                out.append(c);
            continue;
        }
        if (m_justOpened) {
            m_justOpened = false;
            if (c == '}' || c == ']') { // empty: stays on one line
                --m_depth;
                out.append(c);
                continue;
            }
            newLine(out);
        }
        switch (c) {
        case '{':
        case '[':
            out.append(c);
            ++m_depth;
            m_justOpened = true;
            break;
        case '}':
        case ']':
            if (m_depth > 0)
                --m_depth;
            newLine(out);
            out.append(c);
            break;
        case ',':
            out.append(c);
            newLine(out);
            break;
        case ':':
            out.append(": ");
            break;
        case '"':
            out.append(c);
            m_inString = true;
            break;
        default:
            out.append(c);
        }
    }
    return out;
}

} // namespace hv::cli
