#include "app/WindowGeometry.h"

#include "platform/Twips.h"

#include <algorithm>

namespace hv {
namespace {

// How much of the title bar must be on a screen for the window to count as reachable.
constexpr int kTitleStripHeight = 30;
constexpr int kMinVisibleWidth = 100;

long long overlapArea(const QRect &a, const QRect &b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : (long long)both.width() * both.height();
}

} // namespace

QRect WindowSettingToPixels(const WindowSetting &s, TwipsPerPixel tpp)
{
    return QRect(twips::toPixels(s.left, tpp.x), twips::toPixels(s.top, tpp.y),
                 twips::toPixels(s.width, tpp.x), twips::toPixels(s.height, tpp.y));
}

WindowSetting WindowSettingFromPixels(const QRect &r, bool maximised, TwipsPerPixel tpp)
{
    return {twips::toTwips(r.top(), tpp.y), twips::toTwips(r.left(), tpp.x),
            twips::toTwips(r.width(), tpp.x), twips::toTwips(r.height(), tpp.y),
            maximised ? WindowSetting::kMaximised : WindowSetting::kNormal};
}

QRect BringOntoScreens(const QRect &rect, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return rect;
    const QRect titleStrip(rect.left(), rect.top(), rect.width(),
                           std::min(rect.height(), kTitleStripHeight));
    for (const QRect &screen : screens) {
        const QRect visible = titleStrip.intersected(screen);
        if (!visible.isEmpty() && visible.height() == titleStrip.height() &&
            visible.width() >= std::min(rect.width(), kMinVisibleWidth))
            return rect;
    }

    QRect target = screens.first();
    long long best = 0;
    for (const QRect &screen : screens) {
        const long long area = overlapArea(rect, screen);
        if (area > best) {
            best = area;
            target = screen;
        }
    }
    QRect placed(rect.topLeft(), rect.size().boundedTo(target.size()));
    placed.moveLeft(std::clamp(placed.left(), target.left(), target.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), target.top(), target.bottom() - placed.height() + 1));
    return placed;
}

} // namespace hv
