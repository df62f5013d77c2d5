// Test main for the windows on a high-DPI desktop: the offscreen platform with one screen of
// 1280 by 800 pixels at 96 DPI, every length scaled by 2 (QT_SCALE_FACTOR), so the windows
// see a screen of 640 by 400 device-independent pixels.
#include "tests/common/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    hvtest::prepareEnvironment();
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(R"({"screens": [{"name": "Screen", "x": 0, "y": 0, "width": 1280,
                       "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0)
        return 2;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
    qputenv("QT_SCALE_FACTOR", "2");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    return RUN_ALL_TESTS();
}
