// The INI text format at byte level: parsing Windows-1252 bytes into lines, and laying lines
// out as the bytes a save writes. `INIfile` uses these; they are public so that tools and
// tests can work on bytes in memory.
#pragma once

#include "files/IniLines.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

namespace hv::ini {

// How key lines are laid out when saving.
struct SaveLayout {
    bool ucaseSection = false; // upper-case keys
    int leadingSpaces = 3;     // spaces before each key; negative counts as 0
    int equalPos = 17;         // 1-based column of "=" when the key is short enough
};

// The largest LeadingSpaces or EqualPos a save accepts, so that a mistaken setting cannot
// make every line gigabytes wide.
constexpr int kMaxLayoutColumn = 10000;

// The largest INI file read or written (templates and directory files included); a bigger
// file is not one of the suite's files.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

// Parses INI bytes and appends their lines to `lines`, in file order:
// - a line ends at LF; a CR before the LF, any other CR and every TAB count as spaces;
//   the last line is kept even without a line end;
// - after trimming spaces, an empty line is dropped;
// - a line beginning with "[" is a header: its whole text upper-cased becomes the current
//   group and a line with Group = Section = that text is added;
// - a line with "=" is a key line: the key (text before the first "=", trailing spaces
//   removed, upper-cased) must not be empty; the value is the rest, trimmed;
// - anything else (comments, text without "=") is dropped.
void parseLines(QByteArrayView bytes, INIlines &lines);

// Receives the lines of forEachLine: group, section and value as parseLines would add them.
using LineVisitor = std::function<void(const QString &group, QString section, QString value)>;

// Parses as parseLines does but hands each line to `visit` instead of keeping it, so that a
// reader that needs a few keys holds one line at a time, whatever the file's size.
void forEachLine(QByteArrayView bytes, const LineVisitor &visit);

// What a list needs of a template: whether it has a "[TEMPLATE]" header and the value of the
// last TITLE key under such a header. Read straight from the bytes, line by line, by the same
// rules as forEachLine (line ends, blanks, upper-casing of headers and keys), without building
// a line or decoding any text but the title's: forEachLine gives the same answer.
struct TemplateHeading {
    bool isTemplate = false; // a "[TEMPLATE]" header line is there
    bool hasTitle = false;   // a TITLE key line under it is there (its value may be empty)
    QString title;
};
TemplateHeading scanTemplateHeading(QByteArrayView bytes);

// The bytes a save writes for `lines`. Every line ends with CR LF. With G = Group trimmed
// and upper-cased, S = Section trimmed and V = Value trimmed:
// - S empty: G alone (an empty line when G is empty);
// - S beginning with "[" (a header line as loaded): S upper-cased; V is not written;
// - otherwise a key line: LeadingSpaces spaces and S (upper-cased with ucaseSection),
//   padded with spaces to EqualPos - 1 characters when shorter, then "=" when V is empty
//   or "= " and V.
// Text is encoded to Windows-1252 ('?' for characters outside it). The layout values must
// be at most kMaxLayoutColumn (INIfile checks them).
QByteArray formatLines(const INIlines &lines, const SaveLayout &layout);

// The number of bytes formatLines gives, counted without building them.
qint64 formattedSize(const INIlines &lines, const SaveLayout &layout);

} // namespace hv::ini
