// Lengths in twips (1/1440 inch), the unit in which the console keeps its layout and stored
// window placements, and their conversion to and from screen pixels. Every conversion goes
// through here; the windows only supply the screen's DPI.
#pragma once

namespace hv {

// Twips (1/1440 inch) per screen pixel, horizontally and vertically (15 at 96 DPI).
struct TwipsPerPixel {
    double x = 15.0;
    double y = 15.0;
};

namespace twips {

constexpr double kPerInch = 1440.0;
// The ratio of a screen of 96 DPI, used when a screen reports none.
constexpr double kDefaultPerPixel = 15.0;

// Twips per pixel on a screen of `dpi` logical dots per inch.
constexpr double perPixel(double dpi)
{
    return dpi > 0 ? kPerInch / dpi : kDefaultPerPixel;
}

// A length in twips as whole pixels, and pixels as whole twips, rounded to the nearest.
int toPixels(int twips, double twipsPerPixel);
int toTwips(int pixels, double twipsPerPixel);

} // namespace twips
} // namespace hv
