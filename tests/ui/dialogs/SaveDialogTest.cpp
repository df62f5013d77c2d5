#include "tests/common/FakeMessageService.h"
#include "tests/common/LogCapture.h"
#include "tests/common/ModalWindows.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"
#include "ui/dialogs/FileDialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

using namespace hv;

namespace {

const QString kFilter = QStringLiteral("Halvora Dir File (*.DIR)|*.DIR");

// The names the dialog's file list offers (enabled rows) once its folder is listed.
QStringList offeredNames(QFileDialog &dialog, int expected)
{
    auto *view = dialog.findChild<QListView *>("listView");
    QStringList names;
    static_cast<void>(QTest::qWaitFor([&] {
        names.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            const QModelIndex index = view->model()->index(row, 0, root);
            if (index.flags() & Qt::ItemIsEnabled)
                names.append(index.data().toString());
        }
        return names.size() >= expected;
    }));
    names.sort(Qt::CaseInsensitive);
    return names;
}

} // namespace

TEST(SaveDialog, OpensCentredOverASmallOwnerAwayFromTheScreenCentre)
{
    hvtest::FakeMessageService boxes;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setGeometry(screen.center().x() - 120, screen.center().y() + 60, 160, 90);
    owner.show();
    QRect dialogRect;
    QString title;
    const auto watch = hvtest::whenModalOpens<QFileDialog>([&](QFileDialog *dialog) {
        dialogRect = dialog->frameGeometry();
        title = dialog->windowTitle();
        dialog->reject();
    });
    // The title shows in the user's language; the log names it in English.
    hvtest::LogCapture log;
    const SaveDialogResult r =
        ShowSave(&owner, "x", UserText("Save", "Speichern"), QDir::tempPath(), kFilter, {}, true);
    EXPECT_EQ(title, "Speichern");
    ASSERT_TRUE(log.waitFor(1));
    EXPECT_EQ(log.messages().front(), "Save");
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(r.fileNames.isEmpty());
    ASSERT_TRUE(screen.contains(dialogRect)) << "choose an owner where the dialog fits";
    EXPECT_LE(std::abs(dialogRect.center().x() - owner.frameGeometry().center().x()), 1);
    EXPECT_LE(std::abs(dialogRect.center().y() - owner.frameGeometry().center().y()), 1);
}

TEST(SaveDialog, FilterAndReplaceQuestionMatchNamesWithoutRegardToCase)
{
    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    const QString folder = config.path() + "/dirs/";
    QDir().mkpath(folder);
    for (const char *name : {"a.dir", "B.DIR", "c.txt"})
        hvtest::writeFile(folder + name, "x");

    QStringList offered;
    QString filterText;
    bool stayedOpen = false;
    const auto watch = hvtest::whenModalOpens<QFileDialog>([&](QFileDialog *dialog) {
        offered = offeredNames(*dialog, 2);
        filterText = dialog->findChild<QComboBox *>("fileTypeCombo")->itemText(0);
        boxes.answers = {MsgAnswer::No, MsgAnswer::Yes};
        dialog->findChild<QLineEdit *>("fileNameEdit")->setText("b.dir"); // typed
        static_cast<QDialog *>(dialog)->accept();                         // No: the dialog stays
        stayedOpen = dialog->isVisible();
        static_cast<QDialog *>(dialog)->accept();
    });
    const SaveDialogResult r = ShowSave(nullptr, "new", "Save", folder, kFilter, {}, false);
    EXPECT_EQ(offered, QStringList({"a.dir", "B.DIR"}));
    EXPECT_EQ(filterText, "Halvora Dir File (*.DIR)");
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, replaceQuestion("B.DIR"));
    ASSERT_FALSE(r.cancelled);
    EXPECT_EQ(r.fileNames, QStringList({folder + "b.dir"}));
}
