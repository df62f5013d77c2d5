// `DirClass`: the directory file open in the directory editor, with its `DirEntries`.
//
// The model holds the caption and the entries in menu order; the editor writes its edits
// (caption text, titles, access rights, order) into the model and the model writes the file
// from there. Operations return what happened and the message the editor shows; nothing
// here shows a window.
//
// Titles come from the templates through a `DirTemplateLookup` that the caller provides
// (the template component lives in a library above this one): it answers whether a
// template can be read and, when it can, its title.
#pragma once

#include "files/DirFormat.h"
#include "files/IniFile.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace hv {

// The title of the template named by a directory entry's file name, or nothing when the
// template cannot be read. A relative name is the caller's to resolve (against the
// directory file's folder).
using DirTemplateLookup = std::function<std::optional<QString>(const QString &fileName)>;

// A message for the user: its text, the message box title (empty: the program's default)
// and whether it carries the exclamation icon.
struct DirMessage {
    QString text;
    QString title;
    bool exclamation = false;
};

// The outcome of an operation: `ok`, or the message that explains why not.
struct DirResult {
    bool ok = true;
    DirMessage message;

    explicit operator bool() const { return ok; }
    static DirResult failure(QString text, QString title = {}, bool exclamation = false)
    {
        return {false, {std::move(text), std::move(title), exclamation}};
    }
};

// The entries of a directory, positions counted from 1, without keys.
//
// `Item` and `Remove` throw std::out_of_range for a position outside 1..Count(). References
// returned by `Add` and `Item` stay valid until the next `Add` or `Remove`.
class DirEntries {
public:
    using iterator = std::vector<DirEntry>::iterator;
    using const_iterator = std::vector<DirEntry>::const_iterator;

    DirEntries() = default;
    explicit DirEntries(std::vector<DirEntry> entries) : entries_(std::move(entries)) {}

    // Appends a new empty entry and returns it.
    DirEntry &Add();
    DirEntry &Item(qsizetype index);
    const DirEntry &Item(qsizetype index) const;
    qsizetype Count() const { return qsizetype(entries_.size()); }
    // Removes the entry at a 1-based position; later entries move up.
    void Remove(qsizetype index);
    // Moves the entry at `from` to position `to` (both 1-based), as a drag in the editor does.
    void Move(qsizetype from, qsizetype to);

    const std::vector<DirEntry> &entries() const { return entries_; }
    iterator begin() { return entries_.begin(); }
    iterator end() { return entries_.end(); }
    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }

private:
    void checkIndex(qsizetype index, const char *operation) const;

    std::vector<DirEntry> entries_;
};

class DirClass {
public:
    // The message texts of the operations.
    static const QString kDuplicateText;
    static const QString kDuplicateTitle;
    static const QString kInvalidTemplateText;
    static const QString kBlankCaptionText;
    static const QString kNoEntriesText;

    explicit DirClass(DirTemplateLookup lookup = {}) : lookup_(std::move(lookup)) {}

    hv::DirEntries &DirEntries() { return entries_; }
    const hv::DirEntries &DirEntries() const { return entries_; }
    void SetDirEntries(hv::DirEntries entries) { entries_ = std::move(entries); }

    const QString &Caption() const { return caption_; }
    void SetCaption(const QString &caption) { caption_ = caption; }

    // The bare file name after opening a file; the full path written after a write.
    const QString &Filename() const { return filename_; }
    // The folder of the directory file, ending in a separator.
    const QString &Path() const { return path_; }
    // True when the directory was started from a folder; never cleared.
    bool NewFlag() const { return newFlag_; }
    // Unsaved changes exist.
    bool ChangeFlag() const { return changeFlag_; }
    void SetChangeFlag(bool changed) { changeFlag_ = changed; }

    // Opens an existing directory file: `Path` becomes its folder, `Filename` its bare
    // name, then LoadDirFile reads it; `ChangeFlag` stays false.
    DirResult OpenExisting(const QString &fullPath);
    // Starts a new directory in `folder`: no file name, `NewFlag` and `ChangeFlag` true.
    void StartNew(const QString &folder);

    // Replaces the caption and entries with those of the file (either form) and marks each
    // entry's FileExists. A file that is missing or cannot be read leaves an empty directory
    // and returns the reason.
    DirResult LoadDirFile(const QString &fileName);
    // Appends the old-form entries of the file (no caption; full paths from `Path`).
    DirResult ParseOldDirFormat(const QString &fileName);

    // Adds the template `fileName` as a read/write entry titled from the template, unless an
    // entry of that name (without regard to case) exists or the template cannot be read.
    DirResult AddEntry(const QString &fileName);
    // The same with the template's title already looked up (nullopt: it cannot be read), for
    // a caller that looks templates up away from its own thread.
    DirResult AddEntry(const QString &fileName, const std::optional<QString> &title);
    // Removes the entry at a 1-based position; false for a position outside 1..Count().
    bool RemoveEntry(qsizetype index);

    // The caption must not be empty (blanks count as text) and there must be an entry.
    DirResult Validate() const;

    // What Save did.
    enum class SaveOutcome { Written, Invalid, NeedsFileName, Failed };
    struct SaveResult {
        SaveOutcome outcome;
        DirMessage message; // for Invalid and Failed
    };
    // Validates, then writes to Filename; a new directory needs SaveAs for a file name.
    SaveResult Save();
    // Validates, then writes to `chosenPath` (".DIR" appended unless it ends so, in any
    // case); Filename becomes that path. Path and NewFlag keep their values.
    SaveResult SaveAs(const QString &chosenPath);

    // Writes the current form to Filename (put in Path when it has no folder) atomically;
    // Filename becomes the full path. ChangeFlag is cleared only when the file was written.
    IniResult WriteDIrFile();

    // Writes `caption` and `entries` in the current form to `fileName` atomically.
    static IniResult writeDirectory(const QString &fileName, const QString &caption,
                                    const hv::DirEntries &entries);

private:
    // Sets each entry's FileExists and, for a readable template whose title differs from the
    // entry's file name, its title.
    void markTemplates();
    std::optional<QString> lookUp(const QString &fileName) const;
    SaveResult written(const IniResult &r);

    DirTemplateLookup lookup_;
    hv::DirEntries entries_;
    QString caption_;
    QString filename_;
    QString path_;
    bool newFlag_ = false;
    bool changeFlag_ = false;
};

} // namespace hv
