// Lengths in twips (1/1440 inch), as the console keeps its layout and placements, and their
// conversion to the pixels that widgets use.
#pragma once

#include "platform/Twips.h"

class QWidget;

namespace hv::twips {

// Twips per pixel of the screen that shows `widget` (the primary screen when it is null or
// not yet on a screen): 1440 / the screen's logical DPI, 15 at 96 DPI.
double perPixelX(const QWidget *widget = nullptr);
double perPixelY(const QWidget *widget = nullptr);

// Twips per pixel across and down, the grid on which the window's controls sit.
TwipsPerPixel pixelGrid(const QWidget *widget = nullptr);

// A length in twips as whole pixels, rounded to the nearest integer.
int toPixelsX(int twips, const QWidget *widget = nullptr);
int toPixelsY(int twips, const QWidget *widget = nullptr);

} // namespace hv::twips
