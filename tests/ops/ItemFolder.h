// A temporary project folder for the item operation tests, with its own trash: HOME and
// XDG_DATA_HOME point into a temporary folder for the life of the fixture.
#pragma once

#include "tests/common/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    }
    void TearDown() override
    {
        qputenv("HOME", savedHome);
        if (savedData.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedData);
    }

    // Makes the trash unusable: its parent folder is a plain file.
    void breakTrash()
    {
        hvtest::writeFile(home.path() + "/blocked", "x");
        qputenv("XDG_DATA_HOME", (home.path() + "/blocked/share").toUtf8());
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
        return sorted(QDir(home.path() + "/share/Trash/files")
                          .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot));
    }
    static QStringList sorted(QStringList list)
    {
        list.sort();
        return list;
    }

    QTemporaryDir project;
    QTemporaryDir home;
    QString folder;
    QByteArray savedHome;
    QByteArray savedData;
};
