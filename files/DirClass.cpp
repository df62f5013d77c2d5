#include "files/DirClass.h"

#include "log/DiagnosticLog.h"
#include "platform/Ansi.h"
#include "platform/PathNames.h"
#include "platform/SmallFile.h"

#include <stdexcept>
#include <utility>

namespace hv {
namespace {

const QString kModule = QStringLiteral("DirClass");

// The folder part of `path` up to and including its last separator (empty when none).
QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.first(slash + 1);
}

// Reads the whole file `fileName` (found without regard to case) into `bytes`.
// The numbers under which file errors are logged: a file that is not there, and one that
// cannot be read or written.
constexpr int kFileNotFound = 53;
constexpr int kFileAccessError = 75;

DirResult readBytes(const QString &fileName, QByteArray &bytes, int &number)
{
    bytes.clear();
    const QString path = paths::findExisting(fileName);
    number = kFileNotFound;
    if (path.isEmpty())
        return DirResult::failure(QStringLiteral("Cannot find %1").arg(fileName));
    QString reason;
    number = kFileAccessError;
    if (!readRegularFile(path, ini::kMaxFileBytes, bytes, reason))
        return DirResult::failure(QStringLiteral("Cannot read %1: %2").arg(fileName, reason));
    return {};
}

QString errorEntry(int number, const QString &description)
{
    return QStringLiteral("Error: %1 - %2").arg(number).arg(description);
}

} // namespace

// The editor shows these in the user's language: they are marked for the catalogue in the
// context "hv::DirClass".
const QString DirClass::kDuplicateText = QStringLiteral(
    QT_TRANSLATE_NOOP("hv::DirClass", "The application you are trying to add is already included "
                                      "in this Directory File. Please select a unique "
                                      "application."));
const QString DirClass::kDuplicateTitle =
    QStringLiteral(QT_TRANSLATE_NOOP("hv::DirClass", "File Exists"));
const QString DirClass::kInvalidTemplateText = QStringLiteral(QT_TRANSLATE_NOOP(
    "hv::DirClass", "Invalid Filename or file does not exist. Add operation cancelled."));
const QString DirClass::kBlankCaptionText =
    QStringLiteral(QT_TRANSLATE_NOOP("hv::DirClass", "Directory file Caption cannot be blank."));
const QString DirClass::kNoEntriesText = QStringLiteral(QT_TRANSLATE_NOOP(
    "hv::DirClass",
    "Directory file cannot have 0 file entries. Please enter at least one Template."));

// --- DirEntries ---

DirEntry &DirEntries::Add()
{
    return entries_.emplace_back();
}

void DirEntries::checkIndex(qsizetype index, const char *operation) const
{
    if (index < 1 || index > Count())
        throw std::out_of_range(std::string("DirEntries::") + operation + ": position " +
                                std::to_string(index) + " outside 1.." + std::to_string(Count()));
}

DirEntry &DirEntries::Item(qsizetype index)
{
    checkIndex(index, "Item");
    return entries_[size_t(index - 1)];
}

const DirEntry &DirEntries::Item(qsizetype index) const
{
    checkIndex(index, "Item");
    return entries_[size_t(index - 1)];
}

void DirEntries::Remove(qsizetype index)
{
    checkIndex(index, "Remove");
    entries_.erase(entries_.begin() + (index - 1));
}

void DirEntries::Move(qsizetype from, qsizetype to)
{
    checkIndex(from, "Move");
    checkIndex(to, "Move");
    DirEntry moved = std::move(entries_[size_t(from - 1)]);
    entries_.erase(entries_.begin() + (from - 1));
    entries_.insert(entries_.begin() + (to - 1), std::move(moved));
}

// --- DirClass ---

DirResult DirClass::OpenExisting(const QString &fullPath)
{
    WriteLog(kModule, QStringLiteral("OpenExisting"), fullPath);
    path_ = folderOf(fullPath);
    filename_ = fullPath.sliced(path_.size());
    newFlag_ = false;
    DirResult r = LoadDirFile(path_ + filename_);
    changeFlag_ = false;
    return r;
}

void DirClass::StartNew(const QString &folder)
{
    path_ = paths::withTrailingSeparator(folder);
    filename_.clear();
    caption_.clear();
    entries_ = {};
    newFlag_ = true;
    changeFlag_ = true;
}

DirResult DirClass::LoadDirFile(const QString &fileName)
{
    WriteLog(kModule, QStringLiteral("LoadDirFile"), fileName);
    caption_.clear();
    entries_ = {};
    QByteArray bytes;
    int number = 0;
    if (DirResult r = readBytes(fileName, bytes, number); !r) {
        WriteLog(kModule, QStringLiteral("LoadDirFile"), errorEntry(number, r.message.text));
        return r;
    }
    DirFileContent content = dirformat::parse(bytes, path_);
    if (content.oldForm)
        WriteLog(kModule, QStringLiteral("ParseOldDirFormat"), fileName);
    caption_ = content.caption;
    entries_ = hv::DirEntries(std::move(content.entries));
    markTemplates();
    return {};
}

DirResult DirClass::ParseOldDirFormat(const QString &fileName)
{
    WriteLog(kModule, QStringLiteral("ParseOldDirFormat"), fileName);
    QByteArray bytes;
    int number = 0;
    if (DirResult r = readBytes(fileName, bytes, number); !r)
        return r;
    for (DirEntry &entry : dirformat::parseOldForm(bytes, path_).entries)
        entries_.Add() = std::move(entry);
    return {};
}

std::optional<QString> DirClass::lookUp(const QString &fileName) const
{
    if (!lookup_)
        return std::nullopt;
    return lookup_(fileName);
}

void DirClass::markTemplates()
{
    for (DirEntry &entry : entries_) {
        const std::optional<QString> title = lookUp(entry.Filename());
        entry.SetFileExists(title.has_value());
        if (title && *title != entry.Filename())
            entry.SetTitle(*title);
    }
}

DirResult DirClass::AddEntry(const QString &fileName)
{
    for (const DirEntry &entry : entries_) {
        if (entry.Filename().compare(fileName, Qt::CaseInsensitive) == 0)
            return AddEntry(fileName, std::nullopt); // refused as a duplicate before the title
    }
    return AddEntry(fileName, lookUp(fileName));
}

DirResult DirClass::AddEntry(const QString &fileName, const std::optional<QString> &title)
{
    WriteLog(kModule, QStringLiteral("AddEntry"), fileName);
    for (const DirEntry &entry : entries_) {
        if (entry.Filename().compare(fileName, Qt::CaseInsensitive) == 0)
            return DirResult::failure(kDuplicateText, kDuplicateTitle, true);
    }
    if (!title)
        return DirResult::failure(kInvalidTemplateText);
    DirEntry &entry = entries_.Add();
    entry.SetFilename(fileName);
    entry.SetTitle(*title);
    entry.SetAccessRights(QStringLiteral("W"));
    entry.SetFileExists(true);
    changeFlag_ = true;
    return {};
}

bool DirClass::RemoveEntry(qsizetype index)
{
    if (index < 1 || index > entries_.Count())
        return false;
    WriteLog(kModule, QStringLiteral("RemoveEntry"), entries_.Item(index).Filename());
    entries_.Remove(index);
    changeFlag_ = true;
    return true;
}

DirResult DirClass::Validate() const
{
    if (caption_.isEmpty())
        return DirResult::failure(kBlankCaptionText);
    if (entries_.Count() == 0)
        return DirResult::failure(kNoEntriesText);
    return {};
}

DirClass::SaveResult DirClass::written(const IniResult &r)
{
    if (!r)
        return {SaveOutcome::Failed, {r.error, {}, true}};
    return {SaveOutcome::Written, {}};
}

DirClass::SaveResult DirClass::Save()
{
    if (DirResult v = Validate(); !v)
        return {SaveOutcome::Invalid, v.message};
    if (newFlag_)
        return {SaveOutcome::NeedsFileName, {}};
    return written(WriteDIrFile());
}

DirClass::SaveResult DirClass::SaveAs(const QString &chosenPath)
{
    if (DirResult v = Validate(); !v)
        return {SaveOutcome::Invalid, v.message};
    WriteLog(kModule, QStringLiteral("SaveAs"), chosenPath);
    const bool hasExtension =
        chosenPath.size() >= 4 && chosenPath.right(4).compare(u".DIR", Qt::CaseInsensitive) == 0;
    filename_ = hasExtension ? chosenPath : chosenPath + QStringLiteral(".DIR");
    return written(WriteDIrFile());
}

IniResult DirClass::writeDirectory(const QString &fileName, const QString &caption,
                                   const hv::DirEntries &entries)
{
    // A directory file is Windows-1252 text, one value a line: what it cannot hold is
    // refused, never written changed (a template name changed so names no file).
    const auto refuse = [&](const QString &what, const QString &value, const QString &problem) {
        return IniResult::failure(QStringLiteral("Cannot write %1: the %2 \"%3\" cannot be "
                                                 "written to a directory file: %4.")
                                      .arg(fileName, what, value, problem));
    };
    if (const QString problem = ansi::oneLineProblem(caption); !problem.isEmpty())
        return refuse(QStringLiteral("caption"), caption, problem);
    for (const DirEntry &entry : entries) {
        for (const auto &[what, value] :
             {std::pair{QStringLiteral("title"), &entry.Title()},
              std::pair{QStringLiteral("template name"), &entry.Filename()},
              std::pair{QStringLiteral("access right"), &entry.AccessRights()}}) {
            if (const QString problem = ansi::oneLineProblem(*value); !problem.isEmpty())
                return refuse(what, *value, problem);
        }
    }
    const std::optional<QByteArray> bytes = dirformat::formatFile(caption, entries.entries());
    IniResult r = INIfile::SaveFileBytes(
        fileName, bytes.value_or(QByteArray()),
        bytes ? QString()
              : QStringLiteral("the file would be larger than %1 bytes").arg(ini::kMaxFileBytes));
    if (r)
        WriteLog(kModule, QStringLiteral("writeDirectory"),
                 QStringLiteral("Saved %1 with %2 entries").arg(fileName).arg(entries.Count()));
    return r;
}

IniResult DirClass::WriteDIrFile()
{
    WriteLog(kModule, QStringLiteral("WriteDIrFile"), filename_);
    if (!filename_.contains(u'/'))
        filename_ = path_ + filename_;
    if (filename_.isEmpty() || filename_.endsWith(u'/'))
        return IniResult::failure(QStringLiteral("The directory file has no file name"));
    IniResult r = writeDirectory(filename_, caption_, entries_);
    if (r)
        changeFlag_ = false;
    else
        WriteLog(kModule, QStringLiteral("WriteDIrFile"), errorEntry(kFileAccessError, r.error));
    return r;
}

} // namespace hv
