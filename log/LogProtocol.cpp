#include "log/LogProtocol.h"

#include <QDir>
#include <QStringList>

namespace hv::log {

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

QByteArray encodeEntry(const LogEntry &entry)
{
    const QString line = escapeField(entry.program) + u'\t' + escapeField(entry.module) + u'\t' +
                         escapeField(entry.procedure) + u'\t' + escapeField(entry.message) + u'\n';
    return line.toUtf8();
}

LogEntry decodeEntry(QByteArrayView line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    const QString text = QString::fromUtf8(line);
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
    return {unescapeField(fields[0]), unescapeField(fields[1]), unescapeField(fields[2]),
            unescapeField(fields[3])};
}

} // namespace hv::log
