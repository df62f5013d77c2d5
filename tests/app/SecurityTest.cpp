#include "app/Security.h"
#include "dbase/dBase.h"
#include "tests/common/LogCapture.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace hv;

namespace {

// Writes a dBase table with the character columns USER and PASS; a row whose third element
// is "*" is stored as deleted.
void writeSecurityTable(const QString &path, const std::vector<QStringList> &rows)
{
    dBase table;
    table.Fields().Add("USER", "C", 10, 0, 0);
    table.Fields().Add("PASS", "C", 10, 0, 0);
    table.SetOpenMode(1);
    table.OpenFile(path);
    ASSERT_TRUE(table.FileExists());
    for (const QStringList &row : rows) {
        table.InitRecord();
        table.SetValue(1, row.value(0));
        table.SetValue(2, row.value(1));
        table.SetDeleted(row.value(2) == "*");
        table.PutRecord(0);
    }
    table.CloseFile();
}

class SecurityTest : public ::testing::Test {
protected:
    // The default security table of the suite settings.
    QString tablePath() const { return config.configFolder() + "SECURITY.DBF"; }
    void writeTable(const std::vector<QStringList> &rows)
    {
        QDir().mkpath(config.configFolder());
        writeSecurityTable(tablePath(), rows);
    }

    hvtest::TempConfig config;
};

} // namespace

TEST_F(SecurityTest, PathComesFromTheSuiteSettings)
{
    EXPECT_EQ(GetSecurityFilePath(), tablePath());

    // Any section, any case, quotes removed, the last matching line wins.
    config.writeConfigFile("hv.ini",
                           "[HVSECURE]\r\nSecurityFile=/not/the/key.DBF\r\n"
                           "HVSecure.SecurityFile=/first/SEC.DBF\r\n"
                           "[Other]\r\n  hvsecure.securityfile = \"/srv/hv data/SEC.DBF\"\r\n");
    EXPECT_EQ(GetSecurityFilePath(), "/srv/hv data/SEC.DBF");

    // The suite settings name another settings file (relative to their folder) and another
    // default table.
    config.writeConfigFile("suite.ini", "[suite]\nSettingsFile=other.ini\n"
                                        "SecurityTable=\"/opt/hv/SECURITY.DBF\"\n");
    EXPECT_EQ(GetSecurityFilePath(), "/opt/hv/SECURITY.DBF");
    config.writeConfigFile("other.ini", "HVSECURE.SECURITYFILE=/mnt/s/SEC.DBF");
    EXPECT_EQ(GetSecurityFilePath(), "/mnt/s/SEC.DBF");
}

TEST_F(SecurityTest, TableDecidesWhetherALoginIsNeeded)
{
    // A lower-case name padded with spaces, and an eight-letter name, both demand a login.
    for (const QStringList &row : {QStringList{"hvadmin  ", "pw"}, QStringList{"HVSETUPX", "pw"}}) {
        writeTable({{"SMITH", "x"}, row});
        const SecurityAssessment a = AssessSecurity();
        EXPECT_TRUE(a.loginRequired) << row.at(0).toStdString();
        EXPECT_TRUE(a.canStart);
        EXPECT_EQ(a.securityFile, tablePath());
    }
    // No console user, or only a deleted one, or an empty table: no login.
    for (const auto &rows : std::vector<std::vector<QStringList>>{
             {{"SMITH", "x"}, {"HVADMI", "x"}, {" HVADMIN", "x"}}, {{"HVADMIN", "x", "*"}}, {}}) {
        writeTable(rows);
        const SecurityAssessment a = AssessSecurity();
        EXPECT_FALSE(a.loginRequired);
        EXPECT_TRUE(a.canStart);
    }
}

TEST_F(SecurityTest, MissingTableStartsOnlyWhenItsFolderExists)
{
    // The folder exists (it is created with the suite settings), the table does not.
    SecurityAssessment a = AssessSecurity();
    EXPECT_FALSE(a.loginRequired);
    EXPECT_TRUE(a.canStart);

    config.writeConfigFile("hv.ini", "HVSECURE.SECURITYFILE=/no/such/folder/SEC.DBF\n");
    a = AssessSecurity();
    EXPECT_FALSE(a.canStart);
    EXPECT_EQ(a.message, "Security file specified could not be opened!\n/no/such/folder/SEC.DBF");

    // A relative name lies in the settings file's folder, which exists.
    config.writeConfigFile("hv.ini", "HVSECURE.SECURITYFILE=SEC.DBF\n");
    a = AssessSecurity();
    EXPECT_TRUE(a.canStart);
    EXPECT_EQ(a.securityFile, config.configFolder() + "SEC.DBF");
}

TEST_F(SecurityTest, SettingsFileNamesTheTableAsItsEditorWroteIt)
{
    // A relative path is found beside hv.ini, whatever the current folder; a path with
    // accents written as UTF-8 stays whole.
    for (const QString &name : {QString("SEC.DBF"), QString("Sécurité/SEC.DBF")}) {
        QDir().mkpath(QFileInfo(config.configFolder() + name).path());
        writeSecurityTable(config.configFolder() + name, {{"HVADMIN", "pw"}});
        config.writeConfigFile("hv.ini", "HVSECURE.SECURITYFILE=" + name.toUtf8() + "\r\n");
        const SecurityAssessment a = AssessSecurity();
        EXPECT_EQ(a.securityFile, config.configFolder() + name);
        EXPECT_TRUE(a.loginRequired) << name.toStdString();
        EXPECT_TRUE(a.canStart);
        EXPECT_EQ(ValidateLogin("HVADMIN", "pw", LoadSecurityTable()), LoginVerdict::Accepted);
    }
}

TEST_F(SecurityTest, SettingsFileThatCannotBeReadStopsTheStart)
{
    hvtest::LogCapture log;
    writeTable({{"HVADMIN", "pw"}});
    // A folder where a settings file should be; then (unless root reads anything) mode 000.
    for (const QString &name : {QString("hv.ini"), QString("suite.ini")}) {
        const QString file = config.configFolder() + name;
        QDir().mkpath(file);
        const SecurityAssessment a = AssessSecurity();
        EXPECT_FALSE(a.canStart) << name.toStdString();
        EXPECT_EQ(a.message, "Security file specified could not be opened!\n" + file);
        EXPECT_FALSE(LoadSecurityTable().IsArray());
        QDir(file).removeRecursively();
        if (::geteuid() != 0) {
            config.writeConfigFile(name, "[Suite]\n");
            QFile::setPermissions(file, {});
            EXPECT_FALSE(AssessSecurity().canStart) << name.toStdString();
            QFile::remove(file);
        }
    }
    const QStringList messages = log.procedureMessages();
    EXPECT_TRUE(messages.contains("GetSecurityFilePath: Error: 21 - Cannot read " +
                                  config.configFolder() + "hv.ini: Is a directory"))
        << messages.join('\n').toStdString();
}

TEST_F(SecurityTest, TableWhoseHeaderMisstatesItsRecordsStopsTheStart)
{
    // Cut inside its last record; a record length (5) shorter than the fields (21 bytes),
    // which read the HVADMIN row as empty; a record count of 0xFFFFFFFF, which read no row.
    writeTable({{"SMITH", "x"}, {"HVADMIN", "pw"}});
    const QByteArray sound = hvtest::readFile(tablePath());
    for (const QByteArray &damaged :
         {sound.chopped(8), QByteArray(sound).replace(10, 2, QByteArray("\x05\0", 2)),
          QByteArray(sound).replace(4, 4, "\xff\xff\xff\xff")}) {
        hvtest::writeFile(tablePath(), damaged);
        const SecurityAssessment a = AssessSecurity();
        EXPECT_FALSE(a.canStart);
        EXPECT_EQ(a.message, "Security file specified could not be opened!\n" + tablePath());
        EXPECT_FALSE(LoadSecurityTable().IsArray());
    }
}

TEST_F(SecurityTest, PasswordThatIsNothingMatchesNoPassword)
{
    writeTable({{"HVADMIN", "12345"}});
    // Make the password column numeric: the type byte of the second field descriptor.
    QFile file(tablePath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(64 + 11));
    ASSERT_EQ(file.write("N"), 1);
    file.close();

    const TableArray table = LoadSecurityTable();
    ASSERT_TRUE(table.IsArray());
    EXPECT_EQ(ValidateLogin("HVADMIN", "", table), LoginVerdict::InvalidPassword);
    EXPECT_EQ(ValidateLogin("HVADMIN", "12345", table), LoginVerdict::InvalidPassword);
}

TEST_F(SecurityTest, UnreadableTableDoesNotLetTheConsoleStart)
{
    QDir().mkpath(config.configFolder());
    hvtest::writeFile(tablePath(), "this is not a dBase table");
    SecurityAssessment a = AssessSecurity();
    EXPECT_FALSE(a.canStart);
    EXPECT_FALSE(a.loginRequired);
    EXPECT_EQ(a.message, "Security file specified could not be opened!\n" + tablePath());

    // A folder where the table should be.
    QFile::remove(tablePath());
    QDir().mkpath(tablePath());
    EXPECT_FALSE(AssessSecurity().canStart);
    EXPECT_FALSE(LoadSecurityTable().IsArray());
}

TEST_F(SecurityTest, LoginRulesOnARealTable)
{
    writeTable({{"hvadmin  ", "wrong"},
                {"hvadmin", "Secret"},
                {"HVSETUPX", "eight"},
                {"HVSETUP", "gone", "*"},
                {"SMITH", "smith"}});
    const TableArray table = LoadSecurityTable();
    ASSERT_TRUE(table.IsArray());
    EXPECT_EQ(table.RowCount(), 4);

    // The name in either case; a row with the wrong password does not stop the scan.
    EXPECT_EQ(ValidateLogin("HVADMIN", "Secret", table), LoginVerdict::Accepted);
    EXPECT_EQ(ValidateLogin("hvAdmin", "Secret", table), LoginVerdict::Accepted);
    EXPECT_EQ(ValidateLogin("hvadmin", "wrong", table), LoginVerdict::Accepted);
    // The password counts letter case; a typed trailing space is not trimmed. A refusal is
    // logged, without what was typed.
    hvtest::LogCapture log;
    EXPECT_EQ(ValidateLogin("HVADMIN", "secret", table), LoginVerdict::InvalidPassword);
    ASSERT_TRUE(log.waitFor(1));
    EXPECT_EQ(log.entries.at(0).message, "Login refused");
    EXPECT_EQ(ValidateLogin("HVADMIN", "Secret ", table), LoginVerdict::InvalidPassword);
    // The eight-letter name logs in with its own password, the seven-letter one does not.
    EXPECT_EQ(ValidateLogin("HVSETUPX", "eight", table), LoginVerdict::Accepted);
    EXPECT_EQ(ValidateLogin("HVSETUP", "eight", table), LoginVerdict::InvalidPassword);
    // Deleted rows are not there.
    EXPECT_EQ(ValidateLogin("HVSETUP", "gone", table), LoginVerdict::InvalidPassword);
    // Only the console's names may log in; the typed name is not trimmed.
    EXPECT_EQ(ValidateLogin("SMITH", "smith", table), LoginVerdict::InvalidUserName);
    EXPECT_EQ(ValidateLogin(" HVADMIN", "Secret", table), LoginVerdict::InvalidUserName);
    EXPECT_EQ(ValidateLogin("HVADMIN ", "Secret", table), LoginVerdict::InvalidPassword);

    EXPECT_EQ(LoginMessage(LoginVerdict::InvalidUserName), "Invalid User Name, try again!");
    EXPECT_EQ(LoginMessage(LoginVerdict::InvalidPassword), "Invalid Password, try again!");

    // No table (it vanished): no login matches.
    QFile::remove(tablePath());
    EXPECT_EQ(ValidateLogin("HVADMIN", "Secret", LoadSecurityTable()),
              LoginVerdict::InvalidPassword);
}

TEST_F(SecurityTest, CliReportsTheCheckAndJudgesLogins)
{
    if (hvtest::cliPath().isEmpty()) // run outside CTest
        qputenv("HV_CLI",
                QFile::encodeName(QCoreApplication::applicationDirPath() + "/../cli/hvadmin-cli"));
    // The tool inherits this process's environment, configuration folder included.
    auto run = [](const QStringList &args) { return hvtest::runCli(args); };
    hvtest::ProcessResult r = run({"security"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.trimmed(), "{\"canStart\":true,\"loginRequired\":false,\"securityFile\":\"" +
                                   tablePath().toUtf8() + "\"}");

    writeTable({{"HVADMIN", "pw"}});
    r = run({"security"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("\"loginRequired\":true"));
    EXPECT_EQ(run({"login", "hvadmin", "pw"}).exitCode, 0);
    r = run({"login", "HVADMIN", "PW"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), "Invalid Password, try again!");
    r = run({"login", "root", "pw"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), "Invalid User Name, try again!");
    EXPECT_EQ(run({"login", "HVADMIN"}).exitCode, 2);

    // The password from standard input: the first line, its spaces kept, its line end not.
    const auto fromStdin = [](const QByteArray &input) {
        return hvtest::runCli({"login", "HVADMIN", "--password-stdin"}, input).exitCode;
    };
    writeTable({{"HVADMIN", "p w"}});
    EXPECT_EQ(fromStdin("p w\n"), 0);
    EXPECT_EQ(fromStdin("p w\r\nsecond line\n"), 0);
    EXPECT_EQ(fromStdin("p w"), 0);
    EXPECT_EQ(fromStdin("p w \n"), 1);
    EXPECT_EQ(fromStdin("pw\n"), 1);
    EXPECT_EQ(fromStdin(""), 1);
    EXPECT_EQ(run({"login", "--password-stdin"}).exitCode, 2);

    hvtest::writeFile(tablePath(), "garbage");
    r = run({"security"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains("\"canStart\":false"));
    EXPECT_TRUE(r.out.contains("\"message\":\"Security file specified could not be opened!\\n"));
}

TEST_F(SecurityTest, FifoInPlaceOfASettingsFileIsRefusedWithoutHanging)
{
    writeTable({{"HVADMIN", "pw"}});
    for (const QString &name : {QString("hv.ini"), QString("suite.ini")}) {
        const QString fifo = config.configFolder() + name;
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // No writer ever opens the FIFO: a blocking open would wait until the timeout.
        for (const QStringList &verb :
             {QStringList{"security"}, QStringList{"login", "HVADMIN", "pw"}}) {
            const auto r =
                hvtest::runProgram("timeout", QStringList{"10", hvtest::cliPath()} + verb);
            EXPECT_EQ(r.exitCode, 1) << name.toStdString() << " " << verb.join(' ').toStdString();
        }
        QFile::remove(fifo);
    }
}
