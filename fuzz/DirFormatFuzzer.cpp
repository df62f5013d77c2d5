// libFuzzer target for the directory file model: any bytes read in either form without
// fault, the old form's quick count agrees with its parse, and what was read survives a save
// (formatted whole or an entry at a time) and a reload unchanged.
#include "files/DirFormat.h"
#include "files/IniFile.h"
#include "files/IniFormat.h"
#include "fuzz/FuzzCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray save(const hv::DirFileContent &content)
{
    hv::INIfile ini;
    ini.SetLeadingSpaces(hv::dirformat::kLeadingSpaces);
    ini.SetEqualPos(hv::dirformat::kEqualPos);
    ini.SetINIlines(hv::dirformat::toLines(content.caption, content.entries));
    QByteArray bytes;
    check(ini.SaveBytes(bytes).ok, "a directory read from a file could not be saved");
    // The writer formats an entry at a time: the same bytes.
    const std::optional<QByteArray> formatted =
        hv::dirformat::formatFile(content.caption, content.entries);
    check(formatted && *formatted == bytes, "the file formatted an entry at a time differs");
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const hv::DirFileContent content = hv::dirformat::parse(input, QString());
    const hv::DirFileContent old = hv::dirformat::parseOldForm(input, QString());
    check(hv::dirformat::countOldFormEntries(input) == qint64(old.entries.size()),
          "the old form's count differs from its parse");
    if (content.oldForm)
        check(content.entries == old.entries, "the old form read two ways differs");

    // Saved in the current form and read back: the same caption and entries, the access
    // right as written; a second save gives the same bytes.
    const QByteArray saved = save(content);
    const hv::DirFileContent reloaded = hv::dirformat::parse(saved, QString());
    check(!reloaded.oldForm, "a saved directory reads as the old form");
    check(reloaded.caption == content.caption, "the caption changed on a round trip");
    check(reloaded.entries.size() == content.entries.size(), "the entry count changed");
    for (size_t i = 0; i < content.entries.size(); ++i) {
        const hv::DirEntry &a = content.entries[i];
        const hv::DirEntry &b = reloaded.entries[i];
        check(a.Title() == b.Title() && a.Filename() == b.Filename(), "an entry changed");
        check(b.AccessRights() == hv::dirformat::writtenAccess(a.AccessRights()),
              "an access right changed");
    }
    check(save(reloaded) == saved, "a second save differs");
    return 0;
}
