// The category list engine: the columns and rows of the item list for each category.
//
// One fill per category. Each lists the project folder afresh (the engine keeps no state
// between calls) and returns the rows in display order:
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

namespace hv {

// What a fill works on.
struct ListSource {
    QString projectFolder;          // the project folder (a trailing '/' is optional)
    int listViewMode = ViewDetails; // the item list's view mode (ListViewModes)
    // Makes the fill's template information component; when empty, the component that reads
    // the template files (TemplateFileInfo) is used.
    TemplateInfoFactory templateFactory;
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
// order.
void sortRowsByText(QList<ListRow> &rows);

} // namespace hv
