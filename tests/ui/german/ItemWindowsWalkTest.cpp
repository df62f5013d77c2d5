// The item commands' windows under a German locale: no text a user sees is left in English.
#include "app/AppState.h"
#include "app/DataTableModel.h"
#include "files/DirClass.h"
#include "ops/ItemDelete.h"
#include "ops/ItemRename.h"
#include "ops/LockCheck.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/TempConfig.h"
#include "tests/ui/german/TextWalk.h"
#include "ui/dialogs/DataWindow.h"
#include "ui/dialogs/HistoryWindow.h"
#include "ui/dialogs/ShortcutsWindow.h"
#include "ui/dialogs/TemplatePickerDialog.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmLogin.h"
#include "ui/dialogs/frmRename.h"
#include "ui/dialogs/frmWarning.h"
#include "ui/dialogs/frmfileLock.h"
#include "ui/direditor/frmDIR.h"

#include <QAction>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace hv;

namespace {

QString demoFolder()
{
    return qEnvironmentVariable("HV_SOURCE_DIR") + QStringLiteral("/demo/");
}

// Shows `window`, lets `ready` come true, and walks it.
void walkShown(hvtest::TextWalk &walk, QWidget &window, const std::function<bool()> &ready = {})
{
    window.show();
    if (ready) {
        EXPECT_TRUE(QTest::qWaitFor(ready, 10000)) << window.objectName().toStdString();
    }
    walk.collect(window);
}

} // namespace

TEST(GermanLocale, ItemWindowsLeaveNoTextInEnglish)
{
    ASSERT_TRUE(QFileInfo(demoFolder()).isDir()) << "HV_SOURCE_DIR not set?";
    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    QStringList clashes;
    const QStringList left = hvtest::textsLeftInEnglish([&](hvtest::TextWalk &walk) {
        // The user's own rows: templates, records and the directory's entries.
        walk.skippedRows = {{QStringLiteral("lstTemplates"), nullptr},
                            {QStringLiteral("tblData"), nullptr},
                            {QStringLiteral("grdFiles"), nullptr}};
        for (const bool application : {true, false})
            for (const bool dataOnly : {true, false}) {
                frmWarning one(nullptr,
                               DeleteConfirmationText(application, dataOnly, "Line 4", 12));
                walkShown(walk, one);
                frmWarning several(
                    nullptr, SeveralConfirmationText(application ? fileset::ItemKind::Application
                                                                 : fileset::ItemKind::Popup,
                                                     dataOnly, 3));
                walkShown(walk, several);
            }
        for (const char *file : {"LINE4.HVT", "DEFECTS.HPT", "PLANT.DIR"}) {
            const RenamePrompt prompt = RenamePromptFor(QString::fromLatin1(file));
            frmRename rename(nullptr, prompt.prompt, prompt.caption, QString::fromLatin1(file));
            walkShown(walk, rename);
        }
        LockCheckResult held;
        held.outcome = LockOutcome::OtherUsers;
        held.listVisible = true;
        held.message = QCoreApplication::translate(
            "hv::LockRetry", "Access has been denied to the application (%1) data file you are "
                             "trying to open. It is being accessed by another user. The list "
                             "below shows all current connections to the file. You may still "
                             "open the file but you will be unable to save your changes until "
                             "the file is unlocked.");
        held.columns = {QCoreApplication::translate("hv::LockRetry", "USER"),
                        QCoreApplication::translate("hv::LockRetry", "Computer")};
        frmfileLock locked(nullptr, demoFolder() + "LINE4.HVD", held);
        walkShown(walk, locked);
        frmLogin login;
        walkShown(walk, login);
        frmAbout about;
        walkShown(walk, about);

        DirClass dir;
        frmDIR editor(dir);
        QSignalSpy loaded(&editor, &frmDIR::loaded);
        editor.load(demoFolder() + "PLANT.DIR");
        ASSERT_TRUE(!loaded.isEmpty() || loaded.wait(10000));
        walkShown(walk, editor);
        clashes += hvtest::clashingAccessKeys(editor);
        TemplatePickerDialog picker;
        picker.showFolder(demoFolder());
        walkShown(walk, picker, [&] { return !picker.isListing(); });

        DataWindow data(QStringLiteral("Line 4"), demoFolder() + "LINE4.HVD");
        walkShown(walk, data, [&] {
            return data.model()->state() == DataTableModel::State::Ready &&
                   !data.model()->isIndexing();
        });
        QWidget owner;
        auto *rename =
            new QAction(QCoreApplication::translate("hv::ItemActions", "&Rename"), &owner);
        rename->setShortcut(Qt::Key_F2);
        owner.addAction(rename);
        ShortcutsWindow shortcuts(owner);
        walkShown(walk, shortcuts);
        QAction undo;
        UndoCommands commands(&undo, [] { return true; });
        HistoryWindow history(commands);
        walkShown(walk, history);
    });
    EXPECT_EQ(left, QStringList{});
    // The editor's menus keep an access key of their own for each item in either language.
    EXPECT_EQ(clashes, QStringList{});
    EXPECT_TRUE(boxes.shown.empty());
    AppState::instance().reset();
}

TEST(GermanLocale, DirectoryRefusalsAreShownInGerman)
{
    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    DirClass fresh;
    frmDIR editor(fresh);
    QSignalSpy loaded(&editor, &frmDIR::loaded);
    editor.load(config.path() + u'/');
    ASSERT_TRUE(!loaded.isEmpty() || loaded.wait(10000));
    editor.show();
    editor.SaveAs(); // with no caption
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Die Beschriftung der Verzeichnisdatei darf nicht leer sein.");
}
