// The category list engine: the columns and rows of the item list for each category.
//
// One fill per category. Each lists the project folder afresh, once (the engine keeps no
// state between calls; the fill's folder index answers every further name lookup), reads the
// files it lists several at a time and returns the rows in display order:
// - Applications (*.HVT, names beginning with "$" left out) and Popups (*.HPT): one row per
//   template with its title, file name, record count and date/time, as the template
//   information component reports them (one component instance per fill);
// - Directory Files (*.dir): one row per file with its caption and number of entries;
// - then the rows are sorted once by their text, ascending, without regard to case, and the
//   create-new row goes on top, selected;
// - Rules, Units of Measure, Security: the one settings row, nothing selected.
// Extensions match in any letter case; dot-files and folders are not listed; a missing or
// unreadable folder gives just the first row. Nothing here fails on a bad file: an unreadable
// template or directory file still lists, with the fallbacks of its reader.
#pragma once

#include "lists/ListRows.h"
#include "lists/ViewMode.h"
#include "suite/TemplateInfo.h"

#include <QString>

#include <atomic>

namespace hv {

// How far a fill has got: a window that runs the fill on another thread shows it.
struct ListProgress {
    std::atomic<qsizetype> found{0}; // the files the fill has listed
    std::atomic<qsizetype> read{0};  // of which it has read
};

// What a fill works on.
struct ListSource {
    QString projectFolder;          // the project folder (a trailing '/' is optional)
    int listViewMode = ViewDetails; // the item list's view mode (ListViewModes)
    // Makes the fill's template information component; when empty, the component that reads
    // the template files (TemplateFileInfo) is used.
    TemplateInfoFactory templateFactory;
    // How many files a fill reads at once: 0 chooses by the folder's file system
    // (parallel::readerCountFor), 1 reads one after the other. The rows are the same.
    int readers = 0;
    // Kept up to date during the fill when given.
    ListProgress *progress = nullptr;
    // When given and it turns true, the fill reads no further file and returns what it has
    // (a list nobody should show).
    const std::atomic<bool> *cancelled = nullptr;
};

CategoryList LoadApplicationSection(const ListSource &source);
CategoryList LoadPopupSection(const ListSource &source);
CategoryList LoadDIRSection(const ListSource &source);
CategoryList LoadUntisSection(const ListSource &source);
CategoryList LoadRulesSection(const ListSource &source);
CategoryList LoadSecuritySection(const ListSource &source);

// The fill of `category`.
CategoryList LoadCategory(Category category, const ListSource &source);

// Sorts rows once by their text, ascending, without regard to case; equal texts keep their
// order. The first `keepFirst` rows stay where they are, before the sorted ones.
void sortRowsByText(QList<ListRow> &rows, qsizetype keepFirst = 0);

} // namespace hv
