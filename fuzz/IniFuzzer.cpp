// libFuzzer target for the INI model: any bytes load without fault, load the same as a
// plain reference reading of the format, give the list's title scanner the same answer, and
// survive a save and reload unchanged.
#include "files/IniFile.h"
#include "files/IniFormat.h"
#include "fuzz/FuzzCheck.h"
#include "platform/Ansi.h"

#include <QBuffer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

// Spaces only: TAB and CR have become spaces by the time a line is trimmed.
QString trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

// The format read the slow, obvious way: decode everything, split at LF, classify.
hv::INIlines referenceParse(const QByteArray &bytes)
{
    hv::INIlines lines;
    QString group;
    const QStringList raw = hv::ansi::toText(bytes).split(u'\n');
    for (QString line : raw) {
        line.replace(u'\r', u' ').replace(u'\t', u' ');
        line = trimSpaces(line);
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'[')) {
            group = hv::ansi::upperText(line);
            lines.Add(group, group, QString());
            continue;
        }
        const qsizetype equal = line.indexOf(u'=');
        if (equal < 0)
            continue;
        const QString key = trimSpaces(line.left(equal));
        if (key.isEmpty())
            continue;
        lines.Add(group, hv::ansi::upperText(key), trimSpaces(line.mid(equal + 1)));
    }
    return lines;
}

hv::INIlines load(const QByteArray &bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    hv::INIfile ini;
    check(ini.Load(buffer).ok, "loading from a buffer failed");
    return ini.INIlines();
}

QByteArray save(const hv::INIlines &lines, int leadingSpaces, int equalPos, bool ucase)
{
    hv::INIfile ini;
    ini.SetINIlines(lines);
    ini.SetLeadingSpaces(leadingSpaces);
    ini.SetEqualPos(equalPos);
    ini.SetUcaseSection(ucase);
    QByteArray data;
    QBuffer buffer(&data);
    check(ini.Save(buffer).ok, "saving to a buffer failed");
    return data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const hv::INIlines lines = load(input);
    check(lines == referenceParse(input), "load differs from the reference reading");

    // Walking by position sees the same lines as iteration; positions outside throw.
    qsizetype position = 0;
    for (const hv::INIline &line : lines) {
        ++position;
        check(lines.Item(position) == line, "Item differs from iteration");
        check(!line.Section().isEmpty(), "a loaded line without Section");
    }
    check(position == lines.Count(), "Count differs from iteration");
    try {
        (void)lines.Item(lines.Count() + 1);
        check(false, "Item past the end did not throw");
    } catch (const std::out_of_range &) {
    }

    // The list's title scanner agrees with the loaded lines.
    bool isTemplate = false;
    bool hasTitle = false;
    QString title;
    for (const hv::INIline &line : lines) {
        if (line.Section().startsWith(u'[')) {
            isTemplate = isTemplate || line.Section() == u"[TEMPLATE]";
        } else if (line.Group() == u"[TEMPLATE]" && line.Section() == u"TITLE") {
            hasTitle = true;
            title = line.Value();
        }
    }
    const hv::ini::TemplateHeading heading = hv::ini::scanTemplateHeading(input);
    check(heading.isTemplate == isTemplate, "the title scanner differs on the template header");
    check(heading.hasTitle == hasTitle && heading.title == title,
          "the title scanner differs on the title");

    // The layout comes from the first byte, so every layout gets exercised.
    const int layout = size > 0 ? data[0] : 0;
    const int leadingSpaces = (layout & 7) - 1;
    const int equalPos = (layout >> 3) & 31;
    const bool ucase = (layout & 0x80) != 0;

    // Every loaded line is a header or a key line, so the save writes one line for each,
    // each ended by CR LF with no other line end in the text; reloading gives the lines
    // back and saving them again gives the same bytes.
    const QByteArray saved = save(lines, leadingSpaces, equalPos, ucase);
    check(saved.count('\n') == lines.Count(), "saved line count differs");
    check(saved.count("\r\n") == lines.Count(), "saved text has a line end other than CR LF");
    const hv::INIlines reloaded = load(saved);
    check(reloaded == lines, "reload of the saved text differs");
    check(save(reloaded, leadingSpaces, equalPos, ucase) == saved, "second save differs");
    return 0;
}
