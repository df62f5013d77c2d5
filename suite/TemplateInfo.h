// The template information component: what the console asks about a suite template.
//
// The console never parses a template itself. It creates one instance at each place of use
// (a list fill, a context menu, a confirmation window, a rename, a directory load), calls the
// operations below and releases it. This interface lets tests substitute fakes; the real
// component, which reads the template files on disk, is TemplateFileInfo.
#pragma once

#include "platform/PathNames.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

namespace hv {

// One entry of a template; its key numbers one companion file of the application.
struct TemplateEntry {
    QString Key;
};

// The entries of a read template, in template order, positions counted from 1.
class TemplateEntries {
public:
    TemplateEntries() = default;
    explicit TemplateEntries(QList<TemplateEntry> entries) : entries_(std::move(entries)) {}

    qint32 Count() const { return qint32(entries_.size()); }
    // The entry at a 1-based position; an empty entry for a position outside 1..Count().
    TemplateEntry Item(qint32 index) const
    {
        return index >= 1 && index <= Count() ? entries_.at(index - 1) : TemplateEntry();
    }

private:
    QList<TemplateEntry> entries_;
};

// What a list fill and the confirmation window show of a template.
struct TemplateSummary {
    QString title;
    qint32 recordCount = 0;
    QString dateTime;
    qint64 modifiedSecs = -1; // the time dateTime shows, in seconds since the epoch; -1 none
};

class TemplateInfo {
public:
    virtual ~TemplateInfo() = default;

    // Names the template for the operations below.
    virtual void SetTemplatePath(const QString &path) = 0;
    virtual QString TemplatePath() const = 0;

    // Reads the named template; Entries and BasePath are valid afterwards.
    virtual void OpenTemplate() = 0;
    // True when the named template can be read and holds a [TEMPLATE] header.
    virtual bool IsValidTemplate() = 0;
    // Why the named template cannot be read at all (missing, an I/O error, no permission),
    // in the system's words; empty when it reads, whether or not it is a valid template.
    virtual QString ReadError() { return {}; }
    // The named template as found on disk (its name in the letter case on disk); the path as
    // set when it is not found.
    virtual QString PathOnDisk() { return TemplatePath(); }
    // The named template's title.
    virtual QString TemplateTitle() = 0;
    // The entries of the template read by OpenTemplate.
    virtual TemplateEntries Entries() const = 0;
    // The path of the template read by OpenTemplate, without its extension.
    virtual QString BasePath() const = 0;
    // Releases the template read by OpenTemplate.
    virtual void CloseTemplate() = 0;

    // Title, record count and date/time text of an application or a popup template.
    // Never fails: an unreadable template or data file gives the fallback values.
    virtual void GetApplicationInfo(const QString &path, QString &title, qint32 &recordCount,
                                    QString &dateTime) = 0;
    virtual void GetPopupInfo(const QString &path, QString &title, qint32 &recordCount,
                              QString &dateTime) = 0;

    // What GetApplicationInfo (popups: GetPopupInfo) gives for each of `paths`, in order;
    // `done`, when given, counts the templates read so far. Once `cancelled` (when given)
    // turns true no further template is read, and those not read keep empty summaries. A
    // component may read the templates at once; this one asks one after the other.
    virtual QList<TemplateSummary> summaries(const QStringList &paths, bool popups,
                                             std::atomic<qsizetype> *done = nullptr,
                                             const std::atomic<bool> *cancelled = nullptr)
    {
        QList<TemplateSummary> result;
        result.reserve(paths.size());
        for (const QString &path : paths) {
            if (cancelled && *cancelled) {
                result.resize(paths.size());
                break;
            }
            result.append(popups ? popupSummary(path) : applicationSummary(path));
            if (done)
                ++*done;
        }
        return result;
    }
    // summaries() of the templates that `list` names while it is still naming them: list calls
    // found(name) for each template of `folder` (a path ending in '/') in turn, and returns
    // once all are named; the summaries come in that order. A component may begin reading
    // while the listing goes on; this one lists first.
    virtual QList<TemplateSummary>
    listedSummaries(const QString &folder,
                    const std::function<void(const std::function<void(const QString &)> &)> &list,
                    bool popups, std::atomic<qsizetype> *done = nullptr,
                    const std::atomic<bool> *cancelled = nullptr)
    {
        QStringList paths;
        list([&](const QString &name) { paths.append(folder + name); });
        return summaries(paths, popups, done, cancelled);
    }

    // Lets the component find names through the folder index of the operation it serves,
    // instead of listing the folders again; a component that looks up no names ignores it.
    virtual void useFolderIndex(std::shared_ptr<paths::FolderIndex> index) { (void)index; }

    // The same as one value.
    TemplateSummary applicationSummary(const QString &path)
    {
        TemplateSummary s;
        GetApplicationInfo(path, s.title, s.recordCount, s.dateTime);
        return s;
    }
    TemplateSummary popupSummary(const QString &path)
    {
        TemplateSummary s;
        GetPopupInfo(path, s.title, s.recordCount, s.dateTime);
        return s;
    }
};

// Makes one component instance; a list fill calls it once and releases the instance at its end.
using TemplateInfoFactory = std::function<std::unique_ptr<TemplateInfo>()>;

} // namespace hv
