// The directory file format: the entries of a directory file and the lines its current form
// is written as. `DirClass` (files/DirClass.h) builds on these; they work on bytes and lines
// in memory so that the list engine and tests can use them without files.
//
// Current form (INI text, read and written):
//
//     [DIRECTORY]
//          Caption      = Plant
//
//     [FILE]
//          Title        = Line 4
//          Filename     = LINE4.HVT
//          Access       = W
//
// Old form (read only): one entry per line, "name,extension,title" (split at TABs instead
// when the line holds a TAB), no caption. A file in which the INI parser finds no lines at
// all is read in the old form.
#pragma once

#include "files/IniLines.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace hv {

// One entry of a directory: the title shown to end users, the template's file name as
// stored, its access right ("R" read only; anything else counts as "W" read/write) and
// whether the template could be read when the entry was loaded or added.
class DirEntry {
public:
    const QString &Title() const { return title_; }
    void SetTitle(const QString &title) { title_ = title; }
    const QString &Filename() const { return filename_; }
    void SetFilename(const QString &filename) { filename_ = filename; }
    const QString &AccessRights() const { return access_; }
    void SetAccessRights(const QString &access) { access_ = access; }
    bool FileExists() const { return fileExists_; }
    void SetFileExists(bool exists) { fileExists_ = exists; }

    friend bool operator==(const DirEntry &, const DirEntry &) = default;

private:
    QString title_;
    QString filename_;
    QString access_;
    bool fileExists_ = false;
};

// A directory's caption and entries as read from its bytes.
struct DirFileContent {
    QString caption;
    std::vector<DirEntry> entries;
    bool oldForm = false; // read in the old comma- or tab-separated form
};

namespace dirformat {

// The access right written for `access`: "R" for exactly "R", otherwise "W".
QString writtenAccess(const QString &access);
// The text the editor shows for `access`: "R (Read Only)" or "W (Read/Write)".
QString accessText(const QString &access);

// Reads the current form from parsed INI lines: CAPTION of [DIRECTORY] (the last counts),
// each [FILE] header starts an entry, TITLE / FILENAME / ACCESS of [FILE] set the fields
// of the entry last started (a repeated key overwrites). Unknown keys and sections are
// ignored.
DirFileContent fromLines(const INIlines &lines);

// Reads the old form from Windows-1252 bytes; `folder` (ending in a separator) is put
// before each entry's "name.extension". Lines end at LF or CR LF, a last line without a
// line end is kept, a lone CR counts as a space. Empty lines, lines that read as a number
// and lines without exactly three fields are skipped.
DirFileContent parseOldForm(QByteArrayView bytes, const QString &folder);

// The number of entries parseOldForm finds in `bytes`, counted by scanning the bytes.
qint64 countOldFormEntries(QByteArrayView bytes);

// Reads either form: the current form when the INI parser finds any line, else the old form.
DirFileContent parse(QByteArrayView bytes, const QString &folder);

// The lines of the current form for a caption and entries, in entry order.
INIlines toLines(const QString &caption, const std::vector<DirEntry> &entries);

// The layout of a written directory file: five spaces before each key, "=" in column 19.
constexpr int kLeadingSpaces = 5;
constexpr int kEqualPos = 19;

// The bytes of toLines as saved with that layout, formatted an entry at a time so that no
// line object per line is kept; nothing when they would exceed ini::kMaxFileBytes.
std::optional<QByteArray> formatFile(const QString &caption, const std::vector<DirEntry> &entries);

// The fewest bytes an entry takes in a written file: an empty line, "[FILE]" and three
// key lines with empty values.
constexpr qint64 kMinEntryBytes = 2 + 8 + 3 * (kEqualPos + 2);

} // namespace dirformat
} // namespace hv
