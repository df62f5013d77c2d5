#include "suite/TemplateFileInfo.h"
#include "suite/TemplatePickerLogic.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace hv;
using namespace hv::templatepicker;

TEST(TemplatePicker, ListsTemplatesOfAnyCaseWithTitlesAndJoinsBareOrFullNames)
{
    hvtest::TempConfig config;
    const QString folder = config.path() + "/plant/";
    const QString other = config.path() + "/other/";
    QDir().mkpath(folder);
    QDir().mkpath(other);
    hvtest::writeFile(folder + "line4.hvt", "[TEMPLATE]\r\nTitle=Line 4\r\n");
    hvtest::writeFile(folder + "Alpha.HVT", "[TEMPLATE]\r\n");  // no title
    hvtest::writeFile(folder + "broken.HVT", "not a template"); // unreadable
    hvtest::writeFile(folder + "a|b.HVT", "[TEMPLATE]\r\n");    // cannot be returned
    hvtest::writeFile(folder + "CODES.HPT", "[TEMPLATE]\r\n");  // a popup

    TemplateFileInfo info(folder);
    const QList<TemplateChoice> list = listTemplates(folder, info);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0].fileName, "Alpha.HVT");
    EXPECT_EQ(list[0].title, "");
    EXPECT_TRUE(list[0].readable);
    EXPECT_EQ(list[1].fileName, "broken.HVT");
    EXPECT_FALSE(list[1].readable);
    EXPECT_EQ(list[2].title, "Line 4");

    EXPECT_EQ(joinChosen({folder + "line4.hvt", other + "X.HVT", folder + "Alpha.HVT"},
                         config.path() + "/plant"),
              "line4.hvt|" + other + "X.HVT|Alpha.HVT");

    // The remembered folder is shown when the start folder is gone.
    EXPECT_EQ(rememberedFolder("HVDirectory"), "");
    rememberFolder("HVDirectory", other);
    EXPECT_EQ(rememberedFolder("HVDirectory"), other);
    EXPECT_EQ(firstFolder(config.path() + "/gone/", rememberedFolder("HVDirectory")), other);
    EXPECT_EQ(firstFolder(folder, other), folder);
}

TEST(TemplatePicker, AFifoInPlaceOfTheRememberedFoldersHoldsNothingUp)
{
    hvtest::TempConfig config;
    QDir().mkpath(config.configFolder());
    EXPECT_TRUE(hvtest::returnsDespiteFifo(config.configFolder() + "TemplatePicker.ini",
                                           [] { EXPECT_EQ(rememberedFolder("HVDirectory"), ""); }));
}
