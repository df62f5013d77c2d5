// hvadmin-cli ini: dump an INI file's lines as JSON, or write lines given as JSON.
#include "cli/CliSupport.h"
#include "cli/JsonReader.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"
#include "files/IniFile.h"

#include <QJsonObject>
#include <QJsonValue>

namespace hv::cli {
namespace {

const QString kGroup = QStringLiteral("group");
const QString kSection = QStringLiteral("section");
const QString kValue = QStringLiteral("value");

int dumpIni(const QString &fileName)
{
    // The lines are written as they are parsed, so a large file costs its bytes, not a line
    // object per line.
    JsonWriter out;
    out.beginArray();
    const IniResult r = INIfile::VisitFile(
        fileName, [&out](const QString &group, const QString &section, const QString &value) {
            out.beginObject()
                .member("group", group)
                .member("section", section)
                .member("value", value)
                .endObject();
            out.flushIfLarge();
        });
    if (!r)
        return failLogged(r.error);
    out.endArray().finish();
    return kExitOk;
}

// Reads one text property of a line object; absent means empty.
bool readText(const QJsonObject &object, const QString &name, QString &text)
{
    const QJsonValue value = object.value(name);
    if (value.isUndefined() || value.isNull()) {
        text.clear();
        return true;
    }
    if (!value.isString())
        return false;
    text = value.toString();
    return true;
}

// Reads the JSON list of lines from stdin into `lines`; prints the failure and returns false.
bool readLines(hv::INIlines &lines)
{
    JsonReader json(readStdin());
    const QByteArrayView doc = json.document();
    if (doc.isEmpty() || (!JsonReader::isArray(doc) && !json.check(doc))) {
        failJson(json);
        return false;
    }
    if (!JsonReader::isArray(doc)) {
        fail(QStringLiteral("Expected a JSON array of lines on standard input"));
        return false;
    }
    qsizetype count = 0;
    if (!json.forEachElement(doc, [&](QByteArrayView) { return ++count > 0; })) {
        failJson(json);
        return false;
    }
    lines.Reserve(count);
    qsizetype number = 0;
    bool shaped = true;
    const bool read = json.forEachElement(doc, [&](QByteArrayView text) {
        QJsonValue entry;
        if (!json.parse(text, entry))
            return false;
        ++number;
        QString group, section, value;
        shaped = entry.isObject() && readText(entry.toObject(), kGroup, group) &&
                 readText(entry.toObject(), kSection, section) &&
                 readText(entry.toObject(), kValue, value);
        if (shaped)
            lines.Add(group, section, value);
        return shaped;
    });
    if (!shaped) {
        fail(QStringLiteral("Line %1: expected an object with text \"group\", \"section\" "
                            "and \"value\"")
                 .arg(number));
        return false;
    }
    if (!read) {
        failJson(json);
        return false;
    }
    return true;
}

bool parseNumber(const QString &text, int &number)
{
    bool ok = false;
    number = text.toInt(&ok);
    return ok;
}

int writeIni(const QStringList &args)
{
    INIfile ini;
    const QString fileName = args.at(1);
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString &option = args.at(i);
        int number = 0;
        if (option == u"--ucase-section") {
            ini.SetUcaseSection(true);
        } else if (option == u"--leading-spaces" && i + 1 < args.size() &&
                   parseNumber(args.at(i + 1), number)) {
            ini.SetLeadingSpaces(number);
            ++i;
        } else if (option == u"--equal-pos" && i + 1 < args.size() &&
                   parseNumber(args.at(i + 1), number)) {
            ini.SetEqualPos(number);
            ++i;
        } else {
            return usage(QStringLiteral("unknown or incomplete option '%1'").arg(option));
        }
    }
    if (!readLines(ini.INIlines()))
        return kExitFailure;
    if (IniResult r = ini.SaveFile(fileName); !r)
        return failLogged(r.error);
    return kExitOk;
}

} // namespace

int runIni(const QStringList &args)
{
    if (args.size() == 2 && args.at(0) == u"dump")
        return dumpIni(args.at(1));
    if (args.size() >= 2 && args.at(0) == u"write")
        return writeIni(args);
    return subVerbUsage(args, {"dump", "write"}, 2);
}

} // namespace hv::cli
