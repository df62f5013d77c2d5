// libFuzzer target for the directory summary of the list: any bytes give the caption and
// entry count that the plain reading of the INI lines (or of the old form) gives.
#include "files/DirFormat.h"
#include "files/IniFormat.h"
#include "fuzz/FuzzCheck.h"
#include "lists/DirectorySummary.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

hv::DirectorySummary reference(QByteArrayView bytes)
{
    hv::DirectorySummary summary;
    hv::INIlines lines;
    hv::ini::parseLines(bytes, lines);
    if (lines.Count() == 0) {
        summary.entryCount = qint64(hv::dirformat::parseOldForm(bytes, QString()).entries.size());
        return summary;
    }
    for (const hv::INIline &line : lines) {
        if (line.Group() == u"[DIRECTORY]" && line.Section() == u"CAPTION")
            summary.caption = line.Value();
        else if (line.Group() == u"[FILE]" && line.Section() == u"TITLE")
            ++summary.entryCount;
    }
    return summary;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const hv::DirectorySummary summary = hv::summariseDirectory(input);
    const hv::DirectorySummary expected = reference(input);
    check(summary.caption == expected.caption, "the caption differs from the reference");
    check(summary.entryCount == expected.entryCount, "the count differs from the reference");
    return 0;
}
