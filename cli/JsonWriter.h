// JSON written straight into bytes, without a document tree.
//
// The tool prints large documents (an INI file of 100,000 lines, a table of a million
// records): building them as QJsonObject trees and serialising them costs many times the
// reading. The writer appends UTF-8 as it goes and hands full blocks to stdout, so a large
// document needs no second copy in memory.
#pragma once

#include <QByteArray>
#include <QStringView>

#include <vector>

namespace hv::cli {

class JsonWriter {
public:
    JsonWriter &beginObject();
    JsonWriter &endObject();
    JsonWriter &beginArray();
    JsonWriter &endArray();
    // The name of the next member of the current object (plain ASCII).
    JsonWriter &key(const char *name);

    JsonWriter &value(QStringView text);
    JsonWriter &value(const char *) = delete; // say QStringView or QLatin1String
    JsonWriter &value(bool flag);
    JsonWriter &value(qint64 number);
    JsonWriter &value(int number) { return value(qint64(number)); }
    JsonWriter &null();

    // A member of the current object: key(name) followed by value(v).
    template <typename T> JsonWriter &member(const char *name, const T &v)
    {
        return key(name).value(v);
    }

    // Writes what has been collected to stdout once it holds a megabyte or more.
    void flushIfLarge();
    // Writes the rest and a line end to stdout and flushes it.
    void finish();

    // Appends `text` as a JSON string literal to `out`.
    static void appendString(QByteArray &out, QStringView text);
    // Writes `text` as a JSON string literal at `at`, which has room for stringRoom(text)
    // bytes, and returns the end of what it wrote.
    static char *writeString(char *at, QStringView text);
    // At most six bytes per UTF-16 unit (a control character's escape), plus the quotes.
    static qsizetype stringRoom(QStringView text) { return 6 * text.size() + 2; }

private:
    void separate();

    QByteArray m_out;
    std::vector<bool> m_first; // per open object or array: no element written yet
    bool m_afterKey = false;
};

} // namespace hv::cli
