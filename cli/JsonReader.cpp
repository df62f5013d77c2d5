#include "cli/JsonReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace hv::cli {
namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

JsonReader::JsonReader(QByteArray text) : m_text(std::move(text)) {}

bool JsonReader::fail(const QString &what)
{
    if (m_error.isEmpty())
        m_error = what;
    return false;
}

qsizetype JsonReader::skipSpace(QByteArrayView text, qsizetype pos)
{
    while (pos < text.size() && isSpace(text[pos]))
        ++pos;
    return pos;
}

qsizetype JsonReader::valueEnd(QByteArrayView text, qsizetype pos)
{
    int depth = 0;
    bool inString = false;
    for (qsizetype i = pos; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            if (!inString && depth == 0)
                return i + 1;
            continue;
        }
        switch (c) {
        case '"':
            inString = true;
            break;
        case '[':
        case '{':
            ++depth;
            break;
        case ']':
        case '}':
            if (depth == 0)
                return i;
            if (--depth == 0)
                return i + 1;
            break;
        case ',':
            if (depth == 0)
                return i;
            break;
        default:
            if (depth == 0 && isSpace(c))
                return i;
        }
    }
    return inString || depth > 0 ? -1 : text.size();
}

QByteArrayView JsonReader::document()
{
    const QByteArrayView text(m_text);
    // A UTF-8 byte order mark before the value is allowed, as for QJsonDocument.
    const qsizetype mark = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const qsizetype begin = skipSpace(text, mark);
    const qsizetype end = begin < text.size() ? valueEnd(text, begin) : -1;
    // A document is an array or an object, as for QJsonDocument.
    if (end <= begin || !(isArray(text.sliced(begin)) || isObject(text.sliced(begin)))) {
        fail(QStringLiteral("illegal value"));
        return {};
    }
    if (skipSpace(text, end) != text.size()) {
        fail(QStringLiteral("garbage at the end of the document"));
        return {};
    }
    return text.sliced(begin, end - begin);
}

bool JsonReader::parse(QByteArrayView text, QJsonValue &value)
{
    // Wrapped in an array, any value parses on its own.
    QByteArray wrapped;
    wrapped.reserve(text.size() + 2);
    wrapped.append('[').append(text).append(']');
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(wrapped, &error);
    if (error.error != QJsonParseError::NoError || doc.array().size() != 1)
        return fail(error.error != QJsonParseError::NoError ? error.errorString()
                                                            : QStringLiteral("illegal value"));
    value = doc.array().at(0);
    return true;
}

bool JsonReader::check(QByteArrayView text, int depth)
{
    // The whole-document parser's own nesting limit.
    constexpr int kMaxDepth = 1024;
    if (depth > kMaxDepth)
        return fail(QStringLiteral("too deeply nested document"));
    // A small piece parses whole; only a large one is walked.
    constexpr qsizetype kWholeParseBytes = 64 * 1024;
    if (isArray(text) && text.size() > kWholeParseBytes)
        return forEachElement(text, [&](QByteArrayView e) { return check(e, depth + 1); });
    if (isObject(text) && text.size() > kWholeParseBytes) {
        return forEachMember(
            text, [&](const QString &, QByteArrayView v) { return check(v, depth + 1); });
    }
    QJsonValue value;
    return parse(text, value);
}

bool JsonReader::forEachElement(QByteArrayView text,
                                const std::function<bool(QByteArrayView)> &visit)
{
    if (!isArray(text) || !text.endsWith(']'))
        return fail(QStringLiteral("expected an array"));
    return walk(text, false, [&](const QString &, QByteArrayView value) { return visit(value); });
}

bool JsonReader::forEachMember(QByteArrayView text,
                               const std::function<bool(const QString &, QByteArrayView)> &visit)
{
    if (!isObject(text) || !text.endsWith('}'))
        return fail(QStringLiteral("expected an object"));
    return walk(text, true, visit);
}

bool JsonReader::walk(QByteArrayView text, bool named,
                      const std::function<bool(const QString &, QByteArrayView)> &visit)
{
    const QByteArrayView inner = text.sliced(1, text.size() - 2);
    qsizetype pos = skipSpace(inner, 0);
    if (pos == inner.size())
        return true;
    while (true) {
        QJsonValue name;
        if (named) {
            const qsizetype nameEnd = pos < inner.size() ? valueEnd(inner, pos) : -1;
            if (nameEnd <= pos || inner[pos] != '"' ||
                !parse(inner.sliced(pos, nameEnd - pos), name))
                return fail(QStringLiteral("illegal value"));
            pos = skipSpace(inner, nameEnd);
            if (pos == inner.size() || inner[pos] != ':')
                return fail(QStringLiteral("missing name separator"));
            pos = skipSpace(inner, pos + 1);
        }
        const qsizetype end = valueEnd(inner, pos);
        if (end <= pos)
            return fail(QStringLiteral("illegal value"));
        if (!visit(name.toString(), inner.sliced(pos, end - pos)))
            return false;
        pos = skipSpace(inner, end);
        if (pos == inner.size())
            return true;
        if (inner[pos] != ',')
            return fail(QStringLiteral("missing value separator"));
        pos = skipSpace(inner, pos + 1);
    }
}

} // namespace hv::cli
