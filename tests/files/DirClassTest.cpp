// The directory file model: both forms, template titles, entry edits, validation, saving.
#include "files/DirClass.h"
#include "tests/common/LogCapture.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using hv::DirClass;
using hv::DirEntry;

namespace {

// Templates by file name -> title; a name not in the map cannot be read.
struct FakeTemplates {
    QMap<QString, QString> titles;
    QStringList asked;

    hv::DirTemplateLookup lookup()
    {
        return [this](const QString &name) -> std::optional<QString> {
            asked << name;
            if (!titles.contains(name))
                return std::nullopt;
            return titles.value(name);
        };
    }
};

class DirClassTest : public ::testing::Test {
protected:
    QString folder() const { return dir.path() + u'/'; }
    QString write(const QString &name, const QByteArray &bytes)
    {
        hvtest::writeFile(folder() + name, bytes);
        return folder() + name;
    }
    // Opens `bytes` written as `name` in a fresh model.
    DirClass &open(const QByteArray &bytes, const QString &name = QStringLiteral("menu.dir"))
    {
        model = DirClass(templates.lookup());
        const hv::DirResult r = model.OpenExisting(write(name, bytes));
        EXPECT_TRUE(r.ok) << r.message.text.toStdString();
        return model;
    }
    static QStringList titles(const DirClass &d)
    {
        QStringList out;
        for (const DirEntry &e : d.DirEntries())
            out << e.Title();
        return out;
    }
    static QStringList filenames(const DirClass &d)
    {
        QStringList out;
        for (const DirEntry &e : d.DirEntries())
            out << e.Filename();
        return out;
    }

    QTemporaryDir dir;
    FakeTemplates templates;
    DirClass model;
};

const QByteArray kPlant = "[DIRECTORY]\r\n"
                          "     Caption      = Plant\r\n"
                          "\r\n"
                          "[FILE]\r\n"
                          "     Title        = Line 4\r\n"
                          "     Filename     = LINE4.HVT\r\n"
                          "     Access       = R\r\n"
                          "\r\n"
                          "[FILE]\r\n"
                          "     Title        = Boilers\r\n"
                          "     Filename     = /data/BOIL.HVT\r\n"
                          "     Access       = W\r\n";

TEST_F(DirClassTest, CurrentFormReadingRules)
{
    open(kPlant);
    EXPECT_EQ(model.Caption(), "Plant");
    EXPECT_EQ(model.Filename(), "menu.dir");
    EXPECT_EQ(model.Path(), folder());
    EXPECT_FALSE(model.NewFlag());
    EXPECT_FALSE(model.ChangeFlag());
    ASSERT_EQ(model.DirEntries().Count(), 2);
    EXPECT_EQ(model.DirEntries().Item(1).AccessRights(), "R");
    EXPECT_EQ(filenames(model), QStringList({"LINE4.HVT", "/data/BOIL.HVT"}));

    // Keys and headers in any case, the last caption counts, a repeated key overwrites,
    // unknown keys and sections are ignored, missing keys leave fields empty.
    open("; comment\n[directory]\ncaption=First\nColour=red\nCAPTION = Second \n"
         "[other]\nTitle=not an entry\n"
         "[File]\ntitle=A\nTITLE=B\nfilename=a.hvt\n"
         "[FILE]\nAccess=W\n");
    EXPECT_EQ(model.Caption(), "Second");
    ASSERT_EQ(model.DirEntries().Count(), 2);
    EXPECT_EQ(model.DirEntries().Item(1).Title(), "B");
    EXPECT_EQ(model.DirEntries().Item(1).Filename(), "a.hvt");
    EXPECT_EQ(model.DirEntries().Item(1).AccessRights(), "");
    EXPECT_EQ(model.DirEntries().Item(2).Title(), "");
    EXPECT_EQ(model.DirEntries().Item(2).Filename(), "");
    EXPECT_EQ(model.DirEntries().Item(2).AccessRights(), "W");
}

TEST_F(DirClassTest, LineEndsLfAndLastLineWithoutLineEndAreRead)
{
    open("[DIRECTORY]\nCaption=Lf only\n[FILE]\nTitle=T\nFilename=t.hvt\nAccess=R");
    EXPECT_EQ(model.Caption(), "Lf only");
    ASSERT_EQ(model.DirEntries().Count(), 1);
    EXPECT_EQ(model.DirEntries().Item(1).AccessRights(), "R");

    open("a,hvt,Alpha\r\nb,hvt,Beta", "old.dir");
    EXPECT_EQ(titles(model), QStringList({"Alpha", "Beta"}));
}

TEST_F(DirClassTest, AccessOtherThanCapitalRIsReadWrite)
{
    open("[DIRECTORY]\nCaption=C\n[FILE]\nTitle=T\nFilename=t.hvt\nAccess=r\n"
         "[FILE]\nTitle=U\nFilename=u.hvt\nAccess=x\n");
    EXPECT_EQ(model.DirEntries().Item(1).AccessRights(), "r"); // kept as read
    EXPECT_EQ(hv::dirformat::accessText("r"), "W (Read/Write)");
    EXPECT_EQ(hv::dirformat::accessText("R"), "R (Read Only)");
    ASSERT_TRUE(model.WriteDIrFile());
    const QByteArray saved = hvtest::readFile(folder() + "menu.dir");
    EXPECT_EQ(saved.count("     Access       = W\r\n"), 2) << saved.toStdString();
}

TEST_F(DirClassTest, OldFormRules)
{
    open("\"LINE4\",\"HVT\",\" Line 4 \"\r\n"
         "two,fields\r\n"
         "a,b,c,d\r\n"
         "  42  \r\n"
         "-3.5\r\n"
         "   \r\n"
         "BOIL\tHVT\tBoilers, east\r\n"
         "\"\",x, y\r\n",
         "old.dir");
    EXPECT_EQ(model.Caption(), "");
    EXPECT_EQ(filenames(model),
              QStringList({folder() + "LINE4.HVT", folder() + "BOIL.HVT", folder() + ".x"}));
    EXPECT_EQ(titles(model), QStringList({"Line 4", "Boilers, east", "y"}));
    for (const DirEntry &e : model.DirEntries())
        EXPECT_EQ(e.AccessRights(), "W");
    // No caption: not saved until one is typed; then saved in the current form.
    EXPECT_EQ(model.Save().message.text, DirClass::kBlankCaptionText);
    model.SetCaption("Typed");
    ASSERT_EQ(model.Save().outcome, DirClass::SaveOutcome::Written);
    DirClass reread;
    ASSERT_TRUE(reread.OpenExisting(folder() + "old.dir"));
    EXPECT_EQ(reread.Caption(), "Typed");
    EXPECT_EQ(filenames(reread), filenames(model));
}

TEST_F(DirClassTest, OldFormQuotesAreRemovedOncePerField)
{
    // A lone quote has no pair to remove; a quoted quote loses only the outer pair.
    open("\",\"\"x\"\",t\n", "old.dir");
    EXPECT_EQ(filenames(model), QStringList({folder() + "\".\"x\""}));
}

TEST_F(DirClassTest, TitlesComeFromReadableTemplates)
{
    templates.titles = {{"LINE4.HVT", "Line Four"}, {"/data/BOIL.HVT", "/data/BOIL.HVT"}};
    open(kPlant);
    EXPECT_EQ(templates.asked, QStringList({"LINE4.HVT", "/data/BOIL.HVT"}));
    // A template title equal to its file name keeps the directory's title.
    EXPECT_EQ(titles(model), QStringList({"Line Four", "Boilers"}));
    EXPECT_TRUE(model.DirEntries().Item(1).FileExists());
    EXPECT_TRUE(model.DirEntries().Item(2).FileExists());
}

TEST_F(DirClassTest, MissingTemplateStaysAndIsWrittenBackUnchanged)
{
    templates.titles = {{"LINE4.HVT", "Line 4"}};
    open(kPlant);
    ASSERT_EQ(model.DirEntries().Count(), 2);
    EXPECT_TRUE(model.DirEntries().Item(1).FileExists());
    EXPECT_FALSE(model.DirEntries().Item(2).FileExists());
    EXPECT_EQ(model.DirEntries().Item(2).Title(), "Boilers");
    ASSERT_EQ(model.Save().outcome, DirClass::SaveOutcome::Written);
    EXPECT_EQ(hvtest::readFile(folder() + "menu.dir"), kPlant);
}

TEST_F(DirClassTest, AddEntryChecksDuplicatesAndTemplates)
{
    templates.titles = {
        {"LINE4.HVT", "Line 4"}, {"NEW.HVT", "New one"}, {folder() + "LINE4.HVT", "Line 4"}};
    open(kPlant);

    const hv::DirResult dup = model.AddEntry("line4.hvt");
    EXPECT_FALSE(dup.ok);
    EXPECT_EQ(dup.message.text, DirClass::kDuplicateText);
    EXPECT_EQ(dup.message.title, "File Exists");
    EXPECT_TRUE(dup.message.exclamation);

    const hv::DirResult invalid = model.AddEntry("GONE.HVT");
    EXPECT_FALSE(invalid.ok);
    EXPECT_EQ(invalid.message.text,
              "Invalid Filename or file does not exist. Add operation cancelled.");
    EXPECT_TRUE(invalid.message.title.isEmpty());
    EXPECT_FALSE(invalid.message.exclamation);
    EXPECT_EQ(model.DirEntries().Count(), 2);
    EXPECT_FALSE(model.ChangeFlag());

    ASSERT_TRUE(model.AddEntry("NEW.HVT"));
    // The same template by full path is a different name.
    ASSERT_TRUE(model.AddEntry(folder() + "LINE4.HVT"));
    ASSERT_EQ(model.DirEntries().Count(), 4);
    const DirEntry &added = model.DirEntries().Item(3);
    EXPECT_EQ(added.Title(), "New one");
    EXPECT_EQ(added.Filename(), "NEW.HVT");
    EXPECT_EQ(added.AccessRights(), "W");
    EXPECT_TRUE(added.FileExists());
    EXPECT_TRUE(model.ChangeFlag());
}

TEST_F(DirClassTest, RemoveEntryMovesLaterEntriesUp)
{
    open(kPlant);
    EXPECT_FALSE(model.RemoveEntry(0));
    EXPECT_FALSE(model.RemoveEntry(3));
    EXPECT_FALSE(model.ChangeFlag());
    ASSERT_TRUE(model.RemoveEntry(1));
    EXPECT_EQ(titles(model), QStringList({"Boilers"}));
    EXPECT_TRUE(model.ChangeFlag());
    EXPECT_THROW(model.DirEntries().Item(2), std::out_of_range);
}

TEST_F(DirClassTest, ValidationMessages)
{
    open("[DIRECTORY]\r\nCaption=Only a caption\r\n");
    EXPECT_EQ(model.DirEntries().Count(), 0);
    DirClass::SaveResult r = model.Save();
    EXPECT_EQ(r.outcome, DirClass::SaveOutcome::Invalid);
    EXPECT_EQ(r.message.text, "Directory file cannot have 0 file entries. Please enter at "
                              "least one Template.");

    model.DirEntries().Add().SetFilename("x.hvt");
    model.SetCaption("");
    EXPECT_EQ(model.Validate().message.text, "Directory file Caption cannot be blank.");
    model.SetCaption("   ");
    EXPECT_TRUE(model.Validate());
    // Nothing was written by the refused saves.
    EXPECT_EQ(hvtest::readFile(folder() + "menu.dir"), "[DIRECTORY]\r\nCaption=Only a caption\r\n");
}

TEST_F(DirClassTest, SaveWritesTheCurrentFormAndRoundTrips)
{
    templates.titles = {{"LINE4.HVT", "Line 4"}};
    model = DirClass(templates.lookup());
    model.StartNew(dir.path());
    EXPECT_TRUE(model.NewFlag());
    EXPECT_TRUE(model.ChangeFlag());
    model.SetCaption("  Plant  ");
    ASSERT_TRUE(model.AddEntry("LINE4.HVT"));
    model.DirEntries().Item(1).SetAccessRights("R");
    DirEntry &second = model.DirEntries().Add();
    second.SetTitle(" Boilers ");
    second.SetFilename("/data/BOIL.HVT");
    second.SetAccessRights("W");

    // A new directory needs a file name on every save.
    EXPECT_EQ(model.Save().outcome, DirClass::SaveOutcome::NeedsFileName);
    ASSERT_EQ(model.SaveAs(folder() + "plant").outcome, DirClass::SaveOutcome::Written);
    EXPECT_EQ(model.Filename(), folder() + "plant.DIR");
    EXPECT_FALSE(model.ChangeFlag());
    EXPECT_TRUE(model.NewFlag());
    EXPECT_EQ(model.Save().outcome, DirClass::SaveOutcome::NeedsFileName);
    EXPECT_EQ(hvtest::readFile(folder() + "plant.DIR"), kPlant);

    ASSERT_EQ(model.SaveAs(folder() + "second.dir").outcome, DirClass::SaveOutcome::Written);
    EXPECT_EQ(model.Filename(), folder() + "second.dir");

    DirClass reread(templates.lookup());
    ASSERT_TRUE(reread.OpenExisting(folder() + "plant.DIR"));
    EXPECT_EQ(reread.Caption(), "Plant");
    EXPECT_EQ(titles(reread), QStringList({"Line 4", "Boilers"}));
    EXPECT_EQ(reread.DirEntries().Item(1).AccessRights(), "R");
}

TEST_F(DirClassTest, TextTheFileCannotHoldIsRefusedNotChanged)
{
    open(kPlant);
    const QByteArray before = hvtest::readFile(folder() + "menu.dir");
    // A caption outside the code page, a template name that would name another file, and
    // a line break that would start a section of its own.
    model.SetCaption("\u65E5\u672C proj");
    DirClass::SaveResult r = model.Save();
    EXPECT_EQ(r.outcome, DirClass::SaveOutcome::Failed);
    EXPECT_NE(r.message.text.indexOf("'\u65E5'"), -1) << r.message.text.toStdString();
    model.SetCaption("Plant \u20AC");
    model.DirEntries().Item(1).SetFilename("\u0141\u00F3d\u017A.HVT");
    EXPECT_EQ(model.Save().outcome, DirClass::SaveOutcome::Failed);
    model.DirEntries().Item(1).SetFilename("\u00C9t\u00E9.HVT");
    model.DirEntries().Item(2).SetTitle("Cap\r\n[EVIL]");
    EXPECT_NE(model.Save().message.text.indexOf("line break"), -1);
    EXPECT_EQ(hvtest::readFile(folder() + "menu.dir"), before);

    model.DirEntries().Item(2).SetTitle("Boilers");
    ASSERT_EQ(model.Save().outcome, DirClass::SaveOutcome::Written);
    DirClass reread;
    ASSERT_TRUE(reread.OpenExisting(folder() + "menu.dir"));
    EXPECT_EQ(reread.Caption(), "Plant \u20AC");
    EXPECT_EQ(reread.DirEntries().Item(1).Filename(), "\u00C9t\u00E9.HVT");
}

TEST_F(DirClassTest, BareFilenameIsWrittenInPathAndReportedInFull)
{
    open(kPlant);
    model.SetCaption("Renamed");
    model.DirEntries().Move(2, 1);
    ASSERT_EQ(model.Save().outcome, DirClass::SaveOutcome::Written);
    EXPECT_EQ(model.Filename(), folder() + "menu.dir");
    DirClass reread;
    ASSERT_TRUE(reread.OpenExisting(folder() + "menu.dir"));
    EXPECT_EQ(reread.Caption(), "Renamed");
    EXPECT_EQ(titles(reread), QStringList({"Boilers", "Line 4"}));
}

TEST_F(DirClassTest, BlankCaptionIsWrittenEmptyAndReopensEmpty)
{
    open(kPlant);
    model.SetCaption("   ");
    ASSERT_EQ(model.Save().outcome, DirClass::SaveOutcome::Written);
    EXPECT_TRUE(hvtest::readFile(folder() + "menu.dir")
                    .startsWith("[DIRECTORY]\r\n     Caption      =\r\n"));
    DirClass reread;
    ASSERT_TRUE(reread.OpenExisting(folder() + "menu.dir"));
    EXPECT_EQ(reread.Caption(), "");
}

TEST_F(DirClassTest, FailedSaveIsReportedAndKeepsChanges)
{
    open(kPlant);
    model.SetChangeFlag(true);
    // A folder in the way of the target file: the save cannot replace it.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.DIR"));
    hvtest::LogCapture log;
    const DirClass::SaveResult r = model.SaveAs(folder() + "taken.DIR");
    // Logged as a caught error with its number, as every caught error is.
    EXPECT_TRUE(log.waitForMessage(QStringLiteral("Error: 75 - ") + r.message.text))
        << log.messages().join(" | ").toStdString();
    EXPECT_EQ(r.outcome, DirClass::SaveOutcome::Failed);
    EXPECT_FALSE(r.message.text.isEmpty());
    EXPECT_TRUE(model.ChangeFlag());

    const DirClass::SaveResult missing = model.SaveAs(folder() + "no/such/folder/x.dir");
    EXPECT_EQ(missing.outcome, DirClass::SaveOutcome::Failed);
    EXPECT_TRUE(model.ChangeFlag());
}

TEST_F(DirClassTest, UnreadableFileIsAnErrorAndNotCreated)
{
    DirClass d;
    const hv::DirResult r = d.OpenExisting(folder() + "absent.dir");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.text.contains("absent.dir"));
    EXPECT_FALSE(QFile::exists(folder() + "absent.dir"));
    EXPECT_EQ(d.DirEntries().Count(), 0);
    EXPECT_EQ(d.Caption(), "");

    // Found without regard to letter case.
    write("UPPER.DIR", kPlant);
    ASSERT_TRUE(d.OpenExisting(folder() + "upper.dir"));
    EXPECT_EQ(d.Caption(), "Plant");
}

} // namespace
