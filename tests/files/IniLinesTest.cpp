// The line collection: 1-based positions, removal, errors for positions out of range.
#include "files/IniFile.h"
#include "tests/files/IniTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace hv;

namespace {

INIlines threeLines()
{
    INIlines lines;
    lines.Add("[A]", "", "");
    lines.Add("[A]", "ONE", "1");
    lines.Add("[A]", "TWO", "2");
    return lines;
}

TEST(IniLines, PositionsCountFromOneInAddOrder)
{
    INIlines lines = threeLines();
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Item(1).Group(), QStringLiteral("[A]"));
    EXPECT_EQ(lines.Item(3).Section(), QStringLiteral("TWO"));
    QStringList order;
    for (const INIline &line : lines)
        order << line.Section();
    EXPECT_EQ(order, (QStringList{"", "ONE", "TWO"}));

    // Add returns the new line, which the caller may go on filling.
    INIline &added = lines.Add("[A]", "THREE", "");
    added.SetValue(QStringLiteral("3"));
    EXPECT_EQ(lines.Item(4).Value(), QStringLiteral("3"));
    lines.Item(2).SetSection(QStringLiteral("Uno"));
    EXPECT_EQ(lines.Item(2).Section(), QStringLiteral("Uno"));
}

TEST(IniLines, RemoveMovesLaterLinesUp)
{
    INIlines lines = threeLines();
    lines.Remove(2);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Item(2).Section(), QStringLiteral("TWO"));
    lines.Remove(2);
    lines.Remove(1);
    EXPECT_EQ(lines.Count(), 0);
}

TEST(IniLines, PositionsOutsideTheListThrowAndChangeNothing)
{
    INIlines lines = threeLines();
    const INIlines before = lines;
    EXPECT_THROW(lines.Item(0), std::out_of_range);
    EXPECT_THROW(lines.Item(4), std::out_of_range);
    EXPECT_THROW(lines.Item(-1), std::out_of_range);
    EXPECT_THROW(lines.Remove(0), std::out_of_range);
    EXPECT_THROW(lines.Remove(4), std::out_of_range);
    EXPECT_TRUE(lines == before);
    const INIlines &constLines = lines;
    EXPECT_THROW(constLines.Item(4), std::out_of_range);
    try {
        lines.Remove(9);
    } catch (const std::out_of_range &e) {
        EXPECT_STREQ(e.what(), "INIlines::Remove: position 9 is outside 1..3");
    }
    EXPECT_THROW(INIlines().Item(1), std::out_of_range);
}

TEST(IniLines, ClearAndSetReplaceTheCollection)
{
    INIfile ini;
    EXPECT_EQ(ini.INIlines().Count(), 0);
    ini.SetINIlines(threeLines());
    EXPECT_EQ(ini.INIlines().Count(), 3);
    ini.INIlines().Clear();
    EXPECT_EQ(ini.INIlines().Count(), 0);
    ini.INIlines().Add("", "K", "v");
    EXPECT_EQ(ini.INIlines().Count(), 1);
}

} // namespace
