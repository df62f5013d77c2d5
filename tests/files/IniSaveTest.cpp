// Saving INI text: the column-aligned layout, byte for byte.
#include "files/IniFile.h"
#include "platform/Ansi.h"
#include "tests/common/TestSupport.h"
#include "tests/files/IniTestSupport.h"

#include <gtest/gtest.h>

using namespace hv;
using initest::saveBytes;

namespace {

INIfile directoryLayout()
{
    INIfile ini;
    ini.SetLeadingSpaces(5);
    ini.SetEqualPos(19);
    return ini;
}

TEST(IniSave, DirectoryHeaderAndCaptionWithFiveAndNineteen)
{
    INIfile ini = directoryLayout();
    ini.INIlines().Add("[DIRECTORY]", "", "");
    ini.INIlines().Add("[DIRECTORY]", "Caption", "Plant North");
    EXPECT_EQ(saveBytes(ini), QByteArray("[DIRECTORY]\r\n"
                                         "     Caption      = Plant North\r\n"));
}

TEST(IniSave, DirectoryLinesGiveTheExpectedBytes)
{
    INIfile ini = directoryLayout();
    ini.SetINIlines(
        initest::linesFromJson(hvtest::readFile(initest::fixture("directory-lines.json"))));
    ASSERT_EQ(ini.INIlines().Count(), 11);
    EXPECT_EQ(saveBytes(ini), hvtest::readFile(initest::fixture("directory-lines.saved")));
}

TEST(IniSave, DefaultsPutTheEqualSignInColumnSeventeen)
{
    INIfile ini;
    EXPECT_EQ(ini.LeadingSpaces(), 3);
    EXPECT_EQ(ini.EqualPos(), 17);
    EXPECT_FALSE(ini.UcaseSection());
    ini.INIlines().Add("", "Key", "v");
    ini.INIlines().Add("", "Empty", "");
    ini.INIlines().Add("", "ExactlyThirteen", "w"); // 3 + 13 = 16 = EqualPos - 1
    ini.INIlines().Add("", "TwelveChars!", "x");    // 3 + 12 = 15: one space of padding
    EXPECT_EQ(saveBytes(ini), QByteArray("   Key          = v\r\n"
                                         "   Empty        =\r\n"
                                         "   ExactlyThirteen= w\r\n"
                                         "   TwelveChars! = x\r\n"));
}

TEST(IniSave, KeysKeepTheirCaseUnlessUcaseSectionIsSet)
{
    INIfile ini;
    ini.SetLeadingSpaces(0);
    ini.SetEqualPos(6);
    ini.INIlines().Add("[s]", "Cl\u00e9", "Caf\u00e9");
    EXPECT_EQ(saveBytes(ini), QByteArray("Cl\xE9  = Caf\xE9\r\n"));
    ini.SetUcaseSection(true);
    EXPECT_EQ(saveBytes(ini), QByteArray("CL\xC9  = Caf\xE9\r\n"));
}

TEST(IniSave, TextIsTrimmedOfSpacesAndHeadersAreUpperCased)
{
    INIfile ini;
    ini.SetLeadingSpaces(1);
    ini.SetEqualPos(0);
    ini.INIlines().Add("  [file] x ", "", "ignored");
    ini.INIlines().Add("", "  Key  ", "  two  words  ");
    ini.INIlines().Add("", "", "  ");
    EXPECT_EQ(saveBytes(ini), QByteArray("[FILE] X\r\n"
                                         " Key= two  words\r\n"
                                         "\r\n"));
}

TEST(IniSave, HeaderLinesAsLoadedAreWrittenAsTheirHeaderText)
{
    // Load gives a header Group = Section = header text; save writes it as a header.
    INIfile ini;
    ini.INIlines().Add("[FILE]", "[FILE]", "");
    ini.INIlines().Add("[FILE]", "[file] Other", "");
    EXPECT_EQ(saveBytes(ini), QByteArray("[FILE]\r\n[FILE] OTHER\r\n"));
}

TEST(IniSave, LoadingASavedFileGivesTheSameLinesAndBytes)
{
    INIfile ini;
    ASSERT_TRUE(ini.LoadFile(initest::fixture("edge-cases.ini")).ok);
    const QByteArray saved = saveBytes(ini);
    EXPECT_EQ(saved, hvtest::readFile(initest::fixture("edge-cases.saved.ini")));

    const INIlines reloaded = initest::loadBytes(saved);
    EXPECT_EQ(initest::asVector(reloaded), initest::asVector(ini.INIlines()));
    INIfile again;
    again.SetINIlines(reloaded);
    EXPECT_EQ(saveBytes(again), saved);
}

TEST(IniSave, NegativeOrOversizedLayoutValues)
{
    INIfile ini;
    ini.INIlines().Add("", "K", "v");
    ini.SetLeadingSpaces(-4);
    ini.SetEqualPos(-1);
    EXPECT_EQ(saveBytes(ini), QByteArray("K= v\r\n"));

    QByteArray bytes;
    ini.SetEqualPos(ini::kMaxLayoutColumn + 1);
    IniResult r = ini.SaveBytes(bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QLatin1String("EqualPos"))) << r.error.toStdString();
    EXPECT_TRUE(bytes.isEmpty());

    ini.SetEqualPos(17);
    ini.SetLeadingSpaces(ini::kMaxLayoutColumn + 1);
    r = ini.SaveBytes(bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QLatin1String("LeadingSpaces"))) << r.error.toStdString();
}

TEST(IniSave, CharactersOutsideWindows1252AreRefusedNotChanged)
{
    INIfile ini;
    ini.INIlines().Add("", "K", "\u20ac"); // in the code page, as 0x80
    ini.INIlines().Add("", "\u03a9", "\u4e2d");
    QByteArray bytes;
    const IniResult r = ini.SaveBytes(bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(u"'\u03a9' is not in the Windows-1252 code page"))
        << r.error.toStdString();
    EXPECT_TRUE(bytes.isEmpty());
}

TEST(IniSave, ManyMoreLinesThanASixteenBitCounterHolds)
{
    INIfile ini;
    ini.INIlines().Add("[BIG]", "", "");
    const int keys = 40000;
    for (int i = 1; i <= keys; ++i)
        ini.INIlines().Add("[BIG]", QStringLiteral("K%1").arg(i), QString::number(i));
    const QByteArray saved = saveBytes(ini);
    EXPECT_EQ(saved.count("\r\n"), keys + 1);
    const INIlines reloaded = initest::loadBytes(saved);
    ASSERT_EQ(reloaded.Count(), keys + 1);
    EXPECT_EQ(reloaded.Item(keys + 1).Section(), QStringLiteral("K40000"));
    EXPECT_EQ(reloaded.Item(keys + 1).Value(), QStringLiteral("40000"));
}

} // namespace
