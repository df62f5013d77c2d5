// The main window keeps the user's place in its item list across refills: the items selected
// before, the row in place of items that went, the item a command names, or the template file
// that a "Create New" added.
#include "ui/mainwindow/frmHVSetup.h"

#include "app/Jobs.h"
#include "lists/ListRows.h"
#include "platform/FileNames.h"
#include "ui/mainwindow/ItemListView.h"

#include <QAbstractItemView>
#include <QSet>

#include <sys/stat.h>

#include <algorithm>
#include <utility>

namespace hv {

void frmHVSetup::restorePlace(bool samePlace)
{
    QAbstractItemView &view = *m_list->currentView();
    PlaceRequest request = std::exchange(m_request, PlaceRequest{});
    if (request.category != m_shownCategory)
        request.kind = PlaceRequest::None;
    const int rows = view.model() ? view.model()->rowCount() : 0;
    // The first of `keys` that is there, the others added to the selection after it.
    const auto firstThere = [&view](const QStringList &keys) {
        for (const QString &key : keys) {
            if (const int row = listplace::rowOfKey(view, key); row >= 0)
                return row;
        }
        return -1;
    };
    QStringList others;
    int row = -1;
    switch (request.kind) {
    case PlaceRequest::Key:
        row = firstThere(request.keys);
        others = request.keys;
        break;
    case PlaceRequest::InPlaceOf:
        row = firstThere(request.keys);
        others = request.keys;
        if (row < 0)
            row = listplace::rowOfKey(view, request.below);
        if (row < 0)
            row = listplace::rowOfKey(view, request.above);
        if (row < 0 && request.row >= 0)
            row = std::min(request.row, rows - 1); // the row below, else the row above
        break;
    case PlaceRequest::NewFile: {
        QStringList added;
        for (const QString &key : listplace::keys(view)) {
            if (key != QLatin1String(kKeyNew) && !request.keysBefore.contains(key))
                added.append(key);
        }
        if (added.size() == 1)
            row = listplace::rowOfKey(view, added.first());
        else if (added.size() > 1)
            selectNewestOf(added);
        break;
    }
    case PlaceRequest::None:
        break;
    }
    if (row >= 0) {
        listplace::selectRow(view, row, true);
        if (m_list->allowsSeveral())
            listplace::addToSelection(view, others);
        return;
    }
    if (!samePlace || m_place.row < 0)
        return;
    // The items selected before, or the row where the first was when it has gone.
    row = listplace::rowOfKey(view, m_place.key);
    listplace::selectRow(view, row >= 0 ? row : std::min(m_place.row, rows - 1), false);
    if (row >= 0 && m_list->allowsSeveral())
        listplace::addToSelection(view, m_place.others);
}

void frmHVSetup::selectNewestOf(const QStringList &keys)
{
    // The files' times are read off the user-interface thread; the list may have been filled
    // again by the time they come, and then they are not used.
    const QString folder = m_shownFolder;
    const quint64 generation = m_shownGeneration;
    auto *job = startJob<QString>(folder, [folder, keys](JobControl &control) {
        QString newest;
        timespec newestTime{};
        for (const QString &key : keys) {
            struct stat info {};
            if (control.isCancelled() ||
                ::stat(paths::encodeName(folder + key).constData(), &info) != 0)
                continue;
            const timespec time = info.st_mtim;
            if (newest.isEmpty() || time.tv_sec > newestTime.tv_sec ||
                (time.tv_sec == newestTime.tv_sec && time.tv_nsec > newestTime.tv_nsec)) {
                newest = key;
                newestTime = time;
            }
        }
        return newest;
    });
    connect(job, &Job::finished, this, [this, job, generation] {
        if (job->isCancelled() || generation != m_shownGeneration)
            return;
        QAbstractItemView &view = *m_list->currentView();
        const int row = listplace::rowOfKey(view, job->result());
        if (row >= 0)
            listplace::selectRow(view, row, true);
    });
}

void frmHVSetup::selectAfterRefill(const QString &key)
{
    selectAllAfterRefill({key});
}

void frmHVSetup::selectAllAfterRefill(const QStringList &keys)
{
    m_request = PlaceRequest{PlaceRequest::Key, category(), keys, -1, {}, {}, {}};
}

void frmHVSetup::selectInPlaceOf(const QStringList &keys)
{
    const QStringList shown = listplace::keys(*m_list->currentView());
    int last = -1;
    for (const QString &key : keys)
        last = std::max(last, int(shown.indexOf(key)));
    PlaceRequest request{PlaceRequest::InPlaceOf, category(), keys, last, {}, {}, {}};
    if (last >= 0) {
        const QSet<QString> going(keys.cbegin(), keys.cend());
        for (int row = last + 1; row < shown.size() && request.below.isEmpty(); ++row) {
            if (!going.contains(shown.at(row)))
                request.below = shown.at(row);
        }
        for (int row = last - 1; row >= 0 && request.above.isEmpty(); --row) {
            if (!going.contains(shown.at(row)))
                request.above = shown.at(row);
        }
        // What stays after the last of them moves up by the number going above it.
        for (int row = 0; row < last; ++row)
            request.row -= going.contains(shown.at(row)) ? 1 : 0;
    }
    m_request = request;
}

void frmHVSetup::selectNewFileAfterRefill()
{
    const QStringList shown = listplace::keys(*m_list->currentView());
    m_request = PlaceRequest{PlaceRequest::NewFile,
                             category(),
                             {},
                             -1,
                             {},
                             {},
                             QSet<QString>(shown.cbegin(), shown.cend())};
}

} // namespace hv
