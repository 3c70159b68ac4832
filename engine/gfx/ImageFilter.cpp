#include "engine/gfx/ImageFilter.h"

#include "engine/gfx/Image.h"

#include <algorithm>

void SilhouetteImageFilter::apply(Image* image) const
{
    if (!image)
        return;
    for (int y = 0; y < image->getHeight(); ++y)
        for (int x = 0; x < image->getWidth(); ++x) {
            const Color c = image->getPixel(x, y);
            if (c.a != 0)
                image->setPixel(x, y, Color(255, 255, 255, c.a));
        }
}

void IntensityAsAlphaImageFilter::apply(Image* image) const
{
    if (!image)
        return;
    for (int y = 0; y < image->getHeight(); ++y)
        for (int x = 0; x < image->getWidth(); ++x) {
            const Color c = image->getPixel(x, y);
            // The factor is a little under a third: pure white gives 254.
            const double intensity = (c.r + c.g + c.b) * 0.3333;
            const auto a = static_cast<uint8_t>(std::min(intensity, 255.0));
            image->setPixel(x, y, Color(255, 255, 255, a));
        }
}
