#include "tests/ops/ItemFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

class NameBytesCli : public ItemFolder {
protected:
    // Runs hvadmin-cli with its arguments as bytes (QProcess would pass them as UTF-8). With
    // `goneFolder`, the child makes that folder its current one and removes it first.
    static hvtest::ProcessResult runBytes(QList<QByteArray> args, const QByteArray &goneFolder = {})
    {
        args.prepend(QFile::encodeName(hvtest::cliPath()));
        std::vector<char *> argv;
        for (QByteArray &arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        int out[2], err[2];
        if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
            return {};
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(out[1], 1);
            ::dup2(err[1], 2);
            if (!goneFolder.isEmpty() &&
                (::chdir(goneFolder.constData()) != 0 || ::rmdir(goneFolder.constData()) != 0))
                ::_exit(126);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        hvtest::ProcessResult r;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        pollfd fds[] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
        QByteArray *sinks[] = {&r.out, &r.err};
        while ((fds[0].fd >= 0 || fds[1].fd >= 0) && std::chrono::steady_clock::now() < deadline) {
            if (::poll(fds, 2, 1000) <= 0)
                continue;
            for (int i = 0; i < 2; ++i) {
                char buffer[4096];
                if (fds[i].fd < 0 || !fds[i].revents)
                    continue;
                const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
                if (got > 0) {
                    sinks[i]->append(buffer, got);
                } else {
                    ::close(fds[i].fd);
                    fds[i].fd = -1;
                }
            }
        }
        if (fds[0].fd >= 0 || fds[1].fd >= 0) {
            ADD_FAILURE() << "hvadmin-cli did not finish";
            ::kill(pid, SIGKILL);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return r;
    }

    QByteArray raw(const QByteArray &name) const { return QFile::encodeName(folder) + name; }
    void writeRaw(const QByteArray &name, const QByteArray &bytes)
    {
        const int fd = ::open(raw(name).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
        ::close(fd);
    }
    bool present(const QByteArray &name) const
    {
        struct stat info {};
        return ::lstat(raw(name).constData(), &info) == 0;
    }
};

} // namespace

TEST_F(NameBytesCli, AnItemWhoseNameIsNotUtf8IsListedAndHandledByItsOwnBytes)
{
    writeRaw("X\xff.HVT", "[TEMPLATE]\r\n");
    writeRaw("X\xff.HVD", "mine");
    write("X\uFFFD.HVT", "[TEMPLATE]\r\n;other\r\n");
    write("X\uFFFD.HVD", "other data");

    hvtest::ProcessResult r = runBytes({"list", "applications", raw("")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    QJsonArray rows = QJsonDocument::fromJson(r.out).object().value("rows").toArray();
    ASSERT_EQ(rows.size(), 3);
    rows.removeFirst(); // the create-new row
    QStringList shown;
    QList<QByteArray> bytes;
    for (const QJsonValue &row : rows) {
        shown << row.toObject().value("key").toString();
        EXPECT_EQ(row.toObject().value("subitems").toArray()[0].toString(), shown.last());
        bytes << QByteArray::fromBase64(row.toObject().value("fileBytes").toString().toLatin1());
    }
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"X\\xff.HVT", "X\uFFFD.HVT"}));
    EXPECT_TRUE(bytes.contains("X\xff.HVT") && bytes.contains("X\xef\xbf\xbd.HVT"));

    r = runBytes({"clear", raw(""), "X\xff.HVT"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(QJsonDocument::fromJson(r.out).object().value("trashed").toArray(),
              QJsonArray{folder + "X\\xff.HVD"});
    EXPECT_FALSE(present("X\xff.HVD"));
    writeRaw("X\xff.HVD", "mine");
    r = runBytes({"rename", raw(""), "X\xff.HVT", "Y\xfe"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(present("Y\xfe.hvt") && present("Y\xfe.hvd"));
    EXPECT_FALSE(present("X\xff.HVT") || present("X\xff.HVD"));
    r = runBytes({"delete", raw(""), "Y\xfe.hvt"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_FALSE(present("Y\xfe.hvt") || present("Y\xfe.hvd"));

    // The other item, whose name looks the same to a lossy decoder, was never touched.
    EXPECT_EQ(names(), (QStringList{"X\uFFFD.HVD", "X\uFFFD.HVT"}));
    EXPECT_EQ(hvtest::readFile(folder + "X\uFFFD.HVT"), "[TEMPLATE]\r\n;other\r\n");
    EXPECT_EQ(hvtest::readFile(folder + "X\uFFFD.HVD"), "other data");
    // The trash holds names that Qt cannot remove.
    hvtest::runProgram("rm", {"-rf", trashPath()});
}

TEST_F(NameBytesCli, ARelativeFolderWithoutACurrentFolderIsRefused)
{
    write("A.HVT", "[TEMPLATE]\r\n");
    write("A.HVD");
    // The project folder's path without its leading '/': read from '/', it would name it.
    const QByteArray relative = raw("").mid(1);
    for (const QList<QByteArray> &args :
         {QList<QByteArray>{"delete", relative, "A.HVT"}, QList<QByteArray>{"list", "applications"},
          QList<QByteArray>{"list", "applications", relative}}) {
        ASSERT_TRUE(QDir(folder).mkdir("gone"));
        const hvtest::ProcessResult r = runBytes(args, raw("gone"));
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').constData() << r.out.constData();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains("no current folder")) << r.err.constData();
    }
    EXPECT_EQ(names(), (QStringList{"A.HVD", "A.HVT"}));
}
