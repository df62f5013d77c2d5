// Helpers of the main window's tests: a project folder with templates and directory files,
// and small ways to click the window's controls.
#pragma once

#include "tests/common/TestSupport.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

namespace hvtest {

// A folder of suite files under `root`, created empty.
class ProjectFolder {
public:
    ProjectFolder(const QString &root, const QString &name) : m_path(root + u'/' + name)
    {
        QDir().mkpath(m_path);
    }
    // The folder's path without a trailing '/'.
    const QString &path() const { return m_path; }
    QString slashed() const { return m_path + u'/'; }

    void addTemplate(const QString &fileName, const QString &title) const
    {
        writeFile(
            m_path + u'/' + fileName,
            QStringLiteral("[TEMPLATE]\r\nTitle=%1\r\n[ENTRY]\r\nKey=1\r\n").arg(title).toLatin1());
    }
    void addDirectory(const QString &fileName, const QString &caption, int entries) const
    {
        QByteArray text = "[DIRECTORY]\r\n     Caption      = " + caption.toLatin1() + "\r\n";
        for (int i = 1; i <= entries; ++i)
            text += "\r\n[FILE]\r\n     Title        = Entry " + QByteArray::number(i) +
                    "\r\n     Filename     = E" + QByteArray::number(i) +
                    ".HVT\r\n     Access       = W\r\n";
        writeFile(m_path + u'/' + fileName, text);
    }

private:
    QString m_path;
};

// Records the addresses that the program asks the desktop to open, instead of opening them.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    explicit UrlRecorder(const QStringList &schemes);
    ~UrlRecorder() override;

    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }

private:
    QStringList m_schemes;
};

// The texts of column `column` of a view's model, row by row.
QStringList columnTexts(const QAbstractItemView *view, int column = 0);

// Clicks the toolbar's button of `action`.
void clickToolButton(QToolBar *toolBar, QAction *action);

} // namespace hvtest
