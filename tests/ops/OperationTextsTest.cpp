// Under a catalogue, what an operation reports is shown translated while the diagnostic log
// and the result's message (hvadmin-cli, its JSON) stay English.
#include "ops/History.h"
#include "ops/ItemDelete.h"
#include "ops/ItemRename.h"
#include "suite/TemplateFileInfo.h"
#include "tests/common/LogCapture.h"
#include "tests/ops/ItemFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

using namespace hv;

namespace {

// A catalogue that translates every text by marking it, keeping its place holders.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return QStringLiteral("[de] ") + QString::fromUtf8(source);
    }
    bool isEmpty() const override { return false; }
};

class OperationTexts : public ItemFolder {
protected:
    void SetUp() override
    {
        ItemFolder::SetUp();
        QCoreApplication::installTranslator(&translator);
    }
    void TearDown() override
    {
        QCoreApplication::removeTranslator(&translator);
        ItemFolder::TearDown();
    }
    // Every logged message is free of the catalogue's mark.
    static void expectEnglish(const hvtest::LogCapture &log)
    {
        for (const QString &message : log.messages())
            EXPECT_FALSE(message.contains("[de]")) << message.toStdString();
    }
    MarkingTranslator translator;
};

} // namespace

TEST_F(OperationTexts, FailuresAreShownTranslatedAndLoggedInEnglish)
{
    write("A.hvt", "[TEMPLATE]\r\n");
    write("A.hvd");
    HeldFilesService locks;
    locks.held = {folder + "A.hvd"};
    TemplateFileInfo info(folder);
    hvtest::LogCapture log;
    const ItemOpResult held = DeleteItem(folder + "A.hvt", true, info, {}, &locks);
    ASSERT_TRUE(log.waitFor(1));
    expectEnglish(log);
    EXPECT_EQ(held.title, "Delete Failed");
    EXPECT_TRUE(held.message.startsWith("The file " + folder + "A.hvd could not be deleted."));
    EXPECT_EQ(held.shownTitle(), "[de] Delete Failed");
    EXPECT_TRUE(held.shownMessage().startsWith("[de] The file " + folder + "A.hvd could not"));

    // A message made of parts: each part is translated, and the log has none of them.
    write("B.hvd", "stray");
    blockWithFolder("B.hvi");
    write("A.hvi");
    locks.held.clear();
    const size_t before = log.entries.size();
    const RenameResult renamed = RenameItem(folder, "A.hvt", "B", info, {}, &locks);
    ASSERT_TRUE(log.waitFor(before + 1));
    expectEnglish(log);
    EXPECT_TRUE(renamed.message.startsWith("Error occurred during Rename operation. The folder"));
    EXPECT_TRUE(renamed.shownMessage().startsWith(
        "[de] Error occurred during Rename operation. [de] The folder " + folder + "B.hvi"));
    EXPECT_TRUE(renamed.shownMessage().contains("[de] \n\nThese files of the new name"));
}

TEST_F(OperationTexts, HistoryCaptionsAndConfirmationsTakeTheCatalogue)
{
    history::Entry entry;
    entry.verb = "delete";
    entry.items = {"A.hvt", "B.hvt", "C.hvt"};
    EXPECT_EQ(entry.caption(), "Delete 3 applications");
    EXPECT_EQ(entry.captionText().shown, "[de] Delete 3 applications");
    entry.verb = "rename";
    entry.items = {"A.hvt"};
    entry.newName = "B";
    EXPECT_EQ(entry.caption(), "Rename A to B");
    EXPECT_EQ(entry.captionText().shown, "[de] Rename A to B");

    // A title with a place holder of its own is taken as it is.
    const DeleteConfirmation text = DeleteConfirmationText(true, true, "Line %1", 7);
    EXPECT_EQ(text.question, "[de] You are about to delete 7 data records associated with the "
                             "Line %1 Application. Do you wish to continue?");
    EXPECT_EQ(text.caption, "[de] Warning! Confirm Delete");
}

// The history's own failures reach the window translated and the log in English.
TEST_F(OperationTexts, HistoryFailuresAreShownTranslated)
{
    const QString journal = history::JournalPath();
    ASSERT_TRUE(QDir().mkpath(journal)); // a folder where the journal belongs
    UserText error;
    EXPECT_TRUE(history::Entries(&error).isEmpty());
    EXPECT_TRUE(error.english.startsWith("The history ")) << error.english.toStdString();
    EXPECT_TRUE(error.shown.startsWith("[de] The history ")) << error.shown.toStdString();
    history::Entry entry;
    entry.verb = "delete";
    entry.items = {"A.hvt"};
    error = {};
    EXPECT_FALSE(history::Append(entry, &error));
    EXPECT_FALSE(error.english.contains("[de]"));
    EXPECT_TRUE(error.shown.startsWith("[de] ")) << error.shown.toStdString();
    QDir().rmdir(journal);
}
