// Loading INI text: classification of lines, keys, values, headers and line ends.
#include "files/IniFile.h"
#include "files/IniFormat.h"
#include "platform/Ansi.h"
#include "tests/common/TestSupport.h"
#include "tests/files/IniTestSupport.h"

#include <gtest/gtest.h>

#include <optional>

using namespace hv;
using initest::asVector;
using initest::loadBytes;

namespace {

std::vector<INIline> expected(std::initializer_list<INIline> lines)
{
    return lines;
}

// The fixture holds the classification cases: a key line before any header, blanks around a
// key and a value holding further "=", a line beginning with "=", TAB before "=", comments
// with and without "=", blank lines, text without "=", a lower-case header, an empty value,
// a lone CR, Windows-1252 letters in a key, a header with text after its bracket.
TEST(IniLoad, EdgeCaseFileLoadsAsItsExpectedDump)
{
    INIfile ini;
    ASSERT_TRUE(ini.LoadFile(initest::fixture("edge-cases.ini")).ok);
    const INIlines want =
        initest::linesFromJson(hvtest::readFile(initest::fixture("edge-cases.json")));
    ASSERT_EQ(want.Count(), 12);
    EXPECT_EQ(asVector(ini.INIlines()), asVector(want));
}

TEST(IniLoad, KeysAreUpperCasedWithinWindows1252AndValuesKeepTheirCase)
{
    // cl\xE9 is "clé"; \xFF is y with diaeresis, whose capital is \x9F.
    const INIlines lines = loadBytes("cl\xE9 \xFF\x9A=Caf\xE9 \xFF\r\n");
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Item(1).Section(), ansi::toText("CL\xC9 \x9F\x8A"));
    EXPECT_EQ(lines.Item(1).Value(), ansi::toText("Caf\xE9 \xFF"));
}

TEST(IniLoad, UpperCaseAgreesWithUnicodeWhereTheCodePageHasTheCapital)
{
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const QChar upper = QChar(ansi::toChar(byte)).toUpper();
        const char mapped = ansi::fromChar(upper.unicode());
        const bool representable = mapped != '?' || upper == u'?';
        const unsigned char want = representable ? static_cast<unsigned char>(mapped) : byte;
        EXPECT_EQ(ansi::upperByte(byte), want) << "byte " << b;
    }
    EXPECT_EQ(ansi::upperText(QStringLiteral("straße µ ÿ Ω")), QStringLiteral("STRAßE µ Ÿ Ω"));
}

TEST(IniLoad, LfAndCrLfBothEndLinesAndTheLastLineIsKept)
{
    INIfile ini;
    ASSERT_TRUE(ini.LoadFile(initest::fixture("mixed-line-ends.ini")).ok);
    const INIlines want =
        initest::linesFromJson(hvtest::readFile(initest::fixture("mixed-line-ends.json")));
    EXPECT_EQ(asVector(ini.INIlines()), asVector(want));

    // A file of LF line ends only loads every line.
    EXPECT_EQ(asVector(loadBytes("[A]\nK=1\nL=2\n")),
              expected({{"[A]", "[A]", ""}, {"[A]", "K", "1"}, {"[A]", "L", "2"}}));
    // The final line without a line end is kept, also when it is the only one.
    EXPECT_EQ(asVector(loadBytes("K=1")), expected({{"", "K", "1"}}));
    EXPECT_EQ(asVector(loadBytes("[A]\r\nK=1")), expected({{"[A]", "[A]", ""}, {"[A]", "K", "1"}}));
}

TEST(IniLoad, ALoneCarriageReturnIsASpace)
{
    // Old-style CR-only line ends make one line; CR inside key or value reads as a space.
    EXPECT_EQ(asVector(loadBytes("a\rb = c\rd\r\r\n\r=x\r\n")), expected({{"", "A B", "c d"}}));
}

TEST(IniLoad, EveryByteOfAValueSurvives)
{
    QByteArray value;
    for (int b = 0x21; b < 256; ++b)
        value.append(char(b));
    value.insert(10, QByteArray("\x01\x02\x00\x1F", 4));
    const INIlines lines = loadBytes("K=" + value + "\r\n");
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(ansi::fromText(lines.Item(1).Value()), value);
}

TEST(IniLoad, LoadingReplacesThePreviousLines)
{
    INIfile ini;
    ini.INIlines().Add("[OLD]", "KEY", "value");
    QByteArray data("[NEW]\r\n");
    QBuffer buffer(&data);
    ASSERT_TRUE(ini.Load(buffer).ok);
    EXPECT_EQ(asVector(ini.INIlines()), expected({{"[NEW]", "[NEW]", ""}}));

    QByteArray empty;
    QBuffer emptyBuffer(&empty);
    ASSERT_TRUE(ini.Load(emptyBuffer).ok);
    EXPECT_EQ(ini.INIlines().Count(), 0);
}

} // namespace

// The list's title scanner reads bytes without the model; on every input it must give the
// model's answer: a "[TEMPLATE]" header there, and the last TITLE under one.
TEST(IniLoad, TheTitleScannerAgreesWithTheModel)
{
    struct Case {
        QByteArray bytes;
        bool isTemplate;
        const char16_t *title; // nullptr: no TITLE line under the header
    };
    const Case cases[] = {
        {"[TEMPLATE]\r\nTITLE=Plant Inspection\r\n", true, u"Plant Inspection"},
        {" \t[template]\t\r\n\ttitle \t=  Line 4 \r", true, u"Line 4"},
        {"[TEMPLATE]\nTITLE=first\n[ENTRY]\nTITLE=entry\n[TEMPLATE]\nTITLE=last", true, u"last"},
        {"[ENTRY]\nTITLE=not this\n[TEMPLATE]\nNAME=x\n", true, nullptr},
        {"[TEMPLATE] X\nTITLE=no\n", false, nullptr},
        {"[TEMPLATE]\nTITLE=\n", true, u""},
        {"[TEMPLATE]\nTI TLE=no\nTITLE x\n=TITLE\n", true, nullptr},
        {"[TEMPLATE]\nTITLE=Caf\xe9 \x80 5\tA\n", true, u"Caf\u00e9 \u20ac 5 A"},
        {"TITLE=before any header\n", false, nullptr},
        {"", false, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        bool modelTemplate = false;
        std::optional<QString> modelTitle;
        hv::ini::forEachLine(c.bytes, [&](const QString &group, QString section, QString value) {
            if (section.startsWith(u'['))
                modelTemplate = modelTemplate || section == u"[TEMPLATE]";
            else if (group == u"[TEMPLATE]" && section == u"TITLE")
                modelTitle = value;
        });
        const hv::ini::TemplateHeading heading = hv::ini::scanTemplateHeading(c.bytes);
        EXPECT_EQ(heading.isTemplate, c.isTemplate);
        EXPECT_EQ(heading.hasTitle, c.title != nullptr);
        if (c.title) {
            EXPECT_EQ(heading.title, QString::fromUtf16(c.title));
        }
        EXPECT_EQ(heading.isTemplate, modelTemplate);
        EXPECT_EQ(heading.hasTitle, modelTitle.has_value());
        EXPECT_EQ(heading.title, modelTitle.value_or(QString()));
    }
}
