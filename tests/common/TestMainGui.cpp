// Test main for the windows: a QApplication on the offscreen platform with a fixed locale, and
// the catalogues of that locale loaded as the console loads them.
#include "tests/common/TestSupport.h"
#include "ui/support/Translations.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    hvtest::prepareEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    hv::installTranslations();
    return RUN_ALL_TESTS();
}
