// Test main for the logic libraries: a QCoreApplication with a fixed locale.
#include "tests/common/TestSupport.h"

#include <QCoreApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    hvtest::prepareEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    return RUN_ALL_TESTS();
}
