#include "files/DirClass.h"
#include "tests/common/TempConfig.h"
#include "tests/common/TestSupport.h"
#include "ui/direditor/DirEntriesModel.h"
#include "ui/direditor/DirFileGrid.h"
#include "ui/mainwindow/CategoryBar.h"
#include "ui/support/Icons.h"

#include <QApplication>
#include <QBrush>
#include <QIcon>
#include <QPainter>
#include <QStyle>

#include <gtest/gtest.h>

#include <cmath>

using namespace hv;

namespace {

// The relative luminance of a colour and the contrast ratio of two (1 to 21), as the web
// content accessibility guidelines define them.
double luminance(const QColor &colour)
{
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 238));
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 45));
    dark.setColor(QPalette::Text, QColor(238, 238, 238));
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, QColor(238, 238, 238));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, QColor(0, 0, 0));
    return dark;
}

// Sets the application's palette for the life of the object.
class PaletteScope {
public:
    explicit PaletteScope(const QPalette &palette) : m_saved(QApplication::palette())
    {
        QApplication::setPalette(palette);
    }
    ~PaletteScope() { QApplication::setPalette(m_saved); }

private:
    QPalette m_saved;
};

class PaletteTest : public ::testing::TestWithParam<bool> {
protected:
    QPalette palette() const
    {
        return GetParam() ? darkPalette() : QApplication::style()->standardPalette();
    }
};

} // namespace

TEST_P(PaletteTest, EveryTextStandsOutFromItsBackground)
{
    const PaletteScope scope(palette());

    CategoryBar bar;
    bar.LoadGrid(300);
    const QPalette shown = bar.palette();
    EXPECT_GE(contrast(shown.color(QPalette::Text), shown.color(QPalette::Base)), 7.0);
    EXPECT_GE(
        contrast(shown.color(QPalette::Active, QPalette::HighlightedText), bar.highlightColour()),
        4.5);

    // The editor: a found row in the palette's colours, a missing one red with black text, a
    // warning picture and a tool tip that names the file and where it was looked for.
    hvtest::TempConfig config;
    const QString folder = config.path() + QStringLiteral("/plant");
    QDir().mkpath(folder);
    hvtest::writeFile(folder + "/MENU.DIR", "[DIRECTORY]\r\nCaption=Menu\r\n"
                                            "[FILE]\r\nTitle=Here\r\nFilename=HERE.HVT\r\n"
                                            "[FILE]\r\nTitle=Gone\r\nFilename=GONE.HVT\r\n");
    DirClass dir([](const QString &name) -> std::optional<QString> {
        return name == QLatin1String("HERE.HVT") ? std::optional<QString>(name) : std::nullopt;
    });
    ASSERT_TRUE(dir.OpenExisting(folder + "/MENU.DIR"));
    DirEntriesModel model(dir);
    DirFileGrid grid(&model);
    ASSERT_EQ(grid.rowCount(), 2);
    const QModelIndex missing = model.index(1, DirEntriesModel::kTitleColumn);
    EXPECT_GE(contrast(grid.palette().color(QPalette::Text), grid.rowColour(0)), 4.5);
    EXPECT_EQ(grid.rowColour(1), QColor(255, 0, 0));
    EXPECT_GE(contrast(missing.data(Qt::ForegroundRole).value<QBrush>().color(), grid.rowColour(1)),
              4.5);
    EXPECT_FALSE(missing.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(missing.data(Qt::ToolTipRole).toString(), "GONE.HVT not found in " + folder);
    EXPECT_FALSE(model.index(0, 0).data(Qt::ToolTipRole).isValid());
}

TEST_P(PaletteTest, ViewModePicturesShowOnTheToolbar)
{
    const PaletteScope scope(palette());
    const QColor background = QApplication::palette().color(QPalette::Button);
    for (int mode = 0; mode < 4; ++mode) {
        QPixmap canvas(32, 32);
        canvas.fill(background);
        {
            QPainter painter(&canvas);
            icons::viewMode(mode).paint(&painter, canvas.rect());
        }
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
