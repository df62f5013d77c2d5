// What the category list engine produces: the columns and rows of the item list.
//
// The engine fills these without any widget; the main window shows them as they are.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace hv {

// The six categories of the category bar, in the bar's order.
enum class Category { Applications, Popups, Rules, Units, Security, Directories };

// Row keys that are not file names.
inline constexpr char kKeyNew[] = "NEW";
inline constexpr char kKeyUnits[] = "UNITS";
inline constexpr char kKeyRules[] = "RULES";
inline constexpr char kKeySecurity[] = "SECURITY";

// Icon numbers of the rows: an item found in the folder, and the create-new and settings rows.
inline constexpr int kIconItem = 1;
inline constexpr int kIconNew = 2;

struct ListColumn {
    QString title;
    bool alignRight = false; // the "Records" / "Entries" column
};

struct ListRow {
    // The item's file name as read from disk (platform/FileNames.h: a byte that is not UTF-8
    // is held escaped), or one of the keys above. The file name column shows it in its
    // display form.
    QString key;
    QString text;
    int icon = kIconItem;
    QStringList subItems;     // columns 2 onwards; empty text where a row has none
    qint64 modifiedSecs = -1; // the time the Date/Time column shows (seconds since the epoch)
};

// The filled list of one category: columns, rows in display order, the selected row.
struct CategoryList {
    Category category = Category::Applications;
    QList<ListColumn> columns;
    QList<ListRow> rows;
    int selectedRow = 0; // index into rows: the create-new row; -1 when the fill selects none
};

} // namespace hv
