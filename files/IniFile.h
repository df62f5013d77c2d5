// `INIfile`: loads an INI file into an ordered list of lines and saves such a list in a
// fixed, column-aligned layout (see files/IniFormat.h for the rules at byte level).
//
// Typical use: create, set options, LoadFile or fill INIlines() with Add, SaveFile.
//
// Loading accepts LF and CR LF line ends and keeps a last line without one. Saving writes
// CR LF after every line and replaces the file atomically: a failed save leaves the old
// file as it was and is reported. Header lines as loaded (Section = header text) are
// written as their header text, so loading a saved list gives the same list back.
#pragma once

#include "files/IniFormat.h"
#include "files/IniLines.h"

#include <QString>

#include <utility>

class QIODevice;

namespace hv {

// The outcome of a load or save: `ok`, or a one-line `error` to show the user.
struct IniResult {
    bool ok = true;
    QString error;

    explicit operator bool() const { return ok; }
    static IniResult failure(QString message) { return {false, std::move(message)}; }
};

class INIfile {
public:
    // The line collection (empty until filled).
    hv::INIlines &INIlines() { return lines_; }
    const hv::INIlines &INIlines() const { return lines_; }
    // Replaces the whole collection.
    void SetINIlines(hv::INIlines lines) { lines_ = std::move(lines); }

    // Upper-case keys when saving (default false).
    bool UcaseSection() const { return layout_.ucaseSection; }
    void SetUcaseSection(bool on) { layout_.ucaseSection = on; }

    // Spaces written before each key (default 3; negative counts as 0).
    int LeadingSpaces() const { return layout_.leadingSpaces; }
    void SetLeadingSpaces(int spaces) { layout_.leadingSpaces = spaces; }

    // The 1-based column of the "=" of a key line when the key is short enough (default 17).
    int EqualPos() const { return layout_.equalPos; }
    void SetEqualPos(int column) { layout_.equalPos = column; }

    // Replaces the lines with those of the file, found without regard to letter case.
    // A missing file gives no lines and succeeds; a file that exists but cannot be read
    // gives no lines and an error.
    IniResult LoadFile(const QString &fileName);

    // Reads the file as LoadFile does but hands each line to `visit` instead of keeping it,
    // so that a reader of a large file holds one line at a time.
    static IniResult VisitFile(const QString &fileName, const ini::LineVisitor &visit);

    // Replaces the lines with those read from `device` (opened read-only when not open).
    IniResult Load(QIODevice &device);

    // Writes the lines to the file (an existing file of that name in any letter case is
    // replaced), logging the start. On failure the old file is untouched.
    [[nodiscard]] IniResult SaveFile(const QString &fileName) const;
    // Writes bytes formatted elsewhere as SaveFile writes its own; a `formatError` (what
    // kept the bytes from being formatted) is reported in SaveFile's words instead.
    [[nodiscard]] static IniResult SaveFileBytes(const QString &fileName, QByteArrayView bytes,
                                                 const QString &formatError = {});

    // Writes the bytes SaveFile would write to `device` (opened write-only when not open).
    [[nodiscard]] IniResult Save(QIODevice &device) const;

    // The bytes SaveFile writes; an error when the layout options are out of range, or when
    // a group, key or value holds a line break or a character that Windows-1252 cannot hold
    // (SaveFile and Save then write nothing).
    [[nodiscard]] IniResult SaveBytes(QByteArray &bytes) const;

private:
    hv::INIlines lines_;
    ini::SaveLayout layout_;
};

} // namespace hv
