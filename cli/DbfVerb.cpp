// The dbf verb of hvadmin-cli: dBase tables from a shell (info, dump, csv, create, append,
// put, sort). Output is UTF-8 JSON (CSV for csv); errors of the table class print
// "Error: <number> - <text>".
#include "cli/CliSupport.h"
#include "cli/JsonReader.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"

#include "dbase/TableCsv.h"
#include "dbase/dBase.h"

#include <QJsonArray>
#include <QJsonValue>

#include <climits>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace hv::cli {
namespace {

// Raised for stdin JSON that has the wrong shape; printed as a failure.
struct InputError {
    QString message;
};

void writeStdout(const QByteArray &bytes)
{
    writeOutput(bytes);
}

void appendJsonString(QByteArray &out, QStringView text)
{
    JsonWriter::appendString(out, text);
}

void appendValue(QByteArray &out, const DbValue &value)
{
    if (value)
        appendJsonString(out, *value);
    else
        out.append("null");
}

// Prints {"rows":[[...],...]} for an array, {"rows":null} for nothing, in blocks so that a
// large table needs no second copy in memory.
void printRows(const TableArray &rows)
{
    if (!rows.IsArray()) {
        writeStdout("{\"rows\":null}\n");
        return;
    }
    QByteArray out("{\"rows\":[");
    for (int row = rows.RowLower(); row <= rows.RowUpper(); ++row) {
        if (row != rows.RowLower())
            out.append(',');
        out.append('[');
        for (int column = rows.ColumnLower(); column <= rows.ColumnUpper(); ++column) {
            if (column != rows.ColumnLower())
                out.append(',');
            appendValue(out, rows.Cell(column, row));
        }
        out.append(']');
        if (out.size() >= (1 << 20)) {
            writeStdout(out);
            out.clear();
        }
    }
    out.append("]}\n");
    writeStdout(out);
    std::fflush(stdout);
}

// A JSON element as a table value: strings as they are, null as nothing, numbers as their
// decimal text, booleans as True/False.
DbValue toValue(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        return std::nullopt;
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QJsonValue::Double: {
        const double d = value.toDouble();
        if (std::floor(d) == d && std::fabs(d) < 9.0e15)
            return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
    }
    default:
        throw InputError{QStringLiteral("A value must be a string, a number, a boolean or null")};
    }
}

// The rows of the JSON document on standard input as a table array (columns and rows from
// 1). A document that is not an array is "not an array", which the table operations treat as
// the table class does. Rows are parsed one at a time, straight into the array.
TableArray readRows()
{
    JsonReader json(readStdin());
    const QByteArrayView doc = json.document();
    if (doc.isEmpty() || !JsonReader::isArray(doc)) {
        if (doc.isEmpty() || !json.check(doc))
            throw InputError{
                QStringLiteral("Invalid JSON on standard input: %1").arg(json.error())};
        return {};
    }
    qsizetype rowCount = 0;
    if (!json.forEachElement(doc, [&](QByteArrayView) { return ++rowCount > 0; }))
        throw InputError{QStringLiteral("Invalid JSON on standard input: %1").arg(json.error())};
    if (rowCount > INT_MAX)
        throw InputError{QStringLiteral("More rows than a table array holds")};
    TableArray table;
    int row = 0;
    const bool read = json.forEachElement(doc, [&](QByteArrayView text) {
        QJsonValue value;
        if (!json.parse(text, value))
            return false;
        if (!value.isArray())
            throw InputError{QStringLiteral("Each row must be an array of values")};
        const QJsonArray values = value.toArray();
        if (row == 0)
            table = TableArray(int(values.size()), int(rowCount));
        else if (values.size() != table.ColumnCount())
            throw InputError{QStringLiteral("Every row must have the same number of values")};
        ++row;
        for (int c = 0; c < table.ColumnCount(); ++c)
            table.SetCell(c + 1, row, toValue(values[c]));
        return true;
    });
    if (!read)
        throw InputError{QStringLiteral("Invalid JSON on standard input: %1").arg(json.error())};
    return rowCount == 0 ? TableArray(0, 0) : table;
}

bool parseInt(const QString &text, int32_t &value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

int info(const QString &file)
{
    dBase table;
    table.OpenFile(file);
    const DbaseHeader &h = table.Header();
    QByteArray out;
    out.append("{\"version\":" + QByteArray::number(h.version));
    out.append(",\"year\":" + QByteArray::number(h.year));
    out.append(",\"month\":" + QByteArray::number(h.month));
    out.append(",\"day\":" + QByteArray::number(h.day));
    out.append(",\"recordCount\":" + QByteArray::number(h.recordCount));
    out.append(",\"headerLength\":" + QByteArray::number(h.headerLength));
    out.append(",\"recordLength\":" + QByteArray::number(table.RecordLen()));
    out.append(",\"headerRecordLength\":" + QByteArray::number(h.recordLength));
    out.append(",\"heldRecords\":" + QByteArray::number(table.heldRecordCount()));
    out.append(",\"fields\":[");
    bool first = true;
    for (const Field &field : table.Fields()) {
        if (!first)
            out.append(',');
        first = false;
        out.append("{\"name\":");
        appendJsonString(out, field.Name());
        out.append(",\"type\":");
        appendJsonString(out, field.FieldType());
        out.append(",\"length\":" + QByteArray::number(field.Length()));
        out.append(",\"decimals\":" + QByteArray::number(field.Decimals()));
        out.append(",\"position\":" + QByteArray::number(field.Position()) + "}");
    }
    out.append("]}\n");
    table.CloseFile();
    writeStdout(out);
    return kExitOk;
}

int dump(const QString &file)
{
    dBase table;
    table.OpenFile(file);
    const TableArray rows = table.GetTableValues();
    table.CloseFile();
    printRows(rows);
    return kExitOk;
}

// Every live record as CSV, streamed: memory does not grow with the table.
int csvOut(const QString &file)
{
    const TableLayout layout = readTableLayout(file);
    csv::writeLiveRecords(layout, [](QByteArrayView piece) {
        return std::fwrite(piece.data(), 1, size_t(piece.size()), stdout) == size_t(piece.size());
    });
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail(QStringLiteral("Cannot write the CSV to standard output"));
    return kExitOk;
}

int create(const QString &file, const QStringList &specs)
{
    dBase table;
    for (const QString &spec : specs) {
        const QStringList parts = spec.split(u':');
        int32_t length = 0;
        int32_t decimals = 0;
        if (parts.size() < 3 || parts.size() > 4 || parts[0].isEmpty() || parts[1].isEmpty() ||
            !parseInt(parts[2], length) || length < 0 || length > 255 ||
            (parts.size() == 4 &&
             (!parseInt(parts[3], decimals) || decimals < 0 || decimals > 255)))
            return usage(
                QStringLiteral("bad field '%1': expected NAME:TYPE:LENGTH[:DECIMALS]").arg(spec));
        table.Fields().Add(parts[0], parts[1], length, decimals, 0);
    }
    if (const QString problem = dBase::fieldListError(table.Fields()); !problem.isEmpty())
        return fail(QStringLiteral("Cannot create the table '%1': %2").arg(file, problem));
    table.SetOpenMode(1);
    table.OpenFile(file);
    if (!table.FileExists())
        return fail(
            QStringLiteral("Cannot create the table '%1': %2").arg(file, table.creationError()));
    table.CloseFile();
    return kExitOk;
}

int append(const QString &file)
{
    const TableArray rows = readRows();
    dBase table;
    table.SetOpenMode(2);
    table.OpenFile(file);
    table.PutTableValues(rows);
    table.CloseFile();
    return kExitOk;
}

int put(const QString &file, int32_t recordNo)
{
    JsonReader json(readStdin());
    const QByteArrayView doc = json.document();
    QByteArrayView values;
    QJsonValue deleted(QJsonValue::Undefined);
    // The last of a repeated member counts, as in a parsed object.
    const bool read = !doc.isEmpty() && json.check(doc) &&
                      (!JsonReader::isObject(doc) ||
                       json.forEachMember(doc, [&](const QString &name, QByteArrayView value) {
                           if (name == u"values")
                               values = value;
                           else if (name == u"deleted")
                               return json.parse(value, deleted);
                           return true;
                       }));
    if (!read)
        return failJson(json);
    if (!JsonReader::isObject(doc) || !JsonReader::isArray(values))
        throw InputError{QStringLiteral("Expected {\"values\":[...],\"deleted\":false}")};
    if (!deleted.isUndefined() && !deleted.isBool())
        throw InputError{QStringLiteral("\"deleted\" must be true or false")};

    dBase table;
    table.SetOpenMode(2);
    table.OpenFile(file);
    table.GetRecord(recordNo);
    int index = 0;
    json.forEachElement(values, [&](QByteArrayView text) {
        QJsonValue value;
        json.parse(text, value);
        table.SetValue(++index, toValue(value));
        return true;
    });
    if (deleted.isBool())
        table.SetDeleted(deleted.toBool());
    table.PutRecord(recordNo);
    const int32_t written = table.RecordNo();
    table.CloseFile();
    writeStdout("{\"recordNo\":" + QByteArray::number(written) + "}\n");
    return kExitOk;
}

int sort(int32_t column, int32_t order)
{
    TableArray rows = readRows();
    printRows(dBase::SortTableValues(rows, column, order));
    return kExitOk;
}

int dispatch(const QStringList &args)
{
    const QString sub = args.value(0);
    if (sub == u"info" && args.size() == 2)
        return info(args[1]);
    if (sub == u"dump" && args.size() == 2)
        return dump(args[1]);
    if (sub == u"csv" && args.size() == 2)
        return csvOut(args[1]);
    if (sub == u"create" && args.size() >= 3)
        return create(args[1], args.mid(2));
    if (sub == u"append" && args.size() == 2)
        return append(args[1]);
    int32_t first = 0;
    int32_t second = 0;
    if (sub == u"put" && args.size() == 3 && parseInt(args[2], first))
        return put(args[1], first);
    if (sub == u"sort" && args.size() == 3 && parseInt(args[1], first) && parseInt(args[2], second))
        return sort(first, second);
    if ((sub == u"put" && args.size() == 3) || (sub == u"sort" && args.size() == 3))
        return usage(QStringLiteral("%1 takes numbers").arg(sub));
    return subVerbUsage(args, {"info", "dump", "csv", "create", "append", "put", "sort"},
                        sub == u"sort" || sub == u"put" || sub == u"create" ? 3 : 2);
}

} // namespace

int runDbf(const QStringList &args)
{
    try {
        return dispatch(args);
    } catch (const DbaseError &e) {
        return failLogged(QStringLiteral("Error: ") + e.text());
    } catch (const InputError &e) {
        return fail(e.message);
    } catch (const std::exception &e) {
        return failLogged(QStringLiteral("Error: %1").arg(QString::fromLocal8Bit(e.what())));
    }
}

} // namespace hv::cli
