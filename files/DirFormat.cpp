#include "files/DirFormat.h"

#include "files/IniFormat.h"
#include "platform/Ansi.h"

#include <QStringList>

#include <algorithm>
#include <cstring>
#include <functional>

namespace hv::dirformat {
namespace {

const QString kDirectoryGroup = QStringLiteral("[DIRECTORY]");
const QString kFileGroup = QStringLiteral("[FILE]");

// One field of an old-form line: one pair of enclosing quotes removed, then trimmed. A field
// that is a single quote has no pair to remove and stays as it is.
QString oldFormField(const QString &raw)
{
    QString field = raw;
    if (field.size() >= 2 && field.front() == u'"' && field.back() == u'"')
        field = field.sliced(1, field.size() - 2);
    return ansi::trimSpaces(field).toString();
}

bool readsAsNumber(const QString &trimmedLine)
{
    bool ok = false;
    (void)trimmedLine.toDouble(&ok);
    return ok;
}

// The number of times `separator` occurs in the bytes [begin, end).
qsizetype countByte(const char *begin, const char *end, char separator)
{
    return qsizetype(std::count(begin, end, separator));
}

// Walks the old-form lines of `bytes` one at a time (so that a large file is never decoded
// whole) and hands the three fields of each entry line to `visit`; with `count` given, only
// counts them, decoding none of the lines that cannot be entries.
void forEachOldFormEntry(QByteArrayView bytes,
                         const std::function<void(const QStringList &)> &visit,
                         qint64 *count = nullptr)
{
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    while (p < end) {
        const char *eol = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *lineEnd = eol ? eol : end;
        const char *next = eol ? eol + 1 : end;
        if (eol && lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd; // CR LF ends a line like LF
        // Exactly three fields: two separators (TABs when the line holds one, else commas).
        const bool tabs = std::memchr(p, '\t', size_t(lineEnd - p)) != nullptr;
        if (countByte(p, lineEnd, tabs ? '\t' : ',') == 2) {
            QString line = ansi::toText(QByteArrayView(p, lineEnd - p));
            line.replace(u'\r', u' ');
            const QString trimmed = line.trimmed();
            if (!trimmed.isEmpty() && !readsAsNumber(trimmed)) {
                if (count)
                    ++*count;
                if (visit)
                    visit(line.split(tabs ? QChar(u'\t') : QChar(u',')));
            }
        }
        p = next;
    }
}

} // namespace

QString writtenAccess(const QString &access)
{
    return access == u"R" ? QStringLiteral("R") : QStringLiteral("W");
}

QString accessText(const QString &access)
{
    return access == u"R" ? QStringLiteral("R (Read Only)") : QStringLiteral("W (Read/Write)");
}

DirFileContent fromLines(const INIlines &lines)
{
    DirFileContent content;
    for (const INIline &line : lines) {
        const QString group = ansi::upperText(line.Group());
        const QString key = ansi::upperText(line.Section());
        if (group == kDirectoryGroup) {
            if (key == u"CAPTION")
                content.caption = line.Value();
            continue;
        }
        if (group != kFileGroup)
            continue;
        if (key == kFileGroup) {
            content.entries.emplace_back();
            continue;
        }
        if (content.entries.empty())
            continue; // a key line can only follow its header; kept safe for built lines
        DirEntry &entry = content.entries.back();
        if (key == u"TITLE")
            entry.SetTitle(line.Value());
        else if (key == u"FILENAME")
            entry.SetFilename(line.Value());
        else if (key == u"ACCESS")
            entry.SetAccessRights(line.Value());
    }
    return content;
}

DirFileContent parseOldForm(QByteArrayView bytes, const QString &folder)
{
    DirFileContent content;
    content.oldForm = true;
    forEachOldFormEntry(bytes, [&](const QStringList &fields) {
        DirEntry entry;
        entry.SetFilename(folder + oldFormField(fields.at(0)) + u'.' + oldFormField(fields.at(1)));
        entry.SetTitle(oldFormField(fields.at(2)));
        entry.SetAccessRights(QStringLiteral("W"));
        content.entries.push_back(std::move(entry));
    });
    return content;
}

qint64 countOldFormEntries(QByteArrayView bytes)
{
    qint64 count = 0;
    forEachOldFormEntry(bytes, {}, &count);
    return count;
}

DirFileContent parse(QByteArrayView bytes, const QString &folder)
{
    INIlines lines;
    ini::parseLines(bytes, lines);
    if (lines.Count() == 0)
        return parseOldForm(bytes, folder);
    return fromLines(lines);
}

namespace {

void addHead(INIlines &lines, const QString &caption)
{
    lines.Add(kDirectoryGroup, {}, {});
    lines.Add(kDirectoryGroup, QStringLiteral("Caption"), caption);
}

void addEntry(INIlines &lines, const DirEntry &entry)
{
    lines.Add({}, {}, {});
    lines.Add(kFileGroup, {}, {});
    lines.Add(kFileGroup, QStringLiteral("Title"), entry.Title());
    lines.Add(kFileGroup, QStringLiteral("Filename"), entry.Filename());
    lines.Add(kFileGroup, QStringLiteral("Access"), writtenAccess(entry.AccessRights()));
}

} // namespace

INIlines toLines(const QString &caption, const std::vector<DirEntry> &entries)
{
    INIlines lines;
    lines.Reserve(2 + 5 * qsizetype(entries.size()));
    addHead(lines, caption);
    for (const DirEntry &entry : entries)
        addEntry(lines, entry);
    return lines;
}

std::optional<QByteArray> formatFile(const QString &caption, const std::vector<DirEntry> &entries)
{
    const ini::SaveLayout layout{false, kLeadingSpaces, kEqualPos};
    INIlines lines;
    addHead(lines, caption);
    QByteArray bytes = ini::formatLines(lines, layout);
    for (const DirEntry &entry : entries) {
        lines.Clear();
        addEntry(lines, entry);
        bytes += ini::formatLines(lines, layout);
        if (bytes.size() > ini::kMaxFileBytes)
            return std::nullopt;
    }
    return bytes;
}

} // namespace hv::dirformat
