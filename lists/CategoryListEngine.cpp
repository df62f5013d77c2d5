#include "lists/CategoryListEngine.h"

#include "lists/DirectorySummary.h"
#include "log/DiagnosticLog.h"
#include "platform/FileNames.h"
#include "platform/ParallelReads.h"
#include "platform/PathNames.h"
#include "suite/TemplateFileInfo.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace hv {
namespace {

const QString kModule = QStringLiteral("mListviewengine");

void engineLog(const char *procedure, const QString &message)
{
    WriteLog(kModule, QLatin1String(procedure), message);
}

// The project folder as a full path ending in '/' (a relative one is taken from the current
// folder), so that the paths handed to the component are full paths. Without a current folder
// a relative one stays as it is, and names nothing.
QString projectFolderOf(const ListSource &source)
{
    const QString &folder = source.projectFolder;
    return paths::withTrailingSeparator(paths::absolutePath(folder).value_or(folder));
}

// The columns of a file category: the third ("Records" or "Entries") right-aligned.
QList<ListColumn> fileColumns(std::initializer_list<const char *> titles)
{
    QList<ListColumn> columns;
    for (const char *title : titles)
        columns.append({QLatin1String(title), columns.size() == 2});
    return columns;
}

std::unique_ptr<TemplateInfo> makeTemplateFileInfo(const QString &folder, int readers)
{
    auto component = std::make_unique<TemplateFileInfo>(folder);
    component->setReaderCount(readers);
    return component;
}

int readersFor(const ListSource &source, const QString &folder)
{
    return source.readers > 0 ? source.readers : parallel::readerCountFor(folder);
}

// Compares as QString::compare without regard to case does, taking the common case of ASCII
// text itself; text with any other code unit is left to Qt.
bool textLess(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    const char16_t *x = a.utf16();
    const char16_t *y = b.utf16();
    // Titles often share their first words: equal code units are equal without regard to
    // case too, so a common prefix is skipped four units at a time.
    qsizetype i = 0;
    for (; i + 4 <= common; i += 4) {
        quint64 p = 0;
        quint64 q = 0;
        std::memcpy(&p, x + i, sizeof p);
        std::memcpy(&q, y + i, sizeof q);
        if (p != q)
            break;
    }
    for (; i < common; ++i) {
        char16_t p = x[i];
        char16_t q = y[i];
        if (p >= 0x80 || q >= 0x80)
            return a.compare(b, Qt::CaseInsensitive) < 0;
        if (p >= u'A' && p <= u'Z')
            p += 32;
        if (q >= u'A' && q <= u'Z')
            q += 32;
        if (p != q)
            return p < q;
    }
    return a.size() < b.size();
}

// A row's place in the sort: its text, and for a text of ASCII alone that text folded to
// lower case, which compares as bytes (most titles; textLess takes the others).
struct SortEntry {
    QStringView text;
    const char *folded; // nullptr when the text holds other code units
    qsizetype index;
};

bool entryLess(const SortEntry &a, const SortEntry &b)
{
    if (!a.folded || !b.folded)
        return textLess(a.text, b.text);
    const qsizetype common = std::min(a.text.size(), b.text.size());
    if (const int order = std::memcmp(a.folded, b.folded, size_t(common)))
        return order < 0;
    return a.text.size() < b.text.size();
}

// Folds an ASCII text to lower case into `out`; false when the text holds another code unit.
bool foldAscii(QStringView text, char *out)
{
    const char16_t *c = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = c[i];
        if (unit >= 0x80)
            return false;
        out[i] = char(unit >= u'A' && unit <= u'Z' ? unit + 32 : unit);
    }
    return true;
}

// The texts text(0) to text(count - 1) in their order by sortRowsByText's rules, with their
// positions. Runs are sorted at once on the processors, then merged; a merge takes the earlier
// run's text first among equals, so the order is the one a single stable sort gives.
template <typename Text> std::vector<SortEntry> sortedByText(qsizetype count, const Text &text)
{
    std::vector<SortEntry> order(size_t(count), SortEntry{{}, nullptr, 0});
    std::vector<qsizetype> offsets(size_t(count) + 1, 0);
    for (qsizetype i = 0; i < count; ++i)
        offsets[size_t(i) + 1] = offsets[size_t(i)] + text(i).size();
    std::vector<char> folded(size_t(offsets.back()));
    const qsizetype runs =
        parallel::forEachRun(count, parallel::kMinimumRowRun, [&](qsizetype b, qsizetype e) {
            for (qsizetype i = b; i < e; ++i) {
                const QString &t = text(i);
                char *out = folded.data() + offsets[size_t(i)];
                order[size_t(i)] = {t, foldAscii(t, out) ? out : nullptr, i};
            }
            std::stable_sort(order.begin() + b, order.begin() + e, entryLess);
        });
    for (qsizetype run = 1; run < runs; ++run)
        std::inplace_merge(order.begin(), order.begin() + run * count / runs,
                           order.begin() + (run + 1) * count / runs, entryLess);
    return order;
}

// The create-new row of a file category, selected.
void putCreateRow(CategoryList &list, ListRow &create, const char *newText)
{
    create = {QString::fromLatin1(kKeyNew), QLatin1String(newText), kIconNew, {}};
    create.subItems.fill(QString(), list.columns.size() - 1);
    create.subItems[1] = QStringLiteral("0");
    list.selectedRow = 0;
}

// Puts the create-new row in the first row, which the fill left free, and sorts the rows after
// it.
void finishFileList(CategoryList &list, const char *newText)
{
    putCreateRow(list, list.rows.first(), newText);
    sortRowsByText(list.rows, 1);
}

// Applications and popups: one row per template, in the order the folder lists them.
CategoryList templateList(const ListSource &source, Category category)
{
    const bool applications = category == Category::Applications;
    CategoryList list;
    list.category = category;
    list.columns = fileColumns(
        {applications ? "Application Title" : "Popup Title", "Filename", "Records", "Date/Time"});

    const QString folder = projectFolderOf(source);
    // One component for the whole fill; it finds names through the fill's one listing of the
    // folder too.
    const auto index = std::make_shared<paths::FolderIndex>();
    const std::unique_ptr<TemplateInfo> component =
        source.templateFactory ? source.templateFactory()
                               : makeTemplateFileInfo(folder, source.readers);
    component->useFolderIndex(index);
    // The templates are read while the folder is still being listed.
    QStringList names;
    const auto listTemplates = [&](const std::function<void(const QString &)> &found) {
        index->listFiles(folder, applications ? QStringLiteral(".HVT") : QStringLiteral(".HPT"),
                         [&](const QString &name) {
                             if (applications && name.startsWith(u'$'))
                                 return;
                             names.append(name);
                             if (source.progress)
                                 ++source.progress->found;
                             found(name);
                         });
    };
    QList<TemplateSummary> summaries = component->listedSummaries(
        folder, listTemplates, !applications, source.progress ? &source.progress->read : nullptr,
        source.cancelled);
    // The rows are made on every processor: thousands of them, each several strings. Their
    // texts come first, and each row is made in its sorted place; what the reading left is let
    // go there too, rather than one by one after the fill.
    const qsizetype count = names.size();
    TemplateSummary *read = summaries.data();
    QStringList texts(count);
    QString *text = texts.data();
    parallel::forEachRun(count, parallel::kMinimumRowRun, [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i) {
            // A template without a title is shown by its file name.
            QString &title = read[i].title;
            text[i] = title == names.at(i) ? paths::displayName(names.at(i)) : std::move(title);
        }
    });
    const std::vector<SortEntry> order =
        sortedByText(count, [&](qsizetype i) -> const QString & { return text[i]; });
    list.rows.resize(count + 1);
    ListRow *rows = list.rows.data();
    putCreateRow(list, rows[0], applications ? "Create New Application" : "Create New Popup");
    parallel::forEachRun(count, parallel::kMinimumRowRun, [&](qsizetype begin, qsizetype end) {
        for (qsizetype k = begin; k < end; ++k) {
            const qsizetype i = order[size_t(k)].index;
            TemplateSummary &s = read[i];
            rows[k + 1] = {names.at(i),
                           std::move(text[i]),
                           kIconItem,
                           {paths::displayName(names.at(i)), QString::number(s.recordCount),
                            std::move(s.dateTime)},
                           s.modifiedSecs};
        }
    });
    return list;
}

CategoryList settingsList(Category category, const char *key, const char *text)
{
    CategoryList list;
    list.category = category;
    list.columns = {{QStringLiteral("Settings"), false}};
    list.rows = {{QLatin1String(key), QLatin1String(text), kIconNew, {}}};
    list.selectedRow = -1;
    return list;
}

} // namespace

void sortRowsByText(QList<ListRow> &rows, qsizetype keepFirst)
{
    keepFirst = std::clamp<qsizetype>(keepFirst, 0, rows.size());
    const auto count = rows.size() - keepFirst;
    // The texts are sorted with their positions, and the rows moved once into their places
    // (on every processor too): a row is several strings, and a merge sort moves each many
    // times.
    const std::vector<SortEntry> order = sortedByText(
        count, [&](qsizetype i) -> const QString & { return rows.at(keepFirst + i).text; });
    QList<ListRow> sorted(rows.size());
    ListRow *from = rows.data();
    ListRow *to = sorted.data();
    for (qsizetype i = 0; i < keepFirst; ++i)
        to[i] = std::move(from[i]);
    parallel::forEachRun(count, parallel::kMinimumRowRun, [&](qsizetype b, qsizetype e) {
        for (qsizetype i = b; i < e; ++i)
            to[keepFirst + i] = std::move(from[keepFirst + order[size_t(i)].index]);
    });
    rows = std::move(sorted);
}

CategoryList LoadApplicationSection(const ListSource &source)
{
    engineLog("LoadApplicationSection", QStringLiteral("Loading Applications List"));
    return templateList(source, Category::Applications);
}

CategoryList LoadPopupSection(const ListSource &source)
{
    engineLog("LoadPopupSection", QStringLiteral("Loading Popups List"));
    return templateList(source, Category::Popups);
}

CategoryList LoadDIRSection(const ListSource &source)
{
    const char *procedure = "LoadDIRSection";
    engineLog(procedure, QStringLiteral("Loading DIR List"));
    CategoryList list;
    list.category = Category::Directories;
    list.columns = fileColumns({"Directory Title", "Filename", "Entries"});

    const QString folder = projectFolderOf(source);
    engineLog(procedure, QStringLiteral("Enumerating DIR files..."));
    paths::FolderIndex index;
    const QStringList names = index.listFiles(folder, QStringLiteral(".dir"));
    // The files are read several at once; the log tells of them in listing order.
    QList<DirectorySummary> summaries(names.size());
    QStringList errors(names.size());
    if (source.progress)
        source.progress->found = names.size();
    static const std::atomic<bool> never{false};
    parallel::forEachIndex(
        names.size(), readersFor(source, folder),
        [&](qsizetype i, int) {
            summaries[i] = readDirectorySummary(folder + names.at(i), &errors[i], &index);
            if (source.progress)
                ++source.progress->read;
        },
        source.cancelled ? *source.cancelled : never, parallel::FileTable::Own, {});
    list.rows.reserve(names.size() + 1);
    list.rows.append(ListRow()); // for the create-new row
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names.at(i);
        const DirectorySummary &summary = summaries.at(i);
        const QString &error = errors.at(i);
        engineLog(procedure, QStringLiteral("Found: ") + paths::displayName(name));
        engineLog(procedure, QStringLiteral("Before INI load"));
        if (!error.isEmpty())
            engineLog(procedure, QStringLiteral("Error: ") + error + QStringLiteral(" (") +
                                     paths::displayName(name) + QStringLiteral(")"));
        engineLog(procedure, QStringLiteral("After INI load"));
        engineLog(procedure, QStringLiteral("After Loop"));
        list.rows.append({name,
                          summary.caption,
                          kIconItem,
                          {paths::displayName(name), QString::number(summary.entryCount)}});
    }
    engineLog(procedure, QStringLiteral("Ending Enumeration"));
    finishFileList(list, "Create New DIR File");
    if (source.listViewMode == ViewDetails)
        engineLog(procedure, QStringLiteral("Resize Headers"));
    engineLog(procedure, QStringLiteral("Ending DIR List"));
    return list;
}

CategoryList LoadUntisSection(const ListSource &)
{
    engineLog("LoadUntisSection", QStringLiteral("Loading Units List"));
    return settingsList(Category::Units, kKeyUnits, "Edit Units of Measure");
}

CategoryList LoadRulesSection(const ListSource &)
{
    engineLog("LoadRulesSection", QStringLiteral("Loading Rules List"));
    return settingsList(Category::Rules, kKeyRules, "Edit Rules Settings");
}

CategoryList LoadSecuritySection(const ListSource &)
{
    engineLog("LoadSecuritySection", QStringLiteral("Loading Security List"));
    return settingsList(Category::Security, kKeySecurity, "Edit Security Settings");
}

CategoryList LoadCategory(Category category, const ListSource &source)
{
    switch (category) {
    case Category::Applications:
        return LoadApplicationSection(source);
    case Category::Popups:
        return LoadPopupSection(source);
    case Category::Directories:
        return LoadDIRSection(source);
    case Category::Units:
        return LoadUntisSection(source);
    case Category::Rules:
        return LoadRulesSection(source);
    case Category::Security:
        return LoadSecuritySection(source);
    }
    return {};
}

} // namespace hv
