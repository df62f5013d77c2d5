// libFuzzer target for the piecewise JSON reader of hvadmin-cli: on any bytes it agrees with
// QJsonDocument on whether the text is valid, and when it is, the values rebuilt from the
// reader's pieces equal the parsed document.
#include "cli/JsonReader.h"
#include "fuzz/FuzzCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// The value of `text`, walked piece by piece down to the scalars (small pieces included).
bool rebuild(hv::cli::JsonReader &reader, QByteArrayView text, QJsonValue &value)
{
    using hv::cli::JsonReader;
    if (JsonReader::isArray(text)) {
        QJsonArray array;
        const bool ok = reader.forEachElement(text, [&](QByteArrayView element) {
            QJsonValue item;
            if (!rebuild(reader, element, item))
                return false;
            array.append(item);
            return true;
        });
        value = array;
        return ok;
    }
    if (JsonReader::isObject(text)) {
        QJsonObject object;
        const bool ok = reader.forEachMember(text, [&](const QString &name, QByteArrayView v) {
            QJsonValue item;
            if (!rebuild(reader, v, item))
                return false;
            object.insert(name, item);
            return true;
        });
        value = object;
        return ok;
    }
    return reader.parse(text, value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(input, &error);
    // Nesting near the whole-document parser's limit is judged per piece: leave it out.
    if (error.error == QJsonParseError::DeepNesting || input.count('[') + input.count('{') > 900)
        return 0;

    hv::cli::JsonReader reader(input);
    const QByteArrayView text = reader.document();
    QJsonValue value;
    const bool walked = !text.isEmpty() && rebuild(reader, text, value);
    check(walked == (error.error == QJsonParseError::NoError),
          "the reader and the document parser disagree on validity");
    if (walked) {
        // Compared as written out and read again: QJsonValue's own comparison can tell apart
        // equal texts stored in different encodings, and a parsed object may keep its
        // members in the order of names it then changed (a byte order mark in a name is
        // dropped after sorting).
        const auto normal = [](const QJsonDocument &d) {
            return QJsonDocument::fromJson(d.toJson(QJsonDocument::Compact))
                .toJson(QJsonDocument::Compact);
        };
        const QJsonDocument rebuilt =
            value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
        check(normal(rebuilt) == normal(doc), "the rebuilt value differs from the parsed document");
        check(reader.check(text), "a valid document fails the check");
    } else {
        hv::cli::JsonReader again(input);
        const QByteArrayView t = again.document();
        check(t.isEmpty() || !again.check(t), "an invalid document passes the check");
    }
    return 0;
}
