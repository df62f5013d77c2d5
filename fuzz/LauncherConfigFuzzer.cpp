// libFuzzer target for the launcher configuration: whatever the file holds, adding an entry
// keeps every byte of it, appends the entry so that it reads back as the last one, and a
// value the file cannot hold is refused with the file left as it was.
#include "fuzz/FuzzCheck.h"
#include "platform/Ansi.h"
#include "suite/LauncherConfig.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A value as the INI model reads it back: TABs become spaces, spaces around it go.
QString asRead(QString text)
{
    text.replace(u'\t', u' ');
    return hv::ansi::trimSpaces(text).toString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    check(folder.isValid(), "no temporary folder");
    const QString path = folder.path() + QStringLiteral("/hvlaunch.ini");

    // The first byte picks the caption's length and whether it holds a character outside the
    // code page; the caption's bytes follow; the rest is the file as it was.
    const size_t captionBytes = size > 0 ? qMin<size_t>(data[0] & 0x1F, size - 1) : 0;
    QString caption = hv::ansi::toText(
        QByteArrayView(reinterpret_cast<const char *>(data) + (size > 0), qsizetype(captionBytes)));
    if (size > 0 && (data[0] & 0x20))
        caption += QStringLiteral("\u65E5");
    const size_t fileStart = size > 0 ? 1 + captionBytes : 0;
    const QByteArray before(reinterpret_cast<const char *>(data) + fileStart,
                            qsizetype(size - fileStart));
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                  file.write(before) == before.size(),
              "cannot write the file");
    }

    hv::LauncherConfig config;
    config.SetConfigFile(path);
    config.AddProgram(caption, QStringLiteral("/suite/hv"), QStringLiteral("/p/A.HVT"), 2, true);
    const hv::IniResult written = config.WriteConfig();
    const QByteArray after = readAll(path);
    if (!hv::ansi::oneLineProblem(caption).isEmpty()) {
        check(!written.ok, "a caption the file cannot hold was written");
        check(after == before, "a refused entry changed the file");
        return 0;
    }
    check(written.ok, "writing the entry failed");
    check(after.startsWith(before), "the file's own bytes were not kept");
    check(before.isEmpty() || before.endsWith('\n') || after.mid(before.size(), 2) == "\r\n",
          "the last line of the file was joined to the entry");

    const QList<hv::LauncherProgram> programs = hv::LauncherConfig::ReadPrograms(path);
    check(!programs.isEmpty(), "the entry does not read back");
    const hv::LauncherProgram &last = programs.last();
    check(last.caption == asRead(caption), "the caption reads back changed");
    check(last.program == u"/suite/hv" && last.arguments == u"/p/A.HVT" && last.kind == 2 &&
              last.flag,
          "the entry reads back changed");
    return 0;
}
