#include "app/AppState.h"
#include "files/DirClass.h"
#include "suite/DirTemplateLookup.h"
#include "suite/TemplatePicker.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/FakePicker.h"
#include "tests/common/LogCapture.h"
#include "tests/common/ModalWindows.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"
#include "tests/ui/mainwindow/MainWindowTestSupport.h"
#include "ui/ItemActions.h"
#include "ui/direditor/DirEntriesModel.h"
#include "ui/direditor/DirFileGrid.h"
#include "ui/direditor/frmDIR.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/mainwindow/CategoryListModel.h"
#include "ui/mainwindow/ItemListView.h"
#include "ui/mainwindow/frmHVSetup.h"
#include "ui/support/WindowPlacement.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace hv;
using Outcome = hv::MsgAnswer;

namespace {

// Answers the save dialog that the next command opens.
[[nodiscard]] hvtest::ModalWatch onSaveDialog(const std::function<void(QFileDialog &)> &action)
{
    return hvtest::whenModalOpens<QFileDialog>([action](QFileDialog *dialog) { action(*dialog); });
}

// Loads `path` into the editor and waits for the read: whether the editor is ready to show.
bool loaded(frmDIR &editor, const QString &path)
{
    QSignalSpy ready(&editor, &frmDIR::loaded);
    editor.load(path);
    return (!ready.isEmpty() || ready.wait(10000)) && ready.first().first().toBool();
}

// Runs `command` and waits for the save it starts to end: whether it wrote the file.
bool saves(frmDIR &editor, const std::function<void()> &command)
{
    QSignalSpy saved(&editor, &frmDIR::saved);
    command();
    return (!saved.isEmpty() || saved.wait(10000)) && saved.first().first().toBool();
}

void sendMouse(QWidget *widget, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

class DirEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 1; i <= 4; ++i)
            folder.addTemplate(QStringLiteral("E%1.HVT").arg(i), QStringLiteral("Entry %1").arg(i));
    }

    // An editor open on `path`, shown (without its modal loop).
    std::unique_ptr<frmDIR> open(const QString &path, const QString &pickerAnswer = {})
    {
        auto editor = std::make_unique<frmDIR>(dir, nullptr, [pickerAnswer](QWidget *) {
            return std::make_unique<hvtest::FakePicker>(pickerAnswer);
        });
        EXPECT_TRUE(loaded(*editor, path));
        editor->show();
        return editor;
    }

    QStringList gridColumn(frmDIR &editor, int column)
    {
        QStringList texts;
        for (int row = 0; row < editor.grdFiles()->rowCount(); ++row)
            texts.append(editor.grdFiles()->text(row, column));
        return texts;
    }

    // The entries' file names as the model holds them.
    QStringList entryFiles() const
    {
        QStringList names;
        for (const DirEntry &entry : dir.DirEntries())
            names.append(entry.Filename());
        return names;
    }

    // The entries' file names as the file now reads.
    QStringList writtenFiles(const QString &path)
    {
        DirClass reread;
        EXPECT_TRUE(reread.OpenExisting(path));
        QStringList names;
        for (const DirEntry &entry : reread.DirEntries())
            names.append(entry.Filename());
        return names;
    }

    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
    hvtest::ProjectFolder folder{config.path(), QStringLiteral("plant")};
    DirClass dir{dirTemplateLookup(folder.slashed())};
};

} // namespace

TEST_F(DirEditorTest, OpeningMakesRowOneCurrentAndColoursMissingTemplatesRed)
{
    folder.addDirectory("PLANT.DIR", "Plant Floor", 5); // E5.HVT is missing
    hvtest::LogCapture log;
    auto editor = open(folder.slashed() + "PLANT.DIR");
    // The window loads, then takes its placement.
    ASSERT_TRUE(log.waitForMessage("Read Window Settings for: frmDIR"));
    EXPECT_EQ(log.messages().filter(QRegularExpression("^(Loading Form|Read Window)")),
              (QStringList{"Loading Form", "Read Window Settings for: frmDIR"}));
    EXPECT_EQ(editor->windowTitle(), "HV Admin - Directory Editor");
    EXPECT_EQ(editor->txtDIRCaption()->text(), "Plant Floor");
    EXPECT_EQ(editor->grdFiles()->currentIndex().row(), 0);
    EXPECT_EQ(editor->grdFiles()->currentIndex().column(), 0);
    EXPECT_TRUE(editor->cmdDelete()->isEnabled());
    EXPECT_EQ(gridColumn(*editor, 2), entryFiles());
    EXPECT_EQ(entryFiles(), QStringList({"E1.HVT", "E2.HVT", "E3.HVT", "E4.HVT", "E5.HVT"}));
    EXPECT_EQ(gridColumn(*editor, 1).first(), "W (Read/Write)");
    EXPECT_EQ(editor->grdFiles()->rowColour(0), QColor(255, 255, 255));
    EXPECT_EQ(editor->grdFiles()->rowColour(4), QColor(255, 0, 0));
    EXPECT_FALSE(dir.ChangeFlag());

    // One entry: no cell is made current, so there is nothing to remove yet.
    folder.addDirectory("ONE.DIR", "One", 1);
    DirClass single{dirTemplateLookup(folder.slashed())};
    frmDIR other(single);
    ASSERT_TRUE(loaded(other, folder.slashed() + "ONE.DIR"));
    EXPECT_FALSE(other.grdFiles()->currentIndex().isValid());
    EXPECT_FALSE(other.cmdDelete()->isEnabled());
}

TEST_F(DirEditorTest, ClosingAsksOnlyWhenThereAreChanges)
{
    folder.addDirectory("PLANT.DIR", "Plant Floor", 2);
    auto existing = open(folder.slashed() + "PLANT.DIR");
    existing->close();
    EXPECT_FALSE(existing->isVisible());
    EXPECT_TRUE(boxes.shown.empty());

    DirClass fresh;
    frmDIR created(fresh);
    ASSERT_TRUE(loaded(created, folder.slashed()));
    created.show();
    boxes.answers = {Outcome::Cancel, Outcome::No};
    created.close();
    EXPECT_TRUE(created.isVisible()); // Cancel stays
    created.close();
    EXPECT_FALSE(created.isVisible()); // No closes without saving
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "Do you wish to save your changes?");
    EXPECT_EQ(boxes.shown[0].caption, "Save Changes?");
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::YesNoCancel);
}

TEST_F(DirEditorTest, OpenWithChangesAnsweredNoLeadsToTheThreeButtonPrompt)
{
    folder.addDirectory("PLANT.DIR", "Plant Floor", 2);
    const QByteArray before = hvtest::readFile(folder.slashed() + "PLANT.DIR");
    auto editor = open(folder.slashed() + "PLANT.DIR");
    editor->txtDIRCaption()->setText("Plant Floor 2");
    EXPECT_TRUE(editor->mnuSave()->isEnabled());
    boxes.answers = {Outcome::No, Outcome::No};
    editor->mnuOpen()->trigger();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(boxes.shown[1].buttons, MsgButtons::YesNoCancel);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(hvtest::readFile(folder.slashed() + "PLANT.DIR"), before);
}

TEST_F(DirEditorTest, RemovalKeepsTheEntriesInStepAfterADragAndTheDragSetsTheWrittenOrder)
{
    folder.addDirectory("PLANT.DIR", "Plant Floor", 4);
    auto editor = open(folder.slashed() + "PLANT.DIR");
    DirFileGrid *grid = editor->grdFiles();
    QWidget *viewport = grid->viewport();
    const QPoint from = grid->visualRect(grid->gridModel()->index(3, 0)).center();
    const QPoint to = grid->visualRect(grid->gridModel()->index(0, 0)).center();
    sendMouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseButtonRelease, to, Qt::NoButton);
    EXPECT_EQ(gridColumn(*editor, 2), QStringList({"E4.HVT", "E1.HVT", "E2.HVT", "E3.HVT"}));
    EXPECT_TRUE(dir.ChangeFlag());

    grid->setCurrentIndex(grid->gridModel()->index(1, 0)); // E1, entry 1
    editor->cmdDelete()->click();
    EXPECT_EQ(gridColumn(*editor, 2), QStringList({"E4.HVT", "E2.HVT", "E3.HVT"}));
    EXPECT_EQ(entryFiles(), gridColumn(*editor, 2));
    EXPECT_TRUE(saves(*editor, [&] { editor->mnuSave()->trigger(); }));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(dir.ChangeFlag());
    EXPECT_EQ(writtenFiles(folder.slashed() + "PLANT.DIR"),
              QStringList({"E4.HVT", "E2.HVT", "E3.HVT"}));

    // Removing down to no rows disables "Remove File".
    for (int i = 0; i < 3; ++i) {
        grid->setCurrentIndex(grid->gridModel()->index(0, 0));
        editor->cmdDelete()->click();
    }
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_FALSE(editor->cmdDelete()->isEnabled());
}

TEST_F(DirEditorTest, AddShowsEachRefusalAndSaveAsAppendsDirOnlyToABareName)
{
    auto editor = open(folder.slashed(), "E1.HVT|NOPE.HVT|e1.hvt|E2.HVT");
    editor->txtDIRCaption()->setText("Plant");
    editor->cmdAdd()->click();
    // The templates are read for their titles in a job; the rows come when it has.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor->isBusy(); }, 5000));
    EXPECT_EQ(gridColumn(*editor, 2), QStringList({"E1.HVT", "E2.HVT"}));
    EXPECT_EQ(gridColumn(*editor, 0), QStringList({"Entry 1", "Entry 2"}));
    EXPECT_EQ(boxes.texts(),
              QStringList({DirClass::kInvalidTemplateText, DirClass::kDuplicateText}));
    EXPECT_EQ(editor->grdFiles()->currentIndex().row(), 1);

    QString proposed;
    const auto save = onSaveDialog([&proposed](QFileDialog &dialog) {
        proposed = dialog.findChild<QLineEdit *>("fileNameEdit")->text();
        dialog.findChild<QLineEdit *>("fileNameEdit")->setText("menu");
        static_cast<QDialog &>(dialog).accept();
    });
    // A new directory is named on its first save.
    EXPECT_TRUE(saves(*editor, [&] { editor->mnuSave()->trigger(); }));
    EXPECT_EQ(proposed, "Plant");
    EXPECT_TRUE(QFile::exists(folder.slashed() + "menu.DIR"));

    const auto saveAs = onSaveDialog([](QFileDialog &dialog) {
        dialog.findChild<QLineEdit *>("fileNameEdit")->setText("Other.dIr");
        static_cast<QDialog &>(dialog).accept();
    });
    EXPECT_TRUE(saves(*editor, [&] { editor->mnuSaveas()->trigger(); }));
    EXPECT_TRUE(QFile::exists(folder.slashed() + "Other.dIr"));
    EXPECT_FALSE(QFile::exists(folder.slashed() + "Other.dIr.DIR"));

    // A cancelled Save As from the close prompt keeps the editor open.
    editor->txtDIRCaption()->setText("Plant 2");
    boxes.answers = {Outcome::Yes};
    const auto cancelled = onSaveDialog([](QFileDialog &dialog) { dialog.reject(); });
    EXPECT_FALSE(saves(*editor, [&] { editor->close(); }));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(dir.ChangeFlag());
}

TEST_F(DirEditorTest, ARedRowTurnsWhiteWhenAnEditFindsItsFileBesideTheDirectory)
{
    hvtest::writeFile(folder.slashed() + "PLANT.DIR",
                      "[DIRECTORY]\r\nCaption=Plant\r\n[FILE]\r\nTitle=Later\r\n"
                      "Filename=LATER.HVT\r\nAccess=W\r\n");
    auto editor = open(folder.slashed() + "PLANT.DIR");
    DirFileGrid *grid = editor->grdFiles();
    ASSERT_EQ(grid->rowColour(0), QColor(255, 0, 0));
    folder.addTemplate("later.hvt", "Later"); // beside the directory, in another case
    ASSERT_NE(QDir::currentPath(), folder.path());

    grid->setCurrentIndex(grid->gridModel()->index(0, DirFileGrid::kAccessColumn));
    auto *access = grid->findChild<QComboBox *>("cboAccess");
    ASSERT_NE(access, nullptr); // the drop-down opens with the cell
    EXPECT_EQ(access->count(), 2);
    access->setCurrentIndex(0);
    Q_EMIT access->activated(0);
    EXPECT_EQ(grid->text(0, DirFileGrid::kAccessColumn), "R (Read Only)");
    EXPECT_TRUE(QTest::qWaitFor([grid] { return grid->rowColour(0) == QColor(255, 255, 255); }));
    EXPECT_TRUE(editor->mnuSave()->isEnabled());
}

TEST_F(DirEditorTest, DoubleClickOpensTheEditorAndTheMainWindowTakesItsPlacement)
{
    folder.addDirectory("PLANT.DIR", "Plant Floor", 2);
    AppState::instance().reset();
    AppState::instance().SetProjectFolder(folder.path());
    frmHVSetup window;
    ReadRegWindowInfo(window, false);
    window.grdOUtlookBar()->setCurrentCell(5, 1); // Directory Files
    ASSERT_TRUE(QTest::qWaitFor([&window] { return !window.isFilling(); }, 10000));
    ItemListView *list = window.lstHVSETUP();
    list->selectRow(1);
    ASSERT_EQ(list->selectedKey(), "PLANT.DIR");

    QString caption;
    const auto watch = hvtest::whenModalOpens<frmDIR>([&caption](frmDIR *editor) {
        caption = editor->txtDIRCaption()->text();
        editor->move(123, 77);
        editor->close();
    });
    QAbstractItemView *view = list->detailsView();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                       view->visualRect(list->viewIndex(1)).center());
    // The file is read as a job; the command ends once the editor has closed.
    EXPECT_TRUE(QTest::qWaitFor([&window] { return !window.itemActions()->isBusy(); }, 10000));
    EXPECT_EQ(caption, "Plant Floor");
    EXPECT_EQ(window.pos(), QPoint(123, 77));
    EXPECT_TRUE(window.isVisible());
    AppState::instance().reset();
}

namespace {

QStringList modelTesterFailures;

void recordModelTesterFailure(QtMsgType type, const QMessageLogContext &context,
                              const QString &message)
{
    if (type != QtDebugMsg && qstrcmp(context.category, "qt.modeltest") == 0)
        modelTesterFailures.append(message);
}

} // namespace

// The grid's model is the directory's entries: every change through it is a change of the
// entries, announced as Qt's model rules require.
TEST_F(DirEditorTest, TheGridsModelEditsTheEntriesThemselves)
{
    folder.addDirectory("PLANT.DIR", "Plant Floor", 4);
    ASSERT_TRUE(dir.OpenExisting(folder.slashed() + "PLANT.DIR"));
    DirEntriesModel model(dir);
    modelTesterFailures.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordModelTesterFailure);
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);

    const auto row = [&model](int r) {
        return QStringList{model.index(r, 0).data().toString(), model.index(r, 1).data().toString(),
                           model.index(r, 2).data().toString()};
    };
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(row(0), QStringList({"Entry 1", "W (Read/Write)", "E1.HVT"}));
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Filename");

    // Moves down and up, as drops do; a move onto itself is refused.
    EXPECT_TRUE(model.moveRow({}, 0, {}, 3)); // E1 before E4
    EXPECT_EQ(entryFiles(), QStringList({"E2.HVT", "E3.HVT", "E1.HVT", "E4.HVT"}));
    EXPECT_TRUE(model.moveRows({}, 2, 2, {}, 0));
    EXPECT_EQ(entryFiles(), QStringList({"E1.HVT", "E4.HVT", "E2.HVT", "E3.HVT"}));
    EXPECT_FALSE(model.moveRow({}, 1, {}, 2));

    // Edits write the entry; the access text keeps an unknown right until another is chosen.
    dir.DirEntries().Item(2).SetAccessRights("X");
    EXPECT_TRUE(model.setData(model.index(1, 1), "W (Read/Write)"));
    EXPECT_EQ(dir.DirEntries().Item(2).AccessRights(), "X");
    EXPECT_TRUE(model.setData(model.index(1, 1), "R (Read Only)"));
    EXPECT_TRUE(model.setData(model.index(1, 0), "Fourth"));
    EXPECT_EQ(dir.DirEntries().Item(2).AccessRights(), "R");
    EXPECT_EQ(row(1), QStringList({"Fourth", "R (Read Only)", "E4.HVT"}));
    model.setFound(1, false);
    EXPECT_EQ(model.index(1, 2).data(Qt::BackgroundRole).value<QBrush>().color(), Qt::red);

    // Additions and removals.
    EXPECT_FALSE(model.addEntry("e2.hvt"));
    EXPECT_FALSE(model.addEntry("E5.HVT")); // no such template yet
    folder.addTemplate("E5.HVT", "Entry 5");
    EXPECT_TRUE(model.addEntry("E5.HVT"));
    EXPECT_EQ(row(4), QStringList({"Entry 5", "W (Read/Write)", "E5.HVT"}));
    EXPECT_TRUE(model.removeRows(0, 2));
    EXPECT_FALSE(model.removeRows(2, 2));
    EXPECT_EQ(entryFiles(), QStringList({"E2.HVT", "E3.HVT", "E5.HVT"}));
    EXPECT_EQ(model.rowCount(), 3);

    dir.SetDirEntries({});
    model.reload();
    EXPECT_EQ(model.rowCount(), 0);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(modelTesterFailures.isEmpty()) << modelTesterFailures.join('\n').toStdString();
}
