// The user's settings: window placement, last project folder and list view mode.
//
// The store is the INI file `HVAdmin.ini` in the suite's per-user configuration folder
// ($XDG_CONFIG_HOME/Halvora/HV50/), read through QSettings. Every access opens it afresh,
// so a value written is seen by every later read, in this run and the next. The console's
// values are in the section "Settings":
//
//     Window        top,left,width,height,state  (twips; state 0 normal, 2 maximised)
//     LastFolder    the project folder
//     ListViewMode  0 large icons, 1 small icons, 2 list, 3 details
//
// and, per category of the item list (NAME: Applications, Popups, DirectoryFiles), the
// order and the column widths the user chose there:
//
//     ListSortNAME          column,order  (column from 0; order 0 ascending, 1 descending)
//     ListColumnWidthsNAME  one width per column in twips, 0 for a column the user has not
//                           sized (it fits its contents)
#pragma once

#include "lists/ListRows.h"
#include "platform/Twips.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace hv {

// The path of the store file.
QString UserSettingsFile();

// The value of `key` in `section`; empty when the section or the key is absent. A value that
// QSettings reads as a list (unquoted commas) comes back joined with ",".
QString ReadSetting(const QString &section, const QString &key);

// Stores the value (creating the section) and writes the store to disk.
void WriteSetting(const QString &section, const QString &key, const QString &value);

// A window placement as stored: position and size in twips, and the window state.
struct WindowSetting {
    static constexpr int kNormal = 0;
    static constexpr int kMaximised = 2;

    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    int state = kNormal;

    friend bool operator==(const WindowSetting &, const WindowSetting &) = default;
};

// Top-left corner, 800 by 600 pixels, normal.
WindowSetting DefaultWindowSetting(TwipsPerPixel tpp);

// "top,left,width,height,state". Nothing for fewer than five parts, a part that is not an
// integer, or a width or height that is not positive; parts after the fifth are ignored.
// A state other than 2 reads as normal.
std::optional<WindowSetting> ParseWindowSetting(const QString &text);
QString FormatWindowSetting(const WindowSetting &setting);

// The stored "Window" value, or the default when it is absent or malformed.
WindowSetting ReadWindowSetting(TwipsPerPixel tpp);
void WriteWindowSetting(const WindowSetting &setting);

// The stored "LastFolder", or the program folder when none is stored.
QString ReadLastFolder();
void WriteLastFolder(const QString &path);

// The stored "RecentFolders": the project folders opened last, newest first, each once and
// without a trailing '/', at most kRecentFolderCount.
inline constexpr int kRecentFolderCount = 10;
QStringList ReadRecentFolders();
// Puts `folder` first in "RecentFolders", dropping an earlier mention of it and the oldest
// beyond kRecentFolderCount. A name that is not UTF-8 is not remembered (the store would
// change its bytes).
void RememberRecentFolder(const QString &folder);

// The stored "ListViewMode"; 3 when it is absent or not a number from 0 to 3.
int ReadListViewMode();
void WriteListViewMode(int mode);

// The sort the user chose for the list of a category. A column below 0 is the list's own
// order (by title).
struct ListSortSetting {
    int column = -1;
    bool descending = false;

    friend bool operator==(const ListSortSetting &, const ListSortSetting &) = default;
};

// The stored "ListSortNAME"; the list's own order when it is absent or malformed, and for
// the categories that are no file lists (rules, units, security).
ListSortSetting ReadListSort(Category category);
void WriteListSort(Category category, const ListSortSetting &sort);

// The stored "ListColumnWidthsNAME" in twips, 0 (or nothing) for a column the user has not
// sized; a part that is not a positive number reads as 0.
QList<int> ReadListColumnWidths(Category category);
void WriteListColumnWidths(Category category, const QList<int> &widths);

// ReadLastFolder with a trailing '/'.
QString GetLastFolder();
void SaveLastFolder(const QString &path);
// LoadListViewMode sets the shared ListViewMode from the store and stores nothing;
// SaveListViewMode stores it.
void LoadListViewMode();
void SaveListViewMode();

} // namespace hv
