// A temporary project folder for the item operation tests, with its own trash: HOME and
// XDG_DATA_HOME point into a temporary folder for the life of the fixture. The trash code
// reads those folders once per process, so every fixture of the process shares one such
// home, and its trash is emptied before each test.
#pragma once

#include "platform/PathNames.h"
#include "suite/FileLockService.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A file-lock service that reports the listed files (paths on disk) as held by another
// process.
class HeldFilesService : public hv::FileLockService {
public:
    bool IsFileOpen(const QString &path) override
    {
        return held.contains(hv::paths::findExisting(path));
    }
    qint32 GetFileLockInfo(const QString &) override { return 0; }
    const hv::LockUserList &LockUsers() const override { return users; }
    QString GetExtendedError(qint32) const override { return {}; }

    QStringList held;
    hv::LockUserList users;
};

class ItemFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(project.isValid());
        ASSERT_TRUE(home.isValid());
        folder = project.path() + u'/';
        savedHome = qgetenv("HOME");
        savedData = qgetenv("XDG_DATA_HOME");
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", (home.path() + "/share").toUtf8());
        QDir trash(trashPath());
        trash.removeRecursively();
        QFile::remove(trashPath());
        ASSERT_TRUE(QDir().mkpath(trashPath() + "/files"));
    }
    void TearDown() override
    {
        qputenv("HOME", savedHome);
        if (savedData.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedData);
    }

    // The trash folder of the fixture's home.
    static QString trashPath() { return home.path() + "/share/Trash"; }

    // Makes the trash unusable: a plain file stands where its folder would be.
    void breakTrash()
    {
        ASSERT_TRUE(QDir(trashPath()).removeRecursively());
        hvtest::writeFile(trashPath(), "x");
    }

    void write(const QString &name, const QByteArray &bytes = "x")
    {
        hvtest::writeFile(folder + name, bytes);
    }
    // A folder of that name with a file in it, which neither a file delete nor a rename onto
    // it can remove.
    void blockWithFolder(const QString &name)
    {
        ASSERT_TRUE(QDir(folder).mkpath(name));
        hvtest::writeFile(folder + name + "/keep", "k");
    }

    // The names in the project folder, sorted.
    QStringList names() const
    {
        return sorted(QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot));
    }
    // The names in the trash, sorted.
    QStringList trashed() const
    {
        return sorted(QDir(trashPath() + "/files")
                          .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot));
    }
    static QStringList sorted(QStringList list)
    {
        list.sort();
        return list;
    }

    QTemporaryDir project;
    static inline QTemporaryDir home;
    QString folder;
    QByteArray savedHome;
    QByteArray savedData;
};
