// hvadmin-cli dir: show a directory file as the editor loads it, or write one given as JSON.
#include "cli/CliSupport.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"
#include "files/DirClass.h"
#include "suite/DirTemplateLookup.h"

#include <QFileInfo>
#include <QJsonValue>

namespace hv::cli {
namespace {

const QString kCaption = QStringLiteral("caption");
const QString kEntries = QStringLiteral("entries");
const QString kTitle = QStringLiteral("title");
const QString kFilename = QStringLiteral("filename");
const QString kAccess = QStringLiteral("access");

int showDir(const QString &fileName)
{
    const QFileInfo info(fileName);
    DirClass model(dirTemplateLookup(info.absolutePath()));
    if (DirResult r = model.OpenExisting(info.absoluteFilePath()); !r)
        return fail(r.message.text);
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

// Reads the directory from stdin; prints the failure and returns false.
bool readDirectory(QString &caption, DirEntries &entries)
{
    QJsonDocument doc;
    if (!readJsonStdin(doc))
        return false;
    const QJsonObject root = doc.object();
    const QJsonValue list = root.value(kEntries);
    if (!doc.isObject() || !readText(root, kCaption, caption) ||
        !(list.isArray() || list.isUndefined() || list.isNull())) {
        fail(QStringLiteral("Expected an object with text \"caption\" and an array \"entries\" "
                            "on standard input"));
        return false;
    }
    const QJsonArray array = list.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonObject object = array.at(i).toObject();
        QString title, filename, access;
        if (!array.at(i).isObject() || !readText(object, kTitle, title) ||
            !readText(object, kFilename, filename) || !readText(object, kAccess, access)) {
            fail(QStringLiteral("Entry %1: expected an object with text \"title\", \"filename\" "
                                "and \"access\"")
                     .arg(i + 1));
            return false;
        }
        DirEntry &entry = entries.Add();
        entry.SetTitle(title);
        entry.SetFilename(filename);
        entry.SetAccessRights(access);
    }
    return true;
}

int writeDir(const QString &fileName)
{
    QString caption;
    DirEntries entries;
    if (!readDirectory(caption, entries))
        return kExitFailure;
    DirClass model;
    model.SetCaption(caption);
    model.SetDirEntries(std::move(entries));
    if (DirResult r = model.Validate(); !r)
        return fail(r.message.text);
    if (IniResult r = DirClass::writeDirectory(fileName, model.Caption(), model.DirEntries()); !r)
        return fail(r.error);
    return kExitOk;
}

} // namespace

int runDir(const QStringList &args)
{
    if (args.size() == 2 && args.at(0) == u"show")
        return showDir(args.at(1));
    if (args.size() == 2 && args.at(0) == u"write")
        return writeDir(args.at(1));
    return usage();
}

} // namespace hv::cli
