#include "files/DirClass.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"
#include "ui/direditor/DirEntriesModel.h"
#include "ui/direditor/DirFileGrid.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/support/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <gtest/gtest.h>

#include <cmath>

using namespace hv;

namespace {

// The contrast ratio of two colours (1 to 21) from their relative luminance, as the web
// content accessibility guidelines define them.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The test's palette, light or dark, for the application while it lives.
class PaletteTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        const QColor light(238, 238, 238), dark(53, 53, 53), darker(35, 35, 35);
        QApplication::setPalette(GetParam() ? QPalette(light, dark, dark.lighter(), darker, dark,
                                                       light, Qt::white, darker, dark)
                                            : QApplication::style()->standardPalette());
    }
    void TearDown() override { QApplication::setPalette(QApplication::style()->standardPalette()); }
};

} // namespace

TEST_P(PaletteTest, EveryTextStandsOutFromItsBackground)
{
    CategoryBar bar;
    bar.LoadGrid(300);
    const QPalette shown = bar.palette();
    EXPECT_GE(contrast(shown.color(QPalette::Text), shown.color(QPalette::Base)), 7.0);
    EXPECT_GE(contrast(shown.color(QPalette::HighlightedText), bar.highlightColour()), 4.5);

    // The editor: a found row in the palette's colours, a missing one red with black text, a
    // warning picture and a tool tip that names the file and where it was looked for.
    hvtest::TempConfig config;
    hvtest::writeFile(config.path() + "/MENU.DIR", "[DIRECTORY]\r\nCaption=Menu\r\n"
                                                   "[FILE]\r\nTitle=Here\r\nFilename=HERE.HVT\r\n"
                                                   "[FILE]\r\nTitle=Gone\r\nFilename=GONE.HVT\r\n");
    DirClass dir([](const QString &name) -> std::optional<QString> {
        return name == QLatin1String("HERE.HVT") ? std::optional<QString>(name) : std::nullopt;
    });
    ASSERT_TRUE(dir.OpenExisting(config.path() + "/MENU.DIR"));
    DirEntriesModel model(dir);
    DirFileGrid grid(&model);
    const QModelIndex missing = model.index(1, DirEntriesModel::kTitleColumn);
    EXPECT_GE(contrast(grid.palette().color(QPalette::Text), grid.rowColour(0)), 4.5);
    EXPECT_EQ(grid.rowColour(1), QColor(255, 0, 0));
    EXPECT_GE(contrast(missing.data(Qt::ForegroundRole).value<QBrush>().color(), grid.rowColour(1)),
              4.5);
    EXPECT_FALSE(missing.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(missing.data(Qt::ToolTipRole).toString(), "GONE.HVT not found in " + config.path());
    EXPECT_FALSE(model.index(0, 0).data(Qt::ToolTipRole).isValid());
}

TEST_P(PaletteTest, ViewModePicturesShowOnTheToolbar)
{
    const QColor background = QApplication::palette().color(QPalette::Button);
    for (int mode = 0; mode < 4; ++mode) {
        QPixmap canvas(32, 32);
        canvas.fill(background);
        QPainter painter(&canvas);
        icons::viewMode(mode).paint(&painter, canvas.rect());
        painter.end();
        const QImage image = canvas.toImage();
        int visible = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                visible += contrast(image.pixelColor(x, y), background) >= 3.0 ? 1 : 0;
        EXPECT_GE(visible, 40) << "view mode " << mode;
    }
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, PaletteTest, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "Dark" : "Light"; });
