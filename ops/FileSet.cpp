#include "ops/FileSet.h"

namespace hv::fileset {
namespace {

SetMember ext(const char *letters)
{
    return {SetMember::Form::Extension, QString::fromLatin1(letters)};
}

SetMember itemFile()
{
    return {SetMember::Form::ItemFile, {}};
}

SetMember numbered()
{
    return {SetMember::Form::Numbered, {}};
}

// `text` without its last `count` characters; empty when it is not longer than that.
QString cutRight(const QString &text, int count)
{
    return text.size() > count ? text.left(text.size() - count) : QString();
}

} // namespace

ItemKind ItemKindOf(const QString &fileName)
{
    const QString kind = fileName.right(3).toUpper();
    if (kind == u"HVT")
        return ItemKind::Application;
    if (kind == u"HPT")
        return ItemKind::Popup;
    if (kind == u"DIR")
        return ItemKind::Directory;
    return ItemKind::Unknown;
}

QList<SetMember> FilesTouched(ItemOperation operation, ItemKind kind)
{
    switch (operation) {
    case ItemOperation::ClearData:
        if (kind == ItemKind::Application)
            return {ext("hvd"), ext("hvi"), ext("hvn")};
        if (kind == ItemKind::Popup)
            return {ext("hpd"), ext("hpi")};
        return {};
    case ItemOperation::Delete:
        if (kind == ItemKind::Application)
            return {numbered(), ext("HVM"), ext("hvd"), ext("hvi"),
                    ext("hvn"), ext("hva"), itemFile(), ext("hvx")};
        if (kind == ItemKind::Popup)
            return {itemFile(), ext("hpd"), ext("hpi")};
        if (kind == ItemKind::Directory)
            return {itemFile()};
        return {};
    case ItemOperation::Rename:
        // Numbered companion files are renamed only when an hvm file existed.
        if (kind == ItemKind::Application)
            return {ext("hvd"), ext("hvn"), ext("hvi"), ext("hvt"),
                    ext("hvx"), ext("hva"), ext("hvm"), numbered()};
        if (kind == ItemKind::Popup)
            return {ext("hpd"), ext("hpt"), ext("hpi")};
        if (kind == ItemKind::Directory)
            return {ext("DIR")};
        return {};
    }
    return {};
}

QString StemOf(const QString &itemPath)
{
    return cutRight(itemPath, 3);
}

QString StemFile(const QString &stem, const QString &letters)
{
    return stem + letters;
}

QString StemNumberedFile(const QString &stem, int number)
{
    return stem + u'v' + QString::number(number);
}

QString StemMemberFile(const QString &itemPath, const SetMember &member, int number)
{
    switch (member.form) {
    case SetMember::Form::ItemFile:
        return itemPath;
    case SetMember::Form::Numbered:
        return StemNumberedFile(StemOf(itemPath), number);
    case SetMember::Form::Extension:
        break;
    }
    return StemFile(StemOf(itemPath), member.letters);
}

QString BaseNameOf(const QString &fileName)
{
    return cutRight(fileName, 4);
}

QString BaseNameFile(const QString &folder, const QString &baseName, const QString &letters)
{
    return folder + baseName + u'.' + letters;
}

QString BaseNameNumberedFile(const QString &folder, const QString &baseName, const QString &key)
{
    return folder + baseName + QStringLiteral(".V") + key;
}

QString DataFileOf(const QString &folder, const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString upToDot = dot < 0 ? fileName + u'.' : fileName.left(dot + 1);
    return folder + upToDot + QStringLiteral("HVD");
}

} // namespace hv::fileset
