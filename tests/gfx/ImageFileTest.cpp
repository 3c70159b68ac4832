// Picture files as other tools write them, read without a window: sizes
// from the headers, CMYK JPEGs, and pictures too large to load.
#include "engine/gfx/ImageFile.h"
#include "engine/gfx/SDLSurfaceImage.h"
#include "tests/support/Fixtures.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

namespace {

long peakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

::testing::AssertionResult nearColour(Color expected, Color actual)
{
    const auto near = [](int a, int b) { return a - b <= 3 && b - a <= 3; };
    if (near(expected.r, actual.r) && near(expected.g, actual.g) && near(expected.b, actual.b) &&
        expected.a == actual.a)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << int(actual.r) << "," << int(actual.g) << "," << int(actual.b)
                                         << "," << int(actual.a) << ")";
}

} // namespace

TEST(ImageFile, HeadersGiveTheSizeBeforeAnythingIsDecoded)
{
    struct Expected {
        const char* name;
        ImageFile::Kind kind;
        long long width, height;
        int components;
        bool adobe;
    };
    const Expected files[] = {
        {"huge_bilevel.png", ImageFile::Kind::Png, 16000, 16000, 0, false},
        {"room.jpg", ImageFile::Kind::Jpeg, 64, 32, 3, false},
        {"cmyk.jpg", ImageFile::Kind::Jpeg, 32, 32, 4, true},
        {"claims_huge.jpg", ImageFile::Kind::Jpeg, 16000, 16000, 3, false},
    };
    for (const Expected& e : files) {
        ImageFile::Header header;
        ASSERT_TRUE(ImageFile::readHeader(fixture(e.name), header)) << e.name << ": run scripts/gen-content.sh";
        EXPECT_EQ(e.kind, header.kind) << e.name;
        EXPECT_EQ(e.width, header.width) << e.name;
        EXPECT_EQ(e.height, header.height) << e.name;
        EXPECT_EQ(e.components, header.components) << e.name;
        EXPECT_EQ(e.adobe, header.adobe) << e.name;
    }
    // Neither format, a JPEG whose segments end before its frame, no file.
    ImageFile::Header header;
    EXPECT_FALSE(ImageFile::readHeader(fixture("notanimage.png"), header));
    EXPECT_EQ(ImageFile::Kind::Unknown, header.kind);
    const char cut[] = "\xff\xd8\xff\xe0\x00\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0\xff\xc0\x00";
    SDL_RWops* rw = SDL_RWFromConstMem(cut, sizeof cut - 1);
    EXPECT_FALSE(ImageFile::readHeader(rw, header));
    SDL_RWclose(rw);
    EXPECT_FALSE(ImageFile::readHeader(fixture("no_such_picture.png"), header));
}

// A CMYK JPEG decoded as it is gives its inks as red, green, blue and alpha:
// blue and translucent where the picture is red.
TEST(ImageFile, CmykJpegsAreConvertedToOpaqueRgb)
{
    SDLSurfaceImage picture(fixture("cmyk.jpg"));
    ASSERT_NE(nullptr, picture.getSurface()) << IMG_GetError();
    EXPECT_TRUE(nearColour(Color(200, 40, 40, 255), picture.getPixel(3, 3)));
    EXPECT_TRUE(nearColour(Color(200, 40, 40, 255), picture.getPixel(28, 28)));
    SDLSurfaceImage mask(fixture("cmyk_.jpg"));
    ASSERT_NE(nullptr, mask.getSurface()) << IMG_GetError();
    EXPECT_TRUE(nearColour(Color(0, 0, 0, 255), mask.getPixel(3, 16)));
    EXPECT_TRUE(nearColour(Color(255, 255, 255, 255), mask.getPixel(28, 16)));

    // Without the Adobe marker the inks are stored as they are (255 = full ink).
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xff0000, 0xff00, 0xff, 0xff000000);
    ASSERT_NE(nullptr, s);
    auto* p = static_cast<Uint8*>(s->pixels);
    p[0] = 0, p[1] = 204, p[2] = 204, p[3] = 55;
    ImageFile::convertCmyk(s, false);
    SDLSurfaceImage plain(s);
    EXPECT_TRUE(nearColour(Color(200, 40, 40, 255), plain.getPixel(0, 0)));
}

TEST(ImageFile, PicturesLargerThanTheLargestTextureAreRefusedBeforeDecoding)
{
    // Without an OpenGL mode the limit is the widest RGBA surface SDL holds.
    EXPECT_EQ(8192, ImageFile::largestSide());
    const long before = peakResidentKb();
    for (const char* name : {"huge_bilevel.png", "claims_huge.jpg"}) {
        SDLSurfaceImage picture(fixture(name));
        EXPECT_EQ(nullptr, picture.getSurface()) << name;
        EXPECT_EQ(0, picture.getWidth());
        const std::string why = IMG_GetError();
        EXPECT_NE(std::string::npos, why.find("16000x16000")) << why;
        EXPECT_NE(std::string::npos, why.find("8192x8192")) << why;
    }
    // Decoding the 30 KB PNG would take 256 MB.
    EXPECT_LT(peakResidentKb() - before, 64 * 1024);
}
