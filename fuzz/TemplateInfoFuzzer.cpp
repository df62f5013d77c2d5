// libFuzzer target for the template information reader: the input, written as a template
// and as its data file, gives the validity, title and entries of a plain reading of its INI
// lines and a record count that the data file can hold.
#include "files/IniFormat.h"
#include "fuzz/FuzzCheck.h"
#include "suite/TemplateFileInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write a work file");
    check(file.write(bytes) == bytes.size(), "cannot write a work file");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/TemplateInfoFuzzer-XXXXXX"));
    check(folder.isValid(), "no work folder");
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString templatePath = folder.filePath(QStringLiteral("T.HVT"));
    write(templatePath, input);
    write(folder.filePath(QStringLiteral("t.hvd")), input); // found without regard to case

    bool valid = false;
    QString title;
    QStringList keys;
    bool inEntry = false;
    hv::INIlines lines;
    hv::ini::parseLines(input, lines);
    for (const hv::INIline &line : lines) {
        if (line.Section().startsWith(u'[')) {
            valid = valid || line.Section() == u"[TEMPLATE]";
            inEntry = line.Section() == u"[ENTRY]";
            if (inEntry)
                keys.append(QString());
        } else if (line.Group() == u"[TEMPLATE]" && line.Section() == u"TITLE") {
            title = line.Value();
        } else if (inEntry && line.Section() == u"KEY") {
            keys.last() = line.Value();
        }
    }

    hv::TemplateFileInfo info(folder.path());
    info.SetTemplatePath(QStringLiteral("T.HVT"));
    check(info.IsValidTemplate() == valid, "validity differs from the reference");
    check(info.TemplateTitle() == (valid && !title.isEmpty() ? title : QStringLiteral("T.HVT")),
          "title differs from the reference");
    info.OpenTemplate();
    const hv::TemplateEntries entries = info.Entries();
    check(entries.Count() == (valid ? keys.size() : 0), "entry count differs");
    for (qint32 i = 1; i <= entries.Count(); ++i)
        check(entries.Item(i).Key == keys.at(i - 1), "an entry's key differs");
    info.CloseTemplate();

    const hv::TemplateSummary summary = info.applicationSummary(templatePath);
    check(summary.recordCount >= 0 && qint64(summary.recordCount) <= qint64(size),
          "a record count the data file cannot hold");
    check(!summary.dateTime.isEmpty(), "no date/time for an existing data file");
    return 0;
}
