// The folders of the file system, for the folder tree: `/` at the top, each folder listed
// when it is first expanded, by a job, never on this thread (a folder may be on a share that
// stopped answering, or hold the mount point of one). Only folders are shown, hidden ones
// (a name starting with a dot) are not; names are bytes, held as the platform decodes them.
// Rows are sorted by name in natural order, letters regardless of case.
//
// A folder not yet listed says it has children, so the tree offers to expand it; expanding it
// (fetchMore) starts its listing, whose rows arrive later on this thread. A listing that stops
// answering shows one row, "(not answering)", until the answer comes. refresh() lists a
// folder again and changes only the rows that came or went, so folders expanded below stay.
// Nothing here looks at the disk on this thread: no stat, no icon provider, no watcher.
#pragma once

#include <QAbstractItemModel>
#include <QByteArray>
#include <QHash>
#include <QIcon>

#include <memory>
#include <vector>

namespace hv {

class FolderModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // The full path of a row (a QString as the platform decodes names).
    static constexpr int PathRole = Qt::UserRole + 1;

    explicit FolderModel(QObject *parent = nullptr);
    ~FolderModel() override;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The full path of a folder's row; empty for the placeholder and an invalid index.
    QString filePath(const QModelIndex &index) const;
    // Whether the row is the "(not answering)" placeholder of a stalled listing.
    bool isPlaceholder(const QModelIndex &index) const;
    // Whether the folder's listing has arrived (it may have failed: then it has no rows).
    bool isListed(const QModelIndex &index) const;
    // Whether a listing of the folder runs (its first or a refresh).
    bool isListing(const QModelIndex &index) const;

    // The row of `path` (absolute, cleaned) when every folder down to it has been listed
    // (`complete` true); otherwise the deepest folder of the path that has a row (`/` at
    // least, for an absolute path), with `complete` false.
    QModelIndex deepestIndex(const QString &path, bool &complete) const;

    // Lists a listed folder again (nothing when it is being listed or was never listed).
    void refresh(const QModelIndex &folder);

Q_SIGNALS:
    // The listing of a folder arrived (or failed); its rows are in place.
    void folderListed(const QModelIndex &folder);

private:
    struct Node;
    struct Entry;
    Node *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(const Node *node) const;
    QByteArray pathBytes(const Node *node) const;
    void startListing(Node *node);
    void onListed(quint64 id, bool failed, const std::vector<Entry> &entries);
    void onNotAnswering(quint64 id);
    void insertChild(Node *parent, int row, std::unique_ptr<Node> child);
    void removeChild(Node *parent, int row);
    void forget(Node *node);

    std::unique_ptr<Node> m_root;
    QHash<quint64, Node *> m_nodes; // every folder node, by id, for results that come late
    quint64 m_nextId = 1;
    QIcon m_folderIcon;
};

} // namespace hv
