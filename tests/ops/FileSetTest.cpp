#include "ops/FileSet.h"
#include "platform/PathNames.h"
#include "tests/common/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hv;
using namespace hv::fileset;

namespace {

// Every file name that `operation` touches for the item at `itemPath`, in the stem form, with
// the numbered companion files 1 to `entries`.
QStringList stemNames(ItemOperation operation, const QString &itemPath, int entries)
{
    QStringList names;
    for (const SetMember &member : FilesTouched(operation, ItemKindOf(itemPath))) {
        if (member.form == SetMember::Form::Numbered) {
            for (int n = 1; n <= entries; ++n)
                names << StemMemberFile(itemPath, member, n);
        } else {
            names << StemMemberFile(itemPath, member);
        }
    }
    return names;
}

} // namespace

TEST(FileSet, KindComesFromTheUpperCasedExtension)
{
    EXPECT_EQ(ItemKindOf(QStringLiteral("Line 4.HVT")), ItemKind::Application);
    EXPECT_EQ(ItemKindOf(QStringLiteral("line 4.hvt")), ItemKind::Application);
    EXPECT_EQ(ItemKindOf(QStringLiteral("Pick.Hpt")), ItemKind::Popup);
    EXPECT_EQ(ItemKindOf(QStringLiteral("menu.dir")), ItemKind::Directory);
    EXPECT_EQ(ItemKindOf(QStringLiteral("notes.txt")), ItemKind::Unknown);
    EXPECT_EQ(ItemKindOf(QStringLiteral("vt")), ItemKind::Unknown);
    EXPECT_EQ(ItemKindOf(QString()), ItemKind::Unknown);
}

TEST(FileSet, StemFormKeepsTheDotAndAddsLettersDirectly)
{
    const QString item = QStringLiteral("/p/Line 4.HVT");
    EXPECT_EQ(StemOf(item), QStringLiteral("/p/Line 4."));
    EXPECT_EQ(stemNames(ItemOperation::ClearData, item, 0),
              (QStringList{"/p/Line 4.hvd", "/p/Line 4.hvi", "/p/Line 4.hvn"}));
    EXPECT_EQ(StemNumberedFile(StemOf(item), 12), QStringLiteral("/p/Line 4.v12"));
    // A name too short to hold an extension has no stem rather than a wrong one.
    EXPECT_EQ(StemOf(QStringLiteral("ab")), QString());
}

TEST(FileSet, DeleteTouchesTheWholeSetInItsOrder)
{
    EXPECT_EQ(stemNames(ItemOperation::Delete, QStringLiteral("/p/A.hvt"), 2),
              (QStringList{"/p/A.v1", "/p/A.v2", "/p/A.HVM", "/p/A.hvd", "/p/A.hvi", "/p/A.hvn",
                           "/p/A.hva", "/p/A.hvt", "/p/A.hvx"}));
    EXPECT_EQ(stemNames(ItemOperation::Delete, QStringLiteral("/p/P.HPT"), 0),
              (QStringList{"/p/P.HPT", "/p/P.hpd", "/p/P.hpi"}));
    EXPECT_EQ(stemNames(ItemOperation::Delete, QStringLiteral("/p/m.dir"), 0),
              (QStringList{"/p/m.dir"}));
    EXPECT_EQ(stemNames(ItemOperation::ClearData, QStringLiteral("/p/P.HPT"), 0),
              (QStringList{"/p/P.hpd", "/p/P.hpi"}));
    EXPECT_TRUE(FilesTouched(ItemOperation::ClearData, ItemKind::Directory).isEmpty());
    EXPECT_TRUE(FilesTouched(ItemOperation::Delete, ItemKind::Unknown).isEmpty());
}

TEST(FileSet, RenameUsesBaseNamesWithDottedExtensions)
{
    const QString base = BaseNameOf(QStringLiteral("Line 4.HVT"));
    EXPECT_EQ(base, QStringLiteral("Line 4"));
    QStringList letters;
    const QList<SetMember> members = FilesTouched(ItemOperation::Rename, ItemKind::Application);
    for (const SetMember &m : members)
        letters << m.letters;
    EXPECT_EQ(letters, (QStringList{"hvd", "hvn", "hvi", "hvt", "hvx", "hva", "hvm", ""}));
    EXPECT_EQ(members.last().form, SetMember::Form::Numbered);
    EXPECT_EQ(BaseNameFile(QStringLiteral("/p/"), base, QStringLiteral("hvd")),
              QStringLiteral("/p/Line 4.hvd"));
    EXPECT_EQ(
        BaseNameNumberedFile(QStringLiteral("/p/"), QStringLiteral("New"), QStringLiteral("5")),
        QStringLiteral("/p/New.V5"));
    EXPECT_EQ(FilesTouched(ItemOperation::Rename, ItemKind::Popup),
              (QList<SetMember>{{SetMember::Form::Extension, "hpd"},
                                {SetMember::Form::Extension, "hpt"},
                                {SetMember::Form::Extension, "hpi"}}));
    EXPECT_EQ(
        BaseNameFile(QStringLiteral("/p/"), BaseNameOf(QStringLiteral("menu.dir")),
                     FilesTouched(ItemOperation::Rename, ItemKind::Directory).first().letters),
        QStringLiteral("/p/menu.DIR"));
}

TEST(FileSet, DataFileFormCutsAtTheLastDot)
{
    EXPECT_EQ(DataFileOf(QStringLiteral("/p/"), QStringLiteral("Line 4.HVT")),
              QStringLiteral("/p/Line 4.HVD"));
    EXPECT_EQ(DataFileOf(QStringLiteral("/p/"), QStringLiteral("a.b.hvt")),
              QStringLiteral("/p/a.b.HVD"));
    EXPECT_EQ(DataFileOf(QStringLiteral("/p/"), QStringLiteral("noext")),
              QStringLiteral("/p/noext.HVD"));
}

TEST(FileSet, BuiltNamesFindTheFilesOnDiskInAnyLetterCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + u'/';
    hvtest::writeFile(folder + QStringLiteral("Line 4.HVT"), "[TEMPLATE]\r\n");
    hvtest::writeFile(folder + QStringLiteral("Line 4.HVD"), "d");
    hvtest::writeFile(folder + QStringLiteral("LINE 4.Hvi"), "i");
    hvtest::writeFile(folder + QStringLiteral("what?.hvd"), "q");

    const QString item = folder + QStringLiteral("Line 4.HVT");
    QStringList found;
    for (const QString &name : stemNames(ItemOperation::ClearData, item, 0)) {
        const QString onDisk = paths::findExisting(name);
        if (!onDisk.isEmpty())
            found << onDisk.mid(folder.size());
    }
    EXPECT_EQ(found, (QStringList{"Line 4.HVD", "LINE 4.Hvi"}));
    EXPECT_EQ(paths::findExisting(DataFileOf(folder, QStringLiteral("line 4.hvt"))),
              folder + QStringLiteral("Line 4.HVD"));
    // The question mark of a name is literal: "what*" does not find "what?".
    EXPECT_TRUE(paths::findExisting(
                    StemFile(StemOf(folder + QStringLiteral("what*.hvt")), QStringLiteral("hvd")))
                    .isEmpty());
}
