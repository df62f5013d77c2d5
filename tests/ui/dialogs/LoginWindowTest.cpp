#include "app/PathHelpers.h"
#include "dbase/dBase.h"
#include "tests/common/FakeMessageService.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"
#include "ui/dialogs/frmLogin.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using hv::frmLogin;

namespace {

class LoginWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(config.configFolder());
        hv::dBase table;
        table.Fields().Add("USER", "C", 10, 0, 0);
        table.Fields().Add("PASS", "C", 10, 0, 0);
        table.SetOpenMode(1);
        table.OpenFile(config.configFolder() + "SECURITY.DBF");
        for (const auto &[user, password] :
             {std::pair{"hvadmin   ", "Secret"}, std::pair{"HVSETUPX", "eight"}}) {
            table.InitRecord();
            table.SetValue(1, QString::fromLatin1(user));
            table.SetValue(2, QString::fromLatin1(password));
            table.PutRecord(0);
        }
        table.CloseFile();
    }

    // Shows the window and waits until it is active, so that focus behaves as for a user.
    void showActive(frmLogin &window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void typeLogin(frmLogin &window, const QString &user, const QString &password)
    {
        window.txtUserName()->setText(user);
        window.txtPassword()->setText(password);
    }

    hvtest::TempConfig config;
    hvtest::FakeMessageService boxes;
};

bool focusedAndSelected(QLineEdit *field)
{
    return QTest::qWaitFor(
        [field] {
            return field->hasFocus() && field->selectedText() == field->text() &&
                   !field->text().isEmpty();
        },
        2000);
}

} // namespace

TEST_F(LoginWindowTest, OpensWithItsControlsAndTheAdministratorsName)
{
    frmLogin window;
    EXPECT_EQ(window.windowTitle(), "HV Admin Security Login");
    EXPECT_TRUE(window.isModal());
    EXPECT_EQ(window.lblLabels(0)->text(), "&User Name:");
    EXPECT_EQ(window.lblLabels(0)->buddy(), window.txtUserName());
    EXPECT_EQ(window.lblLabels(1)->text(), "&Password:");
    EXPECT_EQ(window.lblLabels(1)->buddy(), window.txtPassword());
    EXPECT_EQ(window.cmdOK()->text(), "OK");
    EXPECT_TRUE(window.cmdOK()->isDefault());
    EXPECT_EQ(window.cmdCancel()->text(), "Cancel");
    EXPECT_EQ(window.txtUserName()->text(), "HVADMIN");
    EXPECT_FALSE(window.LoginSucceeded());

    showActive(window);
    EXPECT_TRUE(focusedAndSelected(window.txtUserName()));
    window.txtPassword()->setText("abc");
    EXPECT_EQ(window.txtPassword()->displayText(), "***");

    // Tab into the password selects it whole.
    QTest::keyClick(window.txtUserName(), Qt::Key_Tab);
    EXPECT_TRUE(focusedAndSelected(window.txtPassword()));
    // So does a click into the user name.
    QTest::mouseClick(window.txtUserName(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(focusedAndSelected(window.txtUserName()));
}

TEST_F(LoginWindowTest, WrongNameOrPasswordKeepsTheWindowOpen)
{
    frmLogin window;
    showActive(window);

    typeLogin(window, " HVADMIN", "Secret");
    QTest::mouseClick(window.cmdOK(), Qt::LeftButton);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Invalid User Name, try again!");
    EXPECT_EQ(boxes.shown[0].caption, "Login");
    EXPECT_EQ(boxes.shown[0].buttons, hv::MsgButtons::Ok);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(focusedAndSelected(window.txtUserName()));

    typeLogin(window, "HVADMIN", "Secret ");
    QTest::mouseClick(window.cmdOK(), Qt::LeftButton);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, "Invalid Password, try again!");
    EXPECT_EQ(boxes.shown[1].caption, "Login");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(focusedAndSelected(window.txtPassword()));
    EXPECT_FALSE(window.LoginSucceeded());

    // Any number of attempts: the next one succeeds.
    typeLogin(window, "hvAdmin", "Secret");
    QTest::keyClick(window.txtPassword(), Qt::Key_Return);
    EXPECT_TRUE(window.LoginSucceeded());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(LoginWindowTest, EightLetterNameLogsInWithItsPassword)
{
    frmLogin window;
    showActive(window);
    typeLogin(window, "HVSETUPX", "eight");
    QTest::mouseClick(window.cmdOK(), Qt::LeftButton);
    EXPECT_TRUE(window.LoginSucceeded());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LoginWindowTest, CancelEscapeAndCloseLeaveTheLoginFailed)
{
    for (int way = 0; way < 3; ++way) {
        frmLogin window;
        showActive(window);
        typeLogin(window, "HVADMIN", "Secret");
        if (way == 0)
            QTest::mouseClick(window.cmdCancel(), Qt::LeftButton);
        else if (way == 1)
            QTest::keyClick(window.txtPassword(), Qt::Key_Escape);
        else
            window.close();
        EXPECT_FALSE(window.isVisible()) << way;
        EXPECT_EQ(window.result(), QDialog::Rejected) << way;
        EXPECT_FALSE(window.LoginSucceeded()) << way;
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LoginWindowTest, TableThatVanishedAcceptsNoLogin)
{
    QFile::remove(config.configFolder() + "SECURITY.DBF");
    frmLogin window;
    showActive(window);
    typeLogin(window, "HVADMIN", "Secret");
    QTest::mouseClick(window.cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(window.LoginSucceeded());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Invalid Password, try again!");
}
