// JSON read a piece at a time, without a document tree of the whole text.
//
// The tool reads large documents on standard input (a million rows for a table, every line
// of an INI file). A QJsonDocument of such a text costs ten times the text; the reader
// instead walks the arrays and objects itself and parses each element on its own, so that
// reading costs the text plus one element, whatever the element count. Every piece is
// checked: invalid JSON anywhere is an error, as it is for a whole-document parse.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonValue>
#include <QString>

#include <functional>

namespace hv::cli {

class JsonReader {
public:
    // The reader keeps `text` (the whole document).
    explicit JsonReader(QByteArray text);

    // The document's own value (an array or an object), as text without the white space
    // around it; empty, with error() set, when the document is not one such value.
    QByteArrayView document();

    // The kind of the value `text` holds, from its first byte.
    static bool isArray(QByteArrayView text) { return text.startsWith('['); }
    static bool isObject(QByteArrayView text) { return text.startsWith('{'); }

    // Parses one value (any kind) into `value`.
    bool parse(QByteArrayView text, QJsonValue &value);
    // Checks that `text` is one valid value, piece by piece, building nothing.
    bool check(QByteArrayView text, int depth = 0);
    // Calls `visit` with each element of the array `text`, as text, in order; stops when
    // `visit` returns false. Returns false on invalid JSON or a visit that returned false.
    bool forEachElement(QByteArrayView text, const std::function<bool(QByteArrayView)> &visit);
    // Calls `visit` with each member of the object `text`: its name and its value as text.
    bool forEachMember(QByteArrayView text,
                       const std::function<bool(const QString &, QByteArrayView)> &visit);

    // What was wrong with the JSON ("" while nothing was).
    const QString &error() const { return m_error; }

private:
    // One past the value that starts at `pos`, strings and nesting followed; -1 when the
    // text ends first. The value's own syntax is left to parse().
    static qsizetype valueEnd(QByteArrayView text, qsizetype pos);
    static qsizetype skipSpace(QByteArrayView text, qsizetype pos);
    // Visits the values (with their names when `named`) between the brackets of `text`.
    bool walk(QByteArrayView text, bool named,
              const std::function<bool(const QString &, QByteArrayView)> &visit);
    bool fail(const QString &what);

    QByteArray m_text;
    QString m_error;
};

} // namespace hv::cli
