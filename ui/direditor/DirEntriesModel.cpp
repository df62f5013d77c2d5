#include "ui/direditor/DirEntriesModel.h"

#include "platform/FileNames.h"
#include "platform/PathNames.h"
#include "ui/support/Icons.h"

#include <QBrush>
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace hv {

namespace {

// The row of a template that was not found is red in every palette, with black text (5:1).
const QColor kMissingColour(255, 0, 0);
const QColor kMissingTextColour(0, 0, 0);

} // namespace

QString DirEntriesModel::readOnlyText()
{
    return tr("R (Read Only)");
}

QString DirEntriesModel::readWriteText()
{
    return tr("W (Read/Write)");
}

QString DirEntriesModel::accessText(const QString &accessRights)
{
    return accessRights == QStringLiteral("R") ? readOnlyText() : readWriteText();
}

QString DirEntriesModel::accessRights(const QString &accessText)
{
    if (accessText == readOnlyText())
        return QStringLiteral("R");
    if (accessText == readWriteText())
        return QStringLiteral("W");
    return accessText.startsWith(u'R') ? QStringLiteral("R") : QStringLiteral("W");
}

DirEntriesModel::DirEntriesModel(DirClass &dir, QObject *parent)
    : QAbstractTableModel(parent), m_dir(dir), m_rows(int(dir.DirEntries().Count()))
{
}

void DirEntriesModel::reload()
{
    beginResetModel();
    m_rows = int(m_dir.DirEntries().Count());
    endResetModel();
}

DirResult DirEntriesModel::addEntry(const QString &fileName)
{
    return shownIfAdded(m_dir.AddEntry(fileName));
}

DirResult DirEntriesModel::addEntry(const QString &fileName, const std::optional<QString> &title)
{
    return shownIfAdded(m_dir.AddEntry(fileName, title));
}

DirResult DirEntriesModel::shownIfAdded(DirResult r)
{
    if (r) {
        beginInsertRows({}, m_rows, m_rows);
        m_rows = int(m_dir.DirEntries().Count());
        endInsertRows();
    }
    return r;
}

void DirEntriesModel::setFound(int row, bool found)
{
    DirEntry *e = entry(index(row, 0));
    if (!e || e->FileExists() == found)
        return;
    e->SetFileExists(found);
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::BackgroundRole});
}

int DirEntriesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DirEntriesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

DirEntry *DirEntriesModel::entry(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return nullptr;
    return &m_dir.DirEntries().Item(index.row() + 1);
}

QVariant DirEntriesModel::data(const QModelIndex &index, int role) const
{
    const DirEntry *e = entry(index);
    if (!e)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case kTitleColumn:
            return e->Title();
        case kAccessColumn:
            return accessText(e->AccessRights());
        case kFilenameColumn:
            return e->Filename();
        }
        break;
    // A found row keeps the view's own base colour, so its text stays readable in a dark
    // palette too.
    case Qt::BackgroundRole:
        if (!e->FileExists())
            return QBrush(kMissingColour);
        break;
    case Qt::ForegroundRole:
        if (!e->FileExists())
            return QBrush(kMissingTextColour);
        break;
    case Qt::DecorationRole:
        if (!e->FileExists() && index.column() == kTitleColumn)
            return icons::themed({"dialog-warning"}, QStyle::SP_MessageBoxWarning);
        break;
    case Qt::ToolTipRole:
        if (!e->FileExists())
            return missingText(e->Filename());
        break;
    }
    return {};
}

QString DirEntriesModel::missingText(const QString &fileName) const
{
    const QString name = fileName.trimmed();
    const QFileInfo where(
        QDir::isAbsolutePath(name) ? name : paths::withTrailingSeparator(m_dir.Path()) + name);
    return tr("%1 not found in %2")
        .arg(paths::displayName(where.fileName()), paths::displayName(where.absolutePath()));
}

QVariant DirEntriesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case kTitleColumn:
        return tr("Application Title");
    case kAccessColumn:
        return tr("Access Rights");
    case kFilenameColumn:
        return tr("Filename");
    }
    return {};
}

Qt::ItemFlags DirEntriesModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool DirEntriesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    DirEntry *e = entry(index);
    if (!e || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    if (data(index).toString() == text)
        return true;
    switch (index.column()) {
    case kTitleColumn:
        e->SetTitle(text);
        break;
    case kAccessColumn:
        // An access right the editor has no text for (anything but "R" or "W") is kept until
        // the user picks another.
        e->SetAccessRights(accessRights(text));
        break;
    case kFilenameColumn:
        e->SetFilename(text);
        break;
    }
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

bool DirEntriesModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > m_rows)
        return false;
    beginRemoveRows({}, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        m_dir.RemoveEntry(row + 1);
    m_rows = int(m_dir.DirEntries().Count());
    endRemoveRows();
    return true;
}

bool DirEntriesModel::moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                               const QModelIndex &destinationParent, int destinationChild)
{
    if (sourceParent.isValid() || destinationParent.isValid() || sourceRow < 0 || count < 1 ||
        sourceRow + count > m_rows || destinationChild < 0 || destinationChild > m_rows)
        return false;
    // Refuses a move onto the rows themselves.
    if (!beginMoveRows({}, sourceRow, sourceRow + count - 1, {}, destinationChild))
        return false;
    DirEntries &entries = m_dir.DirEntries();
    for (int i = 0; i < count; ++i) {
        // Positions are 1-based; a row moved down leaves a gap above its destination.
        if (destinationChild > sourceRow)
            entries.Move(sourceRow + 1, destinationChild);
        else
            entries.Move(sourceRow + i + 1, destinationChild + i + 1);
    }
    endMoveRows();
    return true;
}

} // namespace hv
