#include "platform/Twips.h"

#include <cmath>

namespace hv::twips {

int toPixels(int twips, double twipsPerPixel)
{
    return int(std::lround(twips / twipsPerPixel));
}

int toTwips(int pixels, double twipsPerPixel)
{
    return int(std::lround(pixels * twipsPerPixel));
}

} // namespace hv::twips
