// In-memory images, their drawing interface and the image filters. SDL
// surfaces need no video mode, so these run without a window.
#include "engine/gfx/ImageFilter.h"
#include "engine/gfx/MinimalSurfaceImage.h"
#include "engine/gfx/SDLImageGraphics.h"
#include "engine/gfx/SDLSurfaceImage.h"

#include <SDL.h>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Lets gtest print colours in failure messages.
void PrintTo(const Color& c, std::ostream* os)
{
    *os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
}

namespace {

// A w x h RGBA image filled with one colour.
std::unique_ptr<SDLSurfaceImage> filled(int w, int h, Color c)
{
    auto image = std::make_unique<SDLSurfaceImage>(w, h);
    image->graphics()->fillRect(0, 0, w, h, c);
    return image;
}

std::vector<Color> allPixels(const Image& image)
{
    std::vector<Color> pixels;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            pixels.push_back(image.getPixel(x, y));
    return pixels;
}

SDLSurfaceImage* make24Bit(int w, int h)
{
    return new SDLSurfaceImage(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xff, 0xff00, 0xff0000, 0));
}

} // namespace

TEST(ImageFilters, IntensityAsAlphaTurnsBrightnessIntoAlphaOfWhite)
{
    SDLSurfaceImage image(5, 1);
    image.setPixel(0, 0, Color(255, 255, 255, 255));
    image.setPixel(1, 0, Color(0, 0, 0, 255));
    image.setPixel(2, 0, Color(30, 60, 91, 7));
    image.setPixel(3, 0, Color(1, 1, 1, 255));  // 3 x 0.3333 stays below 1
    image.setPixel(4, 0, Color(90, 0, 0, 0));
    IntensityAsAlphaImageFilter().apply(&image);
    EXPECT_EQ(Color(255, 255, 255, 254), image.getPixel(0, 0));
    EXPECT_EQ(Color(255, 255, 255, 0), image.getPixel(1, 0));
    EXPECT_EQ(Color(255, 255, 255, 60), image.getPixel(2, 0));
    EXPECT_EQ(Color(255, 255, 255, 0), image.getPixel(3, 0));
    EXPECT_EQ(Color(255, 255, 255, 29), image.getPixel(4, 0));
}

TEST(ImageFilters, SilhouetteWhitensVisiblePixelsAndLeavesTransparentOnesAlone)
{
    SDLSurfaceImage image(3, 1);
    image.setPixel(0, 0, Color(10, 20, 30, 255));
    image.setPixel(1, 0, Color(10, 20, 30, 128));
    image.setPixel(2, 0, Color(12, 34, 56, 0));
    SilhouetteImageFilter().apply(&image);
    EXPECT_EQ(Color(255, 255, 255, 255), image.getPixel(0, 0));
    EXPECT_EQ(Color(255, 255, 255, 128), image.getPixel(1, 0));
    EXPECT_EQ(Color(12, 34, 56, 0), image.getPixel(2, 0));
}

TEST(SDLSurfaceImage, ConstructorsGiveSizeAndClearedPixels)
{
    SDLSurfaceImage empty;
    EXPECT_EQ(empty.getWidth(), 0);
    EXPECT_EQ(empty.getSurface(), nullptr);

    SDLSurfaceImage rgba(4, 3);
    ASSERT_NE(rgba.getSurface(), nullptr);
    EXPECT_EQ(rgba.getWidth(), 4);
    EXPECT_EQ(rgba.getHeight(), 3);
    EXPECT_EQ(rgba.getSurface()->format->BytesPerPixel, 4);
    EXPECT_EQ(Color(0, 0, 0, 0), rgba.getPixel(3, 2));
    // Bytes R, G, B, A in memory.
    rgba.setPixel(1, 0, Color(1, 2, 3, 4));
    const auto* bytes = static_cast<const uint8_t*>(rgba.getSurface()->pixels) + 4;
    EXPECT_EQ(std::vector<int>(bytes, bytes + 4), (std::vector<int>{1, 2, 3, 4}));

    SDLSurfaceImage wrapped(SDL_CreateRGBSurface(SDL_SWSURFACE, 7, 5, 32, 0xff, 0xff00, 0xff0000, 0xff000000));
    EXPECT_EQ(wrapped.getWidth(), 7);
    EXPECT_EQ(wrapped.getHeight(), 5);
}

TEST(SDLSurfaceImage, FileConstructorDecodesOrStaysEmpty)
{
    SDL_Surface* bmp = SDL_CreateRGBSurface(SDL_SWSURFACE, 6, 4, 24, 0xff, 0xff00, 0xff0000, 0);
    SDL_FillRect(bmp, nullptr, SDL_MapRGB(bmp->format, 10, 20, 30));
    const std::string path = ::testing::TempDir() + "image_test_probe.bmp";
    ASSERT_EQ(SDL_SaveBMP(bmp, path.c_str()), 0);
    SDL_FreeSurface(bmp);

    SDLSurfaceImage loaded(path);
    EXPECT_EQ(loaded.getWidth(), 6);
    EXPECT_EQ(loaded.getHeight(), 4);
    EXPECT_EQ(Color(10, 20, 30, 255), loaded.getPixel(5, 3));
    std::remove(path.c_str());

    SDLSurfaceImage missing(::testing::TempDir() + "no_such_image.png");
    EXPECT_EQ(missing.getSurface(), nullptr);
    EXPECT_EQ(missing.getWidth(), 0);
    EXPECT_EQ(Color(0, 0, 0, 0), missing.getPixel(0, 0));
    missing.setPixel(0, 0, Color::white());
    missing.graphics()->fillRect(0, 0, 5, 5, Color::white());
}

TEST(SDLSurfaceImage, ReadsOutsideGiveTransparentBlackAndWritesOutsideAreIgnored)
{
    auto image = filled(3, 2, Color(9, 8, 7, 6));
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {100000, 100000}, {-100000, 1}}) {
        EXPECT_EQ(Color(0, 0, 0, 0), image->getPixel(x, y)) << x << "," << y;
        EXPECT_TRUE(image->isTransparentAt(x, y));
        image->setPixel(x, y, Color::white());
    }
    for (Color c : allPixels(*image))
        EXPECT_EQ(Color(9, 8, 7, 6), c);
}

TEST(SDLSurfaceImage, ThreeBytePixelsRoundTrip)
{
    std::unique_ptr<SDLSurfaceImage> rgb(make24Bit(3, 2));
    rgb->setPixel(1, 1, Color(200, 100, 50));
    EXPECT_EQ(Color(200, 100, 50, 255), rgb->getPixel(1, 1));
    EXPECT_EQ(Color(0, 0, 0, 255), rgb->getPixel(0, 1));
    EXPECT_EQ(Color(0, 0, 0, 255), rgb->getPixel(2, 1));
    EXPECT_FALSE(rgb->isTransparentAt(1, 1));  // no alpha channel: opaque
    // Three-byte pixels are stored low byte first.
    const auto* bytes = static_cast<const uint8_t*>(rgb->getSurface()->pixels) + rgb->getSurface()->pitch + 3;
    EXPECT_EQ(std::vector<int>(bytes, bytes + 3), (std::vector<int>{200, 100, 50}));
}

TEST(SDLSurfaceImage, CloneIsAnExactIndependentCopy)
{
    auto original = filled(4, 4, Color(10, 20, 30, 128));
    original->setPixel(2, 3, Color(1, 2, 3, 0));
    std::unique_ptr<Image> copy(original->clone());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getWidth(), 4);
    // Half-transparent and fully transparent pixels keep colour and alpha.
    EXPECT_EQ(allPixels(*copy), allPixels(*original));

    const std::vector<Color> before = allPixels(*copy);
    original->setPixel(0, 0, Color::white());
    original->graphics()->fillRect(1, 1, 2, 2, Color::black());
    EXPECT_EQ(allPixels(*copy), before);
    copy->setPixel(3, 3, Color(5, 5, 5, 5));
    EXPECT_EQ(Color(10, 20, 30, 128), original->getPixel(3, 3));

    std::unique_ptr<Image> emptyCopy(SDLSurfaceImage().clone());
    ASSERT_NE(emptyCopy, nullptr);
    EXPECT_EQ(emptyCopy->getWidth(), 0);
}

TEST(SDLImageGraphics, FillRectIsClippedToTheImage)
{
    SDLSurfaceImage image(4, 4);
    image.graphics()->fillRect(-2, -2, 4, 4, Color(1, 2, 3, 4));
    image.graphics()->fillRect(3, 3, 100, 100, Color(5, 6, 7, 8));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            Color expected(0, 0, 0, 0);
            if (x < 2 && y < 2)
                expected = Color(1, 2, 3, 4);
            if (x == 3 && y == 3)
                expected = Color(5, 6, 7, 8);
            EXPECT_EQ(expected, image.getPixel(x, y)) << x << "," << y;
        }
}

TEST(SDLImageGraphics, BlitCopiesOrBlendsBySourceAlpha)
{
    auto source = filled(2, 2, Color(200, 0, 0, 128));
    auto target = filled(4, 4, Color(0, 0, 200, 255));

    target->graphics()->blit(1, 1, source.get(), Rect(0, 0, 1, 1), false);
    EXPECT_EQ(Color(200, 0, 0, 128), target->getPixel(1, 1));
    EXPECT_EQ(Color(0, 0, 200, 255), target->getPixel(2, 1));

    target->graphics()->blit(3, 3, source.get(), Rect(0, 0, 2, 2), true);
    const Color blended = target->getPixel(3, 3);
    EXPECT_NEAR(blended.r, 100, 2);
    EXPECT_NEAR(blended.b, 100, 2);
    EXPECT_EQ(blended.a, 255);  // the target's alpha stays under a blend
}

TEST(SDLImageGraphics, CopyChannelsAlphaOnlyReplaceTakesSourceAlphaKeepsColours)
{
    auto target = filled(3, 3, Color(10, 20, 30, 200));
    auto source = filled(2, 2, Color(99, 98, 97, 40));
    source->setPixel(1, 1, Color(0, 0, 0, 250));
    target->graphics()->copyChannels(1, 1, source.get(), Rect(0, 0, 2, 2), false, false, false, true, true);
    EXPECT_EQ(Color(10, 20, 30, 200), target->getPixel(0, 0));
    EXPECT_EQ(Color(10, 20, 30, 40), target->getPixel(1, 1));
    EXPECT_EQ(Color(10, 20, 30, 250), target->getPixel(2, 2));

    // Without replace the flagged channels add, saturating at 255.
    target->graphics()->copyChannels(0, 0, source.get(), Rect(0, 0, 1, 1), true, false, false, true, false);
    EXPECT_EQ(Color(109, 20, 30, 240), target->getPixel(0, 0));
    target->graphics()->copyChannels(0, 0, source.get(), Rect(0, 0, 1, 1), false, false, false, true, false);
    EXPECT_EQ(target->getPixel(0, 0).a, 255);
}

TEST(SDLImageGraphics, ChannelOperationsNeedTwoThirtyTwoBitImages)
{
    auto rgba = filled(2, 2, Color(10, 20, 30, 40));
    std::unique_ptr<SDLSurfaceImage> rgb(make24Bit(2, 2));
    rgb->graphics()->fillRect(0, 0, 2, 2, Color(200, 150, 100));
    const auto rgbaBefore = allPixels(*rgba);
    const auto rgbBefore = allPixels(*rgb);

    rgba->graphics()->copyChannels(0, 0, rgb.get(), Rect(0, 0, 2, 2), true, true, true, true, true);
    rgb->graphics()->copyChannels(0, 0, rgba.get(), Rect(0, 0, 2, 2), true, true, true, true, true);
    rgba->graphics()->combineRegion(0, 0, rgb.get(), Rect(0, 0, 2, 2), true, true, true, true, true, false);
    rgb->graphics()->combineRegion(0, 0, rgba.get(), Rect(0, 0, 2, 2), true, true, true, true, false, true);
    MinimalSurfaceImage notSdl(std::make_unique<uint8_t[]>(4), 2, 2);
    rgba->graphics()->combineRegion(0, 0, &notSdl, Rect(0, 0, 2, 2), true, true, true, true, true, false);

    EXPECT_EQ(allPixels(*rgba), rgbaBefore);
    EXPECT_EQ(allPixels(*rgb), rgbBefore);
}

TEST(SDLImageGraphics, FastCombineSubtractsOrClearsFlaggedChannels)
{
    auto target = filled(3, 1, Color(100, 100, 100, 200));
    target->setPixel(1, 0, Color(100, 100, 100, 30));
    auto brush = filled(3, 1, Color(60, 60, 60, 50));

    // Erase by the brush's alpha: 200 - 50 = 150, 30 - 50 stops at 0.
    target->graphics()->combineRegion(0, 0, brush.get(), Rect(0, 0, 2, 1), false, false, false, true, false, true);
    EXPECT_EQ(Color(100, 100, 100, 150), target->getPixel(0, 0));
    EXPECT_EQ(Color(100, 100, 100, 0), target->getPixel(1, 0));
    EXPECT_EQ(Color(100, 100, 100, 200), target->getPixel(2, 0));  // outside the rectangle

    // With replace the flagged channels become 0 whatever the source holds.
    target->graphics()->combineRegion(2, 0, brush.get(), Rect(0, 0, 1, 1), true, false, true, false, true, true);
    EXPECT_EQ(Color(0, 100, 0, 200), target->getPixel(2, 0));
}

TEST(SDLImageGraphics, SlowCombineAddsOrReplacesFlaggedChannels)
{
    auto target = filled(2, 1, Color(100, 200, 0, 10));
    auto source = filled(2, 1, Color(100, 100, 7, 20));
    target->graphics()->combineRegion(0, 0, source.get(), Rect(0, 0, 1, 1), true, true, false, false, false, false);
    EXPECT_EQ(Color(200, 255, 0, 10), target->getPixel(0, 0));
    target->graphics()->combineRegion(1, 0, source.get(), Rect(0, 0, 1, 1), false, false, true, true, true, false);
    EXPECT_EQ(Color(100, 200, 7, 20), target->getPixel(1, 0));
}

TEST(SDLImageGraphics, CombineRegionNegativeTargetShiftsTheSourceAndClipsAtEdges)
{
    auto source = std::make_unique<SDLSurfaceImage>(4, 1);
    for (int x = 0; x < 4; ++x)
        source->setPixel(x, 0, Color(0, 0, 0, static_cast<uint8_t>(10 * (x + 1))));
    auto target = filled(3, 2, Color(0, 0, 0, 100));

    // x = -2: source columns 2 and 3 land on target columns 0 and 1.
    target->graphics()->combineRegion(-2, 0, source.get(), Rect(0, 0, 4, 1), false, false, false, true, false, true);
    EXPECT_EQ(target->getPixel(0, 0).a, 70);
    EXPECT_EQ(target->getPixel(1, 0).a, 60);
    EXPECT_EQ(target->getPixel(2, 0).a, 100);
    EXPECT_EQ(target->getPixel(0, 1).a, 100);

    // A shift that empties the rectangle does nothing.
    target->graphics()->combineRegion(-4, 0, source.get(), Rect(0, 0, 4, 1), false, false, false, true, true, true);
    // Running off the right edge is cut at the target's width.
    target->graphics()->combineRegion(2, 1, source.get(), Rect(0, 0, 4, 1), false, false, false, true, true, false);
    EXPECT_EQ(target->getPixel(2, 1).a, 10);
    EXPECT_EQ(target->getPixel(1, 1).a, 100);
    EXPECT_EQ(target->getPixel(0, 0).a, 70);
}

TEST(SDLImageGraphics, CombiningAnImageWithItselfReadsTheUnchangedSource)
{
    auto image = std::make_unique<SDLSurfaceImage>(4, 1);
    for (int x = 0; x < 4; ++x)
        image->setPixel(x, 0, Color(0, 0, 0, static_cast<uint8_t>(10 * (x + 1))));
    // Every pixel takes its left neighbour's original alpha.
    image->graphics()->combineRegion(1, 0, image.get(), Rect(0, 0, 3, 1), false, false, false, true, true, false);
    EXPECT_EQ(image->getPixel(1, 0).a, 10);
    EXPECT_EQ(image->getPixel(2, 0).a, 20);
    EXPECT_EQ(image->getPixel(3, 0).a, 30);
}

TEST(MinimalSurfaceImage, KeepsAlphaAndCountsOutsideAsOpaqueBlack)
{
    auto picture = filled(3, 2, Color(50, 60, 70, 255));
    picture->setPixel(1, 0, Color(50, 60, 70, 0));
    picture->setPixel(2, 1, Color(50, 60, 70, 77));
    MinimalSurfaceImage alpha(picture->getSurface());
    EXPECT_EQ(alpha.getWidth(), 3);
    EXPECT_EQ(alpha.getHeight(), 2);
    EXPECT_EQ(Color(0, 0, 0, 255), alpha.getPixel(0, 0));
    EXPECT_TRUE(alpha.isTransparentAt(1, 0));
    EXPECT_EQ(Color(0, 0, 0, 77), alpha.getPixel(2, 1));

    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}}) {
        EXPECT_EQ(Color(0, 0, 0, 255), alpha.getPixel(x, y)) << x << "," << y;
        EXPECT_FALSE(alpha.isTransparentAt(x, y));
        alpha.setPixel(x, y, Color(0, 0, 0, 0));
    }
    alpha.setPixel(0, 1, Color(1, 2, 3, 0));
    EXPECT_TRUE(alpha.isTransparentAt(0, 1));
    EXPECT_FALSE(alpha.isTransparentAt(0, 0));
    EXPECT_EQ(alpha.clone(), nullptr);
    EXPECT_EQ(alpha.graphics(), nullptr);
}

TEST(MinimalSurfaceImage, ReadsRowsByThePitchOfPaddedSurfaces)
{
    // Two pixels per row, rows 16 bytes apart.
    std::vector<Uint32> pixels = {0x11000000, 0x22000000, 0xdeadbeef, 0xdeadbeef,
                                  0x33000000, 0x44000000, 0xdeadbeef, 0xdeadbeef};
    SDL_Surface* padded = SDL_CreateRGBSurfaceFrom(pixels.data(), 2, 2, 32, 16, 0xff, 0xff00, 0xff0000, 0xff000000);
    MinimalSurfaceImage alpha(padded);
    SDL_FreeSurface(padded);
    EXPECT_EQ(alpha.getPixel(0, 0).a, 0x11);
    EXPECT_EQ(alpha.getPixel(1, 0).a, 0x22);
    EXPECT_EQ(alpha.getPixel(0, 1).a, 0x33);
    EXPECT_EQ(alpha.getPixel(1, 1).a, 0x44);
}

TEST(MinimalSurfaceImage, UnusableSourcesGiveAnEmptyImage)
{
    std::unique_ptr<SDLSurfaceImage> rgb(make24Bit(2, 2));
    MinimalSurfaceImage fromRgb(rgb->getSurface());
    EXPECT_EQ(fromRgb.getWidth(), 0);
    MinimalSurfaceImage fromNothing(nullptr);
    EXPECT_EQ(fromNothing.getWidth(), 0);
    EXPECT_FALSE(fromNothing.isTransparentAt(0, 0));
    MinimalSurfaceImage noBytes(nullptr, 4, 4);
    EXPECT_EQ(noBytes.getWidth(), 0);
    noBytes.setPixel(0, 0, Color::white());
}
