// The directory editor's rows: a table over the entries of the DirClass being edited, which
// stays the only place they are kept. Row r shows entry r + 1 with its title, access text and
// file name; edits, removals and moves of rows change the entries themselves, so the file is
// written in the order and with the texts the grid shows.
//
// Rows have the view's base colour when the entry's template was found; when not, they are
// red with black text, a warning picture and a tool tip naming the file and the folder it
// was looked for in. A change to the DirClass's entries made elsewhere (a file opened) is
// followed by reload().
#pragma once

#include "files/DirClass.h"

#include <QAbstractTableModel>

namespace hv {

class DirEntriesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kTitleColumn = 0;
    static constexpr int kAccessColumn = 1;
    static constexpr int kFilenameColumn = 2;

    // The access cell's texts; each starts with the letter stored for it.
    static QString readOnlyText();
    static QString readWriteText();

    // "R (Read Only)" for an access right of exactly "R", "W (Read/Write)" for anything else.
    static QString accessText(const QString &accessRights);
    // "R" for a text beginning with "R", otherwise "W".
    static QString accessRights(const QString &accessText);

    explicit DirEntriesModel(DirClass &dir, QObject *parent = nullptr);

    // The views start again from the DirClass's entries.
    void reload();
    // DirClass::AddEntry; the entry taken appears as a new last row.
    DirResult addEntry(const QString &fileName);
    // The same with the template's title already looked up (nullopt: it cannot be read).
    DirResult addEntry(const QString &fileName, const std::optional<QString> &title);
    // Marks whether the template of the row's entry was found (its colour).
    void setFound(int row, bool found);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Titles and file names take the text; the access column takes either access text.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;
    bool moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                  const QModelIndex &destinationParent, int destinationChild) override;

    // "GONE.HVT not found in <folder>": the tool tip of the row of a missing template.
    QString missingText(const QString &fileName) const;

private:
    // The row of an entry the DirClass has just taken, told to the views.
    DirResult shownIfAdded(DirResult r);
    DirEntry *entry(const QModelIndex &index) const;

    DirClass &m_dir;
    // The rows the views know of: the entries' count, except inside an addition, where the
    // DirClass has appended the entry before the views are told.
    int m_rows = 0;
};

} // namespace hv
