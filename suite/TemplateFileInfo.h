// The template information component that reads the suite's template files on disk.
//
// Templates (*.HVT applications, *.HPT popups) are INI text:
//
//     [TEMPLATE]
//     Title=Plant Inspection
//     [ENTRY]
//     Key=1
//
// - A template is readable when the file exists and holds a "[TEMPLATE]" header line.
// - Its title is the TITLE key of [TEMPLATE] (the last one when repeated). Without a title,
//   or when the template cannot be read, TemplateTitle gives the path text exactly as set
//   and GetApplicationInfo / GetPopupInfo give the file name without its folder.
// - Its entries are the [ENTRY] sections in order, each with its KEY value.
// - The record count is that of the dBase header of the data file beside the template
//   (".hvd" for an application, ".hpd" for a popup); 0 when there is none or it is unreadable.
// - The date/time text is the last modification time of the data file (of the template when
//   there is no data file), local time, "yyyy-MM-dd hh:mm".
// Nothing here fails: unreadable or corrupt files give the fallbacks above. ReadError tells
// a template that cannot be read (with the system's reason) from one that reads but is not
// valid, which operations treat as a template without entries.
//
// Names are found without regard to letter case through the resolver's folder index: one
// instance serves one operation, and a folder is listed at most once for it (the index can
// be the operation's own, see useFolderIndex). summaries() reads many templates with several
// readers at once (parallel::readerCountFor), and gives what the one-by-one calls give.
#pragma once

#include "platform/SmallFile.h"
#include "suite/TemplateInfo.h"

#include <QString>

#include <algorithm>
#include <memory>
#include <vector>

namespace hv {

class TemplateFileInfo : public TemplateInfo {
public:
    // Relative template names are resolved against `baseFolder` (the project folder); with
    // an empty base folder, against the current folder.
    explicit TemplateFileInfo(QString baseFolder = {});

    // The number of templates summaries() reads at once; 0 (the default) chooses by the file
    // system of the base folder, 1 reads one after the other.
    void setReaderCount(int readers) { m_readerCount = readers; }
    void useFolderIndex(std::shared_ptr<paths::FolderIndex> index) override;

    void SetTemplatePath(const QString &path) override;
    QString TemplatePath() const override { return m_templatePath; }

    void OpenTemplate() override;
    bool IsValidTemplate() override;
    QString ReadError() override;
    QString PathOnDisk() override;
    QString TemplateTitle() override;
    TemplateEntries Entries() const override { return m_entries; }
    QString BasePath() const override { return m_basePath; }
    void CloseTemplate() override;

    void GetApplicationInfo(const QString &path, QString &title, qint32 &recordCount,
                            QString &dateTime) override;
    void GetPopupInfo(const QString &path, QString &title, qint32 &recordCount,
                      QString &dateTime) override;
    QList<TemplateSummary> summaries(const QStringList &paths, bool popups,
                                     std::atomic<qsizetype> *done = nullptr,
                                     const std::atomic<bool> *cancelled = nullptr) override;
    QList<TemplateSummary>
    listedSummaries(const QString &folder,
                    const std::function<void(const std::function<void(const QString &)> &)> &list,
                    bool popups, std::atomic<qsizetype> *done = nullptr,
                    const std::atomic<bool> *cancelled = nullptr) override;

    // The largest file read as a template; a bigger file is not a template.
    static constexpr qint64 kMaxTemplateBytes = 16 * 1024 * 1024;

    // The date/time text of a modification time in seconds since the epoch.
    static QString dateTimeText(qint64 secondsSinceEpoch);

private:
    struct Parsed {
        bool valid = false;
        QString title;
        QList<TemplateEntry> entries;
        QString diskPath;         // the template as found on disk; empty when there is none
        QString readError;        // why it could not be read; empty when it was read
        qint64 modifiedSecs = -1; // its modification time
    };

    // What one reader keeps from file to file; each thread of summaries() has its own.
    struct Reader {
        QByteArray buffer;     // reused for every template read
        FolderHandles folders; // the folders of the templates and data files read
        qint64 lastMinute = -1;
        QString lastMinuteText;
        // dateTimeText, remembering the text of the last minute asked for.
        QString dateTimeText(qint64 secondsSinceEpoch);
    };
    // The readers of one call of summaries() or listedSummaries(). Reader 0 is the calling
    // thread's; the others live for the call, on threads with descriptor tables of their own,
    // and each is released on its thread: the folders it keeps open are open in that thread's
    // table alone.
    class Readers {
    public:
        Readers(Reader &calling, int count)
            : m_calling(calling), m_others(size_t(std::max(count - 1, 0)))
        {
        }
        Reader &of(int reader);
        void release(int reader);

    private:
        Reader &m_calling;
        std::vector<std::unique_ptr<Reader>> m_others;
    };
    // How many templates summaries() reads at once.
    int readerCount() const;

    // The path of `path` with a relative name resolved against the base folder.
    QString absolute(const QString &path) const;
    // Opens `path`, found without regard to case; `onDisk` is the name it was found under
    // (also when it cannot be opened), empty when there is none.
    void open(Reader &reader, std::optional<ReadOnlyFile> &file, const QString &path,
              QString &onDisk);
    // Reads and parses the template at `path`; `withEntries` also collects the entries.
    Parsed read(Reader &reader, const QString &path, bool withEntries);
    // Reads the parse of the current TemplatePath once.
    const Parsed &current();
    TemplateSummary summary(Reader &reader, const QString &path, const char *dataSuffix);
    // summary() of the file `name` of `folder` (a full path ending in '/'), opened with the
    // data file through the folder's descriptor, no path made; any other case (a name to look
    // up without regard to case, a file that cannot be opened) takes summary()'s way.
    TemplateSummary summaryIn(Reader &reader, const QString &folder, const QString &name,
                              const char *dataSuffix);
    // The record count and time of the data file `stem` + `dataSuffix`, found without regard
    // to case; without one, the time of the template at `templateOnDisk`.
    void addDataFile(Reader &reader, TemplateSummary &s, const QString &stem,
                     const QString &templateOnDisk, const char *dataSuffix);
    // The record count and time of the open data file `data`; false when it is not a regular
    // file.
    static bool takeDataFile(Reader &reader, TemplateSummary &s, ReadOnlyFile &data);

    QString m_baseFolder;
    std::shared_ptr<paths::FolderIndex> m_index;
    int m_readerCount = 0;
    Reader m_reader; // the reader of the calling thread
    QString m_templatePath;
    bool m_currentRead = false;
    Parsed m_current;
    TemplateEntries m_entries;
    QString m_basePath;
};

// A factory of real components for a fill in `projectFolder`.
TemplateInfoFactory templateFileInfoFactory(const QString &projectFolder);

} // namespace hv
