#include "ui/mainwindow/FolderModel.h"

#include "app/Jobs.h"
#include "platform/FileNames.h"
#include "ui/support/NaturalOrder.h"

#include <QApplication>
#include <QCollator>
#include <QPointer>
#include <QSet>
#include <QStyle>

#include <algorithm>

namespace hv {

struct FolderModel::Entry {
    QByteArray name;
    QString shown;
};

struct FolderModel::Node {
    enum State { Unlisted, Listing, Listed };
    quint64 id = 0; // 0 for the placeholder
    QByteArray name;
    QString shown;
    Node *parent = nullptr;
    int row = 0;
    State state = Unlisted;
    bool listedOnce = false;
    bool hasPlaceholder = false;
    QPointer<Job> listing;
    std::vector<std::unique_ptr<Node>> children;
};

namespace {

// A listing: the names of the subfolders, hidden ones left out, sorted as the tree shows them.
struct Listing {
    int error = 0;
    std::vector<QByteArray> names;
    std::vector<QString> shown;
};

Listing listFolder(const QByteArray &path)
{
    Listing listing;
    const QList<QByteArray> names = paths::folderNames(path, listing.error);
    struct Named {
        QByteArray name;
        QString shown;
    };
    std::vector<Named> named;
    for (const QByteArray &name : names) {
        if (!name.startsWith('.'))
            named.push_back({name, paths::decodeName(name)});
    }
    const QCollator collator = naturalCollator();
    std::sort(named.begin(), named.end(), [&collator](const Named &a, const Named &b) {
        const int order = collator.compare(a.shown, b.shown);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    for (Named &entry : named) {
        listing.names.push_back(std::move(entry.name));
        listing.shown.push_back(std::move(entry.shown));
    }
    return listing;
}

} // namespace

FolderModel::FolderModel(QObject *parent) : QAbstractItemModel(parent), m_root(new Node)
{
    // One icon by name for every folder: nothing asks the disk what a folder looks like.
    const QIcon fallback = qobject_cast<QApplication *>(QCoreApplication::instance())
                               ? QApplication::style()->standardIcon(QStyle::SP_DirIcon)
                               : QIcon();
    m_folderIcon = QIcon::fromTheme(QStringLiteral("folder"), fallback);

    m_root->state = Node::Listed;
    auto top = std::make_unique<Node>();
    top->id = m_nextId++;
    top->name = "/";
    top->shown = QStringLiteral("/");
    top->parent = m_root.get();
    m_nodes.insert(top->id, top.get());
    m_root->children.push_back(std::move(top));
}

FolderModel::~FolderModel()
{
    for (Node *node : std::as_const(m_nodes)) {
        if (node->listing)
            node->listing->cancel();
    }
}

FolderModel::Node *FolderModel::nodeOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<Node *>(index.internalPointer()) : m_root.get();
}

QModelIndex FolderModel::indexOf(const Node *node) const
{
    if (!node || node == m_root.get())
        return {};
    return createIndex(node->row, 0, const_cast<Node *>(node));
}

QModelIndex FolderModel::index(int row, int column, const QModelIndex &parent) const
{
    const Node *node = nodeOf(parent);
    if (column != 0 || row < 0 || row >= int(node->children.size()))
        return {};
    return createIndex(row, 0, node->children[size_t(row)].get());
}

QModelIndex FolderModel::parent(const QModelIndex &child) const
{
    return child.isValid() ? indexOf(nodeOf(child)->parent) : QModelIndex();
}

int FolderModel::rowCount(const QModelIndex &parent) const
{
    return parent.column() > 0 ? 0 : int(nodeOf(parent)->children.size());
}

int FolderModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant FolderModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Node *node = nodeOf(index);
    if (node->id == 0) {
        if (role == Qt::DisplayRole)
            return tr("(not answering)");
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return paths::displayName(node->shown);
    case Qt::DecorationRole:
        return m_folderIcon;
    case PathRole:
        return filePath(index);
    }
    return {};
}

Qt::ItemFlags FolderModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (nodeOf(index)->id == 0)
        return Qt::ItemNeverHasChildren;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool FolderModel::hasChildren(const QModelIndex &parent) const
{
    const Node *node = nodeOf(parent);
    if (node->id == 0 && node != m_root.get())
        return false;
    // A folder not listed yet may have folders: the tree offers to expand it.
    return !node->listedOnce || !node->children.empty();
}

bool FolderModel::canFetchMore(const QModelIndex &parent) const
{
    const Node *node = nodeOf(parent);
    return node->id != 0 && node->state == Node::Unlisted;
}

void FolderModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        startListing(nodeOf(parent));
}

QByteArray FolderModel::pathBytes(const Node *node) const
{
    QList<const Node *> chain;
    for (; node && node != m_root.get(); node = node->parent)
        chain.prepend(node);
    QByteArray path;
    for (const Node *part : chain) {
        if (!path.isEmpty() && !path.endsWith('/'))
            path.append('/');
        path.append(part->name);
    }
    return path;
}

QString FolderModel::filePath(const QModelIndex &index) const
{
    const Node *node = index.isValid() ? nodeOf(index) : nullptr;
    if (!node || node->id == 0)
        return {};
    return paths::decodeName(pathBytes(node));
}

bool FolderModel::isPlaceholder(const QModelIndex &index) const
{
    return index.isValid() && nodeOf(index)->id == 0;
}

bool FolderModel::isListed(const QModelIndex &index) const
{
    return index.isValid() && nodeOf(index)->listedOnce;
}

bool FolderModel::isListing(const QModelIndex &index) const
{
    return index.isValid() && nodeOf(index)->state == Node::Listing;
}

QModelIndex FolderModel::deepestIndex(const QString &path, bool &complete) const
{
    complete = false;
    const QByteArray bytes = paths::encodeName(path);
    if (!bytes.startsWith('/'))
        return {};
    const Node *node = m_root->children.front().get();
    for (const QByteArray &name : bytes.split('/')) {
        if (name.isEmpty())
            continue;
        const auto found =
            std::find_if(node->children.begin(), node->children.end(), [&name](const auto &child) {
                return child->id != 0 && child->name == name;
            });
        if (found == node->children.end())
            return indexOf(node);
        node = found->get();
    }
    complete = true;
    return indexOf(node);
}

void FolderModel::refresh(const QModelIndex &folder)
{
    Node *node = folder.isValid() ? nodeOf(folder) : nullptr;
    if (node && node->id != 0 && node->state == Node::Listed)
        startListing(node);
}

void FolderModel::startListing(Node *node)
{
    node->state = Node::Listing;
    const QByteArray path = pathBytes(node);
    const quint64 id = node->id;
    auto *job = startJob<Listing>(paths::decodeName(path),
                                  [path](JobControl &) { return listFolder(path); });
    node->listing = job;
    connect(job, &Job::notAnswering, this, [this, id] { onNotAnswering(id); });
    connect(job, &Job::finished, this, [this, job, id] {
        if (job->isCancelled())
            return;
        const Listing &listing = job->result();
        std::vector<Entry> entries;
        entries.reserve(listing.names.size());
        for (size_t i = 0; i < listing.names.size(); ++i)
            entries.push_back({listing.names[i], listing.shown[i]});
        onListed(id, listing.error != 0 || !job->errorString().isEmpty(), entries);
    });
}

void FolderModel::onNotAnswering(quint64 id)
{
    Node *node = m_nodes.value(id);
    // A folder shown already keeps its rows while a refresh waits.
    if (!node || node->listedOnce || node->hasPlaceholder)
        return;
    node->hasPlaceholder = true;
    auto placeholder = std::make_unique<Node>();
    placeholder->parent = node;
    insertChild(node, 0, std::move(placeholder));
}

void FolderModel::onListed(quint64 id, bool failed, const std::vector<Entry> &entries)
{
    Node *node = m_nodes.value(id);
    if (!node)
        return;
    node->state = Node::Listed;
    node->listing = nullptr;
    if (node->hasPlaceholder) {
        node->hasPlaceholder = false;
        removeChild(node, 0);
    }
    const bool first = !node->listedOnce;
    node->listedOnce = true;
    if (failed && !first) {
        // A refresh that failed (the folder went away, or stopped answering and then failed)
        // keeps the rows shown: the folder above drops this one when it is listed again.
        Q_EMIT folderListed(indexOf(node));
        return;
    }

    // Rows that went, then rows that came, each at its place in the order.
    QSet<QByteArray> listed;
    for (const Entry &entry : entries)
        listed.insert(entry.name);
    for (int row = int(node->children.size()) - 1; row >= 0; --row) {
        if (!listed.contains(node->children[size_t(row)]->name))
            removeChild(node, row);
    }
    int row = 0;
    for (const Entry &entry : entries) {
        const auto kept =
            std::find_if(node->children.begin() + row, node->children.end(),
                         [&entry](const auto &child) { return child->name == entry.name; });
        if (kept != node->children.end()) {
            row = int(kept - node->children.begin()) + 1;
            continue;
        }
        auto child = std::make_unique<Node>();
        child->id = m_nextId++;
        child->name = entry.name;
        child->shown = entry.shown;
        child->parent = node;
        m_nodes.insert(child->id, child.get());
        insertChild(node, row++, std::move(child));
    }
    if (first && node->children.empty()) {
        // No expander any more for a folder without folders.
        const QModelIndex index = indexOf(node);
        Q_EMIT dataChanged(index, index);
    }
    Q_EMIT folderListed(indexOf(node));
}

void FolderModel::insertChild(Node *parent, int row, std::unique_ptr<Node> child)
{
    beginInsertRows(indexOf(parent), row, row);
    parent->children.insert(parent->children.begin() + row, std::move(child));
    for (size_t i = size_t(row); i < parent->children.size(); ++i)
        parent->children[i]->row = int(i);
    endInsertRows();
}

void FolderModel::removeChild(Node *parent, int row)
{
    beginRemoveRows(indexOf(parent), row, row);
    std::unique_ptr<Node> gone = std::move(parent->children[size_t(row)]);
    parent->children.erase(parent->children.begin() + row);
    for (size_t i = size_t(row); i < parent->children.size(); ++i)
        parent->children[i]->row = int(i);
    forget(gone.get());
    endRemoveRows();
}

void FolderModel::forget(Node *node)
{
    if (node->listing)
        node->listing->cancel();
    m_nodes.remove(node->id);
    for (const auto &child : node->children)
        forget(child.get());
}

} // namespace hv
