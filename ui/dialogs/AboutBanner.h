// The banner picture at the top of the About window.
#pragma once

#include <QPixmap>

namespace hv {

// The banner's size in device-independent pixels.
inline constexpr int kAboutBannerWidth = 400;
inline constexpr int kAboutBannerHeight = 64;

// Paints the banner for a screen of the given device pixel ratio: the pixmap has
// kAboutBannerWidth x kAboutBannerHeight logical pixels and as many device pixels as the
// ratio asks for, so it is sharp on high-DPI screens.
QPixmap MakeAboutBanner(qreal devicePixelRatio);

} // namespace hv
