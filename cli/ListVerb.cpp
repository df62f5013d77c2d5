// hvadmin-cli list: the rows that the item list shows for one category of a project folder.
#include "cli/CliSupport.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"
#include "lists/CategoryListEngine.h"
#include "ops/History.h"
#include "platform/FileNames.h"
#include "platform/ParallelReads.h"
#include "platform/PathNames.h"
#include "platform/SmallFile.h"
#include "suite/TemplateFileInfo.h"

#include <QDateTime>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <optional>

namespace hv::cli {
namespace {

std::optional<Category> categoryNamed(const QString &name)
{
    static const std::pair<const char *, Category> names[] = {
        {"applications", Category::Applications},
        {"popups", Category::Popups},
        {"rules", Category::Rules},
        {"units", Category::Units},
        {"security", Category::Security},
        {"directories", Category::Directories},
    };
    for (const auto &[text, category] : names) {
        if (name == QLatin1String(text))
            return category;
    }
    return std::nullopt;
}

bool isFileCategory(Category category)
{
    return category == Category::Applications || category == Category::Popups ||
           category == Category::Directories;
}

// The list is written through a cursor into one buffer: room for a whole row is made once,
// then each piece is copied in without further checks (a folder of thousands of templates
// gives thousands of rows, and the output is most of the verb's work after the reading).
class RowOutput {
public:
    explicit RowOutput(qsizetype expected) { m_bytes.resize(expected); }

    // The cursor, with at least `bytes` bytes of room after it.
    char *room(qsizetype bytes)
    {
        if (m_used + bytes > m_bytes.size())
            m_bytes.resize(std::max(m_bytes.size() * 2, m_used + bytes));
        return m_bytes.data() + m_used;
    }
    void advanceTo(const char *end) { m_used = end - m_bytes.constData(); }
    QByteArray take()
    {
        m_bytes.truncate(m_used);
        return std::move(m_bytes);
    }

private:
    QByteArray m_bytes;
    qsizetype m_used = 0;
};

template <std::size_t N> char *put(char *p, const char (&text)[N])
{
    std::memcpy(p, text, N - 1);
    return p + N - 1;
}

char *putString(char *p, QStringView text)
{
    return JsonWriter::writeString(p, text);
}

constexpr qsizetype kNumberRoom = 24;

char *putNumber(char *p, qint64 value)
{
    char digits[kNumberRoom];
    char *d = digits + sizeof digits;
    quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    do {
        *--d = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        *--d = '-';
    const qsizetype length = digits + sizeof digits - d;
    std::memcpy(p, d, size_t(length));
    return p + length;
}

constexpr qsizetype base64Room(qsizetype bytes)
{
    return (bytes + 2) / 3 * 4;
}

// Standard base64 with padding, as QByteArray::toBase64 writes it.
char *putBase64(char *p, QByteArrayView bytes)
{
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.data());
    qsizetype left = bytes.size();
    for (; left >= 3; left -= 3, b += 3) {
        const unsigned v = unsigned(b[0]) << 16 | unsigned(b[1]) << 8 | b[2];
        *p++ = alphabet[v >> 18];
        *p++ = alphabet[(v >> 12) & 63];
        *p++ = alphabet[(v >> 6) & 63];
        *p++ = alphabet[v & 63];
    }
    if (left) {
        const unsigned v = unsigned(b[0]) << 16 | (left == 2 ? unsigned(b[1]) << 8 : 0u);
        *p++ = alphabet[v >> 18];
        *p++ = alphabet[(v >> 12) & 63];
        *p++ = left == 2 ? alphabet[(v >> 6) & 63] : '=';
        *p++ = '=';
    }
    return p;
}

// Writes `value` (0 to 10^width - 1) as `width` decimal digits.
char *putDigits(char *p, long value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        p[i] = char('0' + value % 10);
        value /= 10;
    }
    return p + width;
}

constexpr qsizetype kTimeRoom = 64;

// Local times for the rows one thread writes. The C library's conversion takes a lock of its
// own, which the threads would contend for, and a folder's files are mostly written within a
// few minutes: a minute whose first and last seconds are in the same offset is converted
// once, and a time in it is that minute plus its seconds.
class LocalTimes {
public:
    bool convert(time_t seconds, struct tm &local)
    {
        // Far from the ends of time_t, so that a minute's first and last second exist.
        constexpr time_t kFar = time_t(1) << 60;
        if (seconds > -kFar && seconds < kFar) {
            const time_t start = seconds - ((seconds % 60) + 60) % 60;
            if (!m_known || start != m_start) {
                m_start = start;
                m_known = true;
                m_uniform = fill(start);
            }
            if (m_uniform) {
                local = m_minute;
                local.tm_sec = int(seconds - start);
                return true;
            }
        }
        return ::localtime_r(&seconds, &local) != nullptr;
    }

private:
    bool fill(time_t start)
    {
        const time_t end = start + 59;
        struct tm last {};
        return ::localtime_r(&start, &m_minute) && ::localtime_r(&end, &last) &&
               m_minute.tm_sec == 0 && last.tm_sec == 59 && last.tm_min == m_minute.tm_min &&
               last.tm_gmtoff == m_minute.tm_gmtoff && last.tm_isdst == m_minute.tm_isdst;
    }

    bool m_known = false;
    bool m_uniform = false;
    time_t m_start = 0;
    struct tm m_minute {};
};

// ISO 8601 local time with its offset, as the history writes times ("2026-12-08T11:32:07+01:00"),
// through the C library: a list formats one per row, and QDateTime's local time conversion
// costs several times as much. Digits are written by hand (printf's parsing cost as much as
// the conversion) for years of four digits; any other year takes printf's way.
char *putLocalTime(char *p, qint64 secondsSinceEpoch, LocalTimes &times)
{
    const time_t seconds = time_t(secondsSinceEpoch);
    struct tm local {};
    if (!times.convert(seconds, local)) {
        const QByteArray text =
            history::TimeText(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch)).toUtf8();
        const qsizetype length = std::min(text.size(), kTimeRoom);
        std::memcpy(p, text.constData(), size_t(length));
        return p + length;
    }
    const long offset = local.tm_gmtoff;
    const long minutes = (offset < 0 ? -offset : offset) / 60;
    const long year = long(local.tm_year) + 1900;
    if (year < 0 || year > 9999 || minutes / 60 > 99) {
        const int length =
            std::snprintf(p, kTimeRoom, "%04ld-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", year,
                          local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                          local.tm_sec, offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
        return p + std::clamp(length, 0, int(kTimeRoom) - 1);
    }
    p = putDigits(p, year, 4);
    *p++ = '-';
    p = putDigits(p, local.tm_mon + 1, 2);
    *p++ = '-';
    p = putDigits(p, local.tm_mday, 2);
    *p++ = 'T';
    p = putDigits(p, local.tm_hour, 2);
    *p++ = ':';
    p = putDigits(p, local.tm_min, 2);
    *p++ = ':';
    p = putDigits(p, local.tm_sec, 2);
    *p++ = offset < 0 ? '-' : '+';
    p = putDigits(p, minutes / 60, 2);
    *p++ = ':';
    return putDigits(p, minutes % 60, 2);
}

// The number a count column shows, as QString::toLongLong reads it; the engine writes plain
// decimals, which are read here without a conversion.
std::optional<qint64> countOf(const QString &text)
{
    const qsizetype size = text.size();
    const char16_t *c = QStringView(text).utf16();
    const bool negative = size > 0 && c[0] == u'-';
    if (size > qsizetype(negative) && size - qsizetype(negative) <= 18) {
        qint64 value = 0;
        qsizetype i = negative ? 1 : 0;
        for (; i < size && c[i] >= u'0' && c[i] <= u'9'; ++i)
            value = value * 10 + (c[i] - u'0');
        if (i == size)
            return negative ? -value : value;
    }
    bool number = false;
    const qint64 value = text.toLongLong(&number);
    return number ? std::optional<qint64>(value) : std::nullopt;
}

// One row of the list. The named fields of an item row come after the row's own: what a
// script selects on without knowing the columns' order. A count column that does not read as
// a number is left out; a directory file shows no date: its own modification time is given.
void putRow(RowOutput &out, const ListRow &row, bool item, Category category, const QString &folder,
            LocalTimes &times)
{
    const QString key = paths::displayName(row.key);
    const std::optional<paths::NativeName> native =
        row.icon == kIconItem ? std::make_optional<paths::NativeName>(row.key) : std::nullopt;
    const QByteArrayView keyBytes(native ? native->get() : "");
    qsizetype room = 256 + 2 * JsonWriter::stringRoom(key) + base64Room(keyBytes.size()) +
                     2 * JsonWriter::stringRoom(row.text) + kTimeRoom + 2 * kNumberRoom;
    for (const QString &sub : row.subItems)
        room += JsonWriter::stringRoom(sub) + 1;
    char *p = out.room(room);

    p = put(p, ",{\"key\":");
    char *const keyStart = p;
    p = putString(p, key);
    const qsizetype keyLength = p - keyStart;
    // An item's name as its bytes on disk, for a caller that must name the file exactly.
    if (row.icon == kIconItem) {
        p = put(p, ",\"fileBytes\":\"");
        p = putBase64(p, keyBytes);
        *p++ = '"';
    }
    p = put(p, ",\"text\":");
    char *const textStart = p;
    p = putString(p, row.text);
    const qsizetype textLength = p - textStart;
    p = put(p, ",\"icon\":");
    p = putNumber(p, row.icon);
    p = put(p, ",\"subitems\":[");
    for (qsizetype j = 0; j < row.subItems.size(); ++j) {
        if (j)
            *p++ = ',';
        p = putString(p, row.subItems[j]);
    }
    *p++ = ']';
    if (item) {
        // The file and title are the key and text as written above.
        p = put(p, ",\"file\":");
        std::memcpy(p, keyStart, size_t(keyLength));
        p += keyLength;
        p = put(p, ",\"title\":");
        std::memcpy(p, textStart, size_t(textLength));
        p += textLength;
        if (const std::optional<qint64> count = countOf(row.subItems.value(1))) {
            p = category == Category::Directories ? put(p, ",\"entries\":")
                                                  : put(p, ",\"records\":");
            p = putNumber(p, *count);
        }
        const qint64 modified =
            category == Category::Directories ? modifiedSecsOf(folder + row.key) : row.modifiedSecs;
        p = put(p, ",\"modified\":");
        if (modified < 0) {
            p = put(p, "null");
        } else {
            *p++ = '"';
            p = putLocalTime(p, modified, times);
            *p++ = '"';
        }
    }
    *p++ = '}';
    out.advanceTo(p);
}

// Writes the list as one compact JSON document, made directly rather than through
// QJsonDocument. The rows are made in pieces of a few hundred on every processor, each piece
// into its own buffer and every row after a comma, and the pieces are written out in order as
// they are done, without the first comma of all: the document never lies whole in memory.
void writeListJson(const CategoryList &list, const QString &folder, bool itemsOnly)
{
    QByteArray head("{\"columns\":[");
    for (qsizetype i = 0; i < list.columns.size(); ++i) {
        head.append(i ? ",{\"title\":" : "{\"title\":");
        JsonWriter::appendString(head, list.columns[i].title);
        head.append(list.columns[i].alignRight ? ",\"align\":\"right\"}" : ",\"align\":\"left\"}");
    }
    head.append("],\"rows\":[");
    writeOutput(head);

    constexpr qsizetype kPieceRows = 256;
    const qsizetype rows = list.rows.size();
    const qsizetype pieces = (rows + kPieceRows - 1) / kPieceRows;
    const int writers = pieces > 1 ? std::clamp(QThread::idealThreadCount(), 1, 8) : 1;
    std::vector<LocalTimes> times(static_cast<size_t>(writers));
    std::mutex mutex;
    std::map<qsizetype, QByteArray> made; // pieces made and not yet written
    qsizetype nextToWrite = 0;
    bool first = true;
    parallel::forEachIndex(pieces, writers, [&](qsizetype piece, int writer) {
        const qsizetype begin = piece * kPieceRows;
        const qsizetype end = std::min(rows, begin + kPieceRows);
        RowOutput out((end - begin) * 320 + 4096);
        for (qsizetype i = begin; i < end; ++i) {
            const ListRow &row = list.rows.at(i);
            const bool item = row.icon == kIconItem && isFileCategory(list.category);
            if (!itemsOnly || item)
                putRow(out, row, item, list.category, folder, times[size_t(writer)]);
        }
        const std::lock_guard lock(mutex);
        made.emplace(piece, out.take());
        for (auto next = made.find(nextToWrite); next != made.end();
             next = made.find(nextToWrite)) {
            const QByteArrayView bytes(next->second);
            if (!bytes.isEmpty()) {
                writeOutput(first ? bytes.sliced(1) : bytes);
                first = false;
            }
            made.erase(next);
            ++nextToWrite;
        }
    });
    writeOutput("]}\n");
}

} // namespace

int runList(const QStringList &given)
{
    QStringList args = given;
    const bool itemsOnly = takeOption(args, QLatin1StringView("--items"));
    if (args.isEmpty() || args.size() > 2)
        return wrongArguments(args, 1, 2);
    const std::optional<Category> category = categoryNamed(args.at(0));
    if (!category)
        return usage(QStringLiteral("unknown category '%1'").arg(paths::displayName(args.at(0))));
    const QString folderArg = args.value(1, QStringLiteral("."));
    // The settings categories read no folder.
    const std::optional<QString> folder =
        isFileCategory(*category) ? folderArgument(folderArg) : absoluteArgument(folderArg);
    if (!folder)
        return kExitFailure;
    ListSource source;
    source.projectFolder = paths::withTrailingSeparator(*folder);
    source.templateFactory = templateFileInfoFactory(source.projectFolder);
    // Freeing ten thousand rows one by one costs about as much as writing them out.
    const auto list =
        keepUntilExit(std::make_shared<CategoryList>(LoadCategory(*category, source)));
    writeListJson(*list, source.projectFolder, itemsOnly);
    return kExitOk;
}

} // namespace hv::cli
