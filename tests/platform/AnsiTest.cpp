#include "platform/Ansi.h"

#include <gtest/gtest.h>

using namespace hv;

TEST(Ansi, EveryByteRoundTripsThroughText)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = ansi::toText(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ansi::fromText(text), all);
}

TEST(Ansi, MapsTheWindows1252CharactersAndKeepsUndefinedBytes)
{
    EXPECT_EQ(ansi::toText("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(ansi::toText("\x9F"), QString(QChar(0x0178)));
    EXPECT_EQ(ansi::toText("\xE9"), QStringLiteral("é"));
    for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(ansi::toChar(undefined), char16_t(undefined));
    EXPECT_EQ(ansi::fromText(QStringLiteral("€é")), QByteArray("\x80\xE9"));
    EXPECT_EQ(ansi::fromText(QStringLiteral("Ω")), QByteArray("?"));
}
