#include "log/LogProtocol.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QStringList>

#include <cstdlib>
#include <optional>

namespace hv::log {
namespace {

// Where the fields after a writer's stamp begin, with the stamp's time and process id; nullopt
// for a line without a stamp. A stamp is a date and time ("2026-12-08T14:03:07.125...") and a
// number: no program's name looks like that.
std::optional<qsizetype> stampEnd(const QString &text, QString &time, qint64 &pid)
{
    static const QRegularExpression stamp(QStringLiteral(
        "^(\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}(?:Z|[+-]\\d\\d:\\d\\d)?)"
        "\\t(\\d{1,18})\\t"));
    const QRegularExpressionMatch match = stamp.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    time = match.captured(1);
    pid = match.captured(2).toLongLong();
    return match.capturedLength(0);
}

} // namespace

QString escapeField(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (QChar ch : field) {
        if (ch == u'\\')
            out += QLatin1String("\\\\");
        else if (ch == u'\t')
            out += QLatin1String("\\t");
        else if (ch == u'\n')
            out += QLatin1String("\\n");
        else
            out += ch;
    }
    return out;
}

QString socketPath(const QString &name)
{
    if (name.startsWith(u'/'))
        return name;
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        folder = QDir::tempPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder + name;
}

QString printableField(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (QChar ch : field) {
        const char16_t code = ch.unicode();
        if (ch == u'\\')
            out += QLatin1String("\\\\");
        else if (ch == u'\n')
            out += QLatin1String("\\n");
        else if (ch == u'\t')
            out += QLatin1String("\\t");
        else if (ch == u'\r')
            out += QLatin1String("\\r");
        else if (code < 0x20 || (code >= 0x7f && code < 0xa0) || code == 0x2028 || code == 0x2029)
            out += code < 0x100 ? QStringLiteral("\\x%1").arg(int(code), 2, 16, QChar(u'0'))
                                : QStringLiteral("\\u%1").arg(int(code), 4, 16, QChar(u'0'));
        else
            out += ch;
    }
    return out;
}

QString unescapeField(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar ch = field[i];
        if (ch != u'\\' || i + 1 == field.size()) {
            out += ch;
            continue;
        }
        const QChar next = field[i + 1];
        if (next == u'\\')
            out += u'\\';
        else if (next == u't')
            out += u'\t';
        else if (next == u'n')
            out += u'\n';
        else {
            out += ch;
            continue;
        }
        ++i;
    }
    return out;
}

QString isoTimeText(const QDateTime &time, bool milliseconds)
{
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(milliseconds ? QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")
                                      : QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString stampTime()
{
    return isoTimeText(QDateTime::currentDateTime(), true);
}

QByteArray encodeEntry(const LogEntry &entry)
{
    const QString stamp =
        entry.time.isEmpty() ? QString() : entry.time + u'\t' + QString::number(entry.pid) + u'\t';
    const QString line = stamp + escapeField(entry.program) + u'\t' + escapeField(entry.module) +
                         u'\t' + escapeField(entry.procedure) + u'\t' + escapeField(entry.message) +
                         u'\n';
    return line.toUtf8();
}

LogEntry decodeEntry(QByteArrayView line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    QString text = QString::fromUtf8(line);
    LogEntry entry;
    if (const std::optional<qsizetype> rest = stampEnd(text, entry.time, entry.pid))
        text.remove(0, *rest);
    QString fields[4];
    qsizetype start = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype tab = text.indexOf(u'\t', start);
        if (tab < 0) {
            fields[i] = text.mid(start);
            start = text.size();
            break;
        }
        fields[i] = text.mid(start, tab - start);
        start = tab + 1;
    }
    if (start < text.size())
        fields[3] = text.mid(start);
    entry.program = unescapeField(fields[0]);
    entry.module = unescapeField(fields[1]);
    entry.procedure = unescapeField(fields[2]);
    entry.message = unescapeField(fields[3]);
    return entry;
}

} // namespace hv::log
