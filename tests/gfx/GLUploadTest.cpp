// The upload layer with a GL context: formats, sizes, row pitches and alpha,
// checked by reading the texture back.
#include "engine/gfx/GLUpload.h"
#include "tests/support/GLTestSuite.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr Uint32 R = 0x000000ff, G = 0x0000ff00, B = 0x00ff0000, A = 0xff000000;

struct Texel {
    unsigned char r, g, b, a;
};

void writePixel(SDL_Surface* s, int x, int y, Uint8 r, Uint8 g, Uint8 b, Uint8 a)
{
    const Uint32 value = SDL_MapRGBA(s->format, r, g, b, a);
    Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    std::memcpy(p, &value, s->format->BytesPerPixel);  // little-endian: low bytes first
}

// A recognisable colour for every position.
Texel patternAt(int x, int y)
{
    return {static_cast<unsigned char>(x * 7 + y), static_cast<unsigned char>(y * 3 + 1),
            static_cast<unsigned char>(x ^ y), static_cast<unsigned char>((x * 5 + y * 11) | 1)};
}

void fillPattern(SDL_Surface* s, bool withAlpha)
{
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            const Texel t = patternAt(x, y);
            writePixel(s, x, y, t.r, t.g, t.b, withAlpha ? t.a : 255);
        }
}

struct OglBlitDeleter {
    void operator()(OglBlitTexture* t) const
    {
        if (t)
            glDeleteTextures(1, &t->name);
        delete t;
    }
};
using UploadPtr = std::unique_ptr<OglBlitTexture, OglBlitDeleter>;

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// The level-0 image of the texture as RGBA bytes (alpha 255 for RGB storage).
std::vector<Texel> readBack(const OglBlitTexture& t)
{
    std::vector<Texel> texels(static_cast<size_t>(t.texWidth) * t.texHeight);
    glBindTexture(GL_TEXTURE_2D, t.name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

// The texture holds the pattern over the surface's w x h (alpha as given).
::testing::AssertionResult holdsPattern(const OglBlitTexture& t, int w, int h, bool withAlpha)
{
    const std::vector<Texel> texels = readBack(t);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Texel want = patternAt(x, y);
            const Texel got = texels[static_cast<size_t>(y) * t.texWidth + x];
            const unsigned char wantAlpha = withAlpha ? want.a : 255;
            if (got.r != want.r || got.g != want.g || got.b != want.b || got.a != wantAlpha)
                return ::testing::AssertionFailure()
                       << "texel " << x << "," << y << " is (" << int(got.r) << "," << int(got.g) << ","
                       << int(got.b) << "," << int(got.a) << "), expected (" << int(want.r) << "," << int(want.g)
                       << "," << int(want.b) << "," << int(wantAlpha) << ")";
        }
    return ::testing::AssertionSuccess();
}

bool isPowerOfTwo(int v)
{
    return v > 0 && (v & (v - 1)) == 0;
}

class GLUploadTest : public GLTestSuite {};

} // namespace

TEST_F(GLUploadTest, RgbaSurfaceUploadsUnconverted)
{
    SurfacePtr surface(SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 256, 32, R, G, B, A));
    ASSERT_TRUE(surface);
    fillPattern(surface.get(), true);

    UploadPtr texture(SDL_oglblit(surface.get()));
    ASSERT_TRUE(texture) << SDL_GetError();
    EXPECT_TRUE(glIsTexture(texture->name));
    EXPECT_EQ(GL_RGBA, texture->format);
    EXPECT_EQ(256, texture->texWidth);
    EXPECT_EQ(256, texture->texHeight);
    EXPECT_EQ(256, texture->surfaceWidth);
    EXPECT_EQ(256, texture->surfaceHeight);
    EXPECT_TRUE(holdsPattern(*texture, 256, 256, true));
}

// Either the odd size is accepted as it is (RGB storage) or the surface is
// widened to powers of two and converted to RGBA.
TEST_F(GLUploadTest, RgbSurfaceGetsAUsableSize)
{
    SurfacePtr surface(SDL_CreateRGBSurface(SDL_SWSURFACE, 300, 200, 24, R, G, B, 0));
    ASSERT_TRUE(surface);
    fillPattern(surface.get(), false);

    UploadPtr texture(SDL_oglblit(surface.get()));
    ASSERT_TRUE(texture) << SDL_GetError();
    EXPECT_EQ(300, texture->surfaceWidth);
    EXPECT_EQ(200, texture->surfaceHeight);
    if (texture->format == GL_RGB) {
        EXPECT_EQ(300, texture->texWidth);
        EXPECT_EQ(200, texture->texHeight);
    } else {
        EXPECT_EQ(GL_RGBA, texture->format);
        EXPECT_EQ(512, texture->texWidth);
        EXPECT_EQ(256, texture->texHeight);
    }
    EXPECT_TRUE(holdsPattern(*texture, 300, 200, false));
}

// Rows padded beyond GL's alignments are read at the surface's pitch, through
// a row length or, when the pitch is not a whole number of pixels, a copy.
TEST_F(GLUploadTest, RowsAreReadAtTheSurfacePitch)
{
    std::vector<Uint8> rgbaPixels(32 * 3);
    SurfacePtr rgba(SDL_CreateRGBSurfaceFrom(rgbaPixels.data(), 5, 3, 32, 32, R, G, B, A));
    ASSERT_TRUE(rgba);
    fillPattern(rgba.get(), true);
    UploadPtr wide(SDL_oglblit(rgba.get()));
    ASSERT_TRUE(wide) << SDL_GetError();
    EXPECT_EQ(GL_RGBA, wide->format);
    EXPECT_TRUE(holdsPattern(*wide, 5, 3, true));

    std::vector<Uint8> rgbPixels(25 * 3);
    SurfacePtr rgb(SDL_CreateRGBSurfaceFrom(rgbPixels.data(), 7, 3, 24, 25, R, G, B, 0));
    ASSERT_TRUE(rgb);
    fillPattern(rgb.get(), false);
    UploadPtr odd(SDL_oglblit(rgb.get()));
    ASSERT_TRUE(odd) << SDL_GetError();
    EXPECT_EQ(GL_RGBA, odd->format);
    EXPECT_TRUE(holdsPattern(*odd, 7, 3, false));
}

// Regression: a 32-bit layout GL cannot read (BGRA) goes through the RGBA
// copy, which must keep each pixel's alpha even with SDL_SRCALPHA set.
TEST_F(GLUploadTest, ConvertedSurfaceKeepsItsAlpha)
{
    SurfacePtr bgra(SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, 16, 8, 32, B, G, R, A));
    ASSERT_TRUE(bgra);
    ASSERT_TRUE(bgra->flags & SDL_SRCALPHA);
    fillPattern(bgra.get(), true);

    UploadPtr texture(SDL_oglblit(bgra.get()));
    ASSERT_TRUE(texture) << SDL_GetError();
    EXPECT_EQ(GL_RGBA, texture->format);
    EXPECT_TRUE(isPowerOfTwo(texture->texWidth) || texture->texWidth == 16);
    EXPECT_TRUE(holdsPattern(*texture, 16, 8, true));
    EXPECT_TRUE(bgra->flags & SDL_SRCALPHA);
}

TEST_F(GLUploadTest, EmptySurfaceHasNoTextureSize)
{
    SurfacePtr empty(SDL_CreateRGBSurface(SDL_SWSURFACE, 0, 0, 32, R, G, B, A));
    ASSERT_TRUE(empty);
    SDL_ClearError();
    EXPECT_EQ(nullptr, SDL_oglblit(empty.get()));
    EXPECT_EQ(std::string("SDL_oglblit: Couldn't find a suitable texture size for the given surface."),
              SDL_GetError());
}

// Fitting would crop it: a surface larger than the largest texture is
// refused instead.
TEST_F(GLUploadTest, SurfaceLargerThanTheLargestTextureIsRefused)
{
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    ASSERT_GT(maxSize, 0);
    SurfacePtr tall(SDL_CreateRGBSurface(SDL_SWSURFACE, 1, maxSize + 1, 8, 0, 0, 0, 0));
    ASSERT_TRUE(tall) << SDL_GetError();
    SDL_ClearError();
    EXPECT_EQ(nullptr, SDL_oglblit(tall.get()));
    EXPECT_NE(std::string::npos, std::string(SDL_GetError()).find("larger than the largest texture"))
        << SDL_GetError();
}

TEST_F(GLUploadTest, FitTextureSizeClampsToTheMaximum)
{
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    ASSERT_GT(maxSize, 0);

    int w = 256, h = 128;
    EXPECT_TRUE(fitTextureSize(w, h, GL_RGBA));
    EXPECT_EQ(256, w);
    EXPECT_EQ(128, h);

    w = maxSize * 2;
    h = 16;
    EXPECT_FALSE(fitTextureSize(w, h, GL_RGBA));
    EXPECT_EQ(maxSize, w);
    EXPECT_EQ(16, h);

    w = 0;
    h = 16;
    EXPECT_FALSE(fitTextureSize(w, h, GL_RGB));
    EXPECT_EQ(0, w);
    EXPECT_EQ(0, h);
}
