// hvadmin-cli dir: show a directory file as the editor loads it, or write one given as JSON.
#include "cli/CliSupport.h"
#include "cli/JsonReader.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"
#include "files/DirClass.h"
#include "files/DirFormat.h"
#include "files/IniFormat.h"
#include "suite/DirTemplateLookup.h"

#include <QJsonObject>
#include <QJsonValue>

#include <memory>

namespace hv::cli {
namespace {

const QString kCaption = QStringLiteral("caption");
const QString kEntries = QStringLiteral("entries");
const QString kTitle = QStringLiteral("title");
const QString kFilename = QStringLiteral("filename");
const QString kAccess = QStringLiteral("access");

int showDir(const QString &fileName)
{
    const std::optional<QString> path = absoluteArgument(fileName);
    if (!path)
        return kExitFailure;
    const QString folder = path->left(path->lastIndexOf(u'/') + 1);
    // The model holds the index of a folder of maybe tens of thousands of names.
    DirClass &model = *keepUntilExit(std::make_shared<DirClass>(dirTemplateLookup(folder)));
    if (DirResult r = model.OpenExisting(*path); !r)
        return failLogged(r.message.text);
    // Members in the order of their names, as the tool has always written them.
    JsonWriter out;
    out.beginObject().member("caption", model.Caption()).key("entries").beginArray();
    for (const DirEntry &entry : model.DirEntries()) {
        out.beginObject()
            .member("access", entry.AccessRights())
            .member("fileExists", entry.FileExists())
            .member("filename", entry.Filename())
            .member("title", entry.Title())
            .endObject();
    }
    out.endArray().endObject().finish();
    return kExitOk;
}

// Reads one text property; absent or null means empty. False when it is not text.
bool readText(const QJsonObject &object, const QString &name, QString &text)
{
    const QJsonValue value = object.value(name);
    text.clear();
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isString())
        return false;
    text = value.toString();
    return true;
}

// Reads the directory for `fileName` from stdin, one entry at a time; prints the failure
// and returns false. Entries stop at the most the written file could hold.
bool readDirectory(const QString &fileName, QString &caption, DirEntries &entries)
{
    JsonReader json(readStdin());
    const QByteArrayView doc = json.document();
    if (doc.isEmpty() || !json.check(doc)) {
        failJson(json);
        return false;
    }
    // The last of a repeated member counts, as in a parsed object.
    QJsonObject root;
    QByteArrayView list;
    bool shaped = JsonReader::isObject(doc) &&
                  json.forEachMember(doc, [&](const QString &name, QByteArrayView value) {
                      QJsonValue parsed;
                      if (name == kEntries)
                          list = value;
                      else if (name == kCaption && json.parse(value, parsed))
                          root.insert(name, parsed);
                      return true;
                  });
    shaped = shaped && readText(root, kCaption, caption) &&
             (list.isEmpty() || list == "null" || JsonReader::isArray(list));
    if (!shaped) {
        fail(QStringLiteral("Expected an object with text \"caption\" and an array \"entries\" "
                            "on standard input"));
        return false;
    }
    if (!JsonReader::isArray(list))
        return true;
    qsizetype number = 0;
    bool tooMany = false;
    json.forEachElement(list, [&](QByteArrayView text) {
        tooMany = (number + 1) * dirformat::kMinEntryBytes > ini::kMaxFileBytes;
        if (tooMany)
            return false;
        QJsonValue item;
        json.parse(text, item);
        ++number;
        const QJsonObject object = item.toObject();
        QString title, filename, access;
        shaped = item.isObject() && readText(object, kTitle, title) &&
                 readText(object, kFilename, filename) && readText(object, kAccess, access);
        if (shaped) {
            DirEntry &entry = entries.Add();
            entry.SetTitle(title);
            entry.SetFilename(filename);
            entry.SetAccessRights(access);
        }
        return shaped;
    });
    if (tooMany) {
        fail(QStringLiteral("Cannot write %1: the file would be larger than %2 bytes")
                 .arg(fileName)
                 .arg(ini::kMaxFileBytes));
        return false;
    }
    if (!shaped) {
        fail(QStringLiteral("Entry %1: expected an object with text \"title\", \"filename\" "
                            "and \"access\"")
                 .arg(number));
        return false;
    }
    return true;
}

int writeDir(const QString &fileName)
{
    QString caption;
    DirEntries entries;
    if (!readDirectory(fileName, caption, entries))
        return kExitFailure;
    DirClass model;
    model.SetCaption(caption);
    model.SetDirEntries(std::move(entries));
    if (DirResult r = model.Validate(); !r)
        return failLogged(r.message.text);
    if (IniResult r = DirClass::writeDirectory(fileName, model.Caption(), model.DirEntries()); !r)
        return failLogged(r.error);
    return kExitOk;
}

} // namespace

int runDir(const QStringList &args)
{
    if (args.size() == 2 && args.at(0) == u"show")
        return showDir(args.at(1));
    if (args.size() == 2 && args.at(0) == u"write")
        return writeDir(args.at(1));
    return subVerbUsage(args, {"show", "write"}, 2);
}

} // namespace hv::cli
