// Upload-layer parts that need no GL context: the power-of-two rounding, the
// null-surface error and the RGBA conversion.
#include "engine/gfx/GLUpload.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <climits>
#include <cstring>
#include <string>

namespace {

constexpr Uint32 R = 0x000000ff, G = 0x0000ff00, B = 0x00ff0000, A = 0xff000000;

struct Rgba {
    Uint8 r, g, b, a;
};

Rgba readRgba(const SDL_Surface* s, int x, int y)
{
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

void writePixel(SDL_Surface* s, int x, int y, Uint8 r, Uint8 g, Uint8 b, Uint8 a)
{
    const Uint32 value = SDL_MapRGBA(s->format, r, g, b, a);
    Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    std::memcpy(p, &value, s->format->BytesPerPixel);  // little-endian: low bytes first
}

void expectRgba(const SDL_Surface* s, int x, int y, Rgba want)
{
    const Rgba got = readRgba(s, x, y);
    EXPECT_EQ(want.r, got.r) << "red at " << x << "," << y;
    EXPECT_EQ(want.g, got.g) << "green at " << x << "," << y;
    EXPECT_EQ(want.b, got.b) << "blue at " << x << "," << y;
    EXPECT_EQ(want.a, got.a) << "alpha at " << x << "," << y;
}

} // namespace

TEST(NextPowerOfTwo, RoundsUpAndKeepsPowersOfTwo)
{
    EXPECT_EQ(1, nextPowerOfTwo(1, 4096));
    EXPECT_EQ(2, nextPowerOfTwo(2, 4096));
    EXPECT_EQ(4, nextPowerOfTwo(3, 4096));
    EXPECT_EQ(512, nextPowerOfTwo(300, 4096));
    EXPECT_EQ(1024, nextPowerOfTwo(1024, 4096));
    EXPECT_EQ(2048, nextPowerOfTwo(1025, 4096));
}

TEST(NextPowerOfTwo, IsCappedAtTheMaximum)
{
    EXPECT_EQ(2048, nextPowerOfTwo(3000, 2048));
    EXPECT_EQ(2048, nextPowerOfTwo(2048, 2048));
    // Above 2^30 the next power does not fit an int; the cap still holds.
    EXPECT_EQ(16384, nextPowerOfTwo((1 << 30) + 1, 16384));
    EXPECT_EQ(INT_MAX, nextPowerOfTwo(INT_MAX, INT_MAX));
}

TEST(SDLOglblit, NullSurfaceFailsWithItsMessage)
{
    SDL_ClearError();
    EXPECT_EQ(nullptr, SDL_oglblit(nullptr));
    EXPECT_EQ(std::string("SDL_oglblit: Surface passed to OGL_FromSurface is NULL."), SDL_GetError());
}

// Regression: with SDL_SRCALPHA set on an RGBA source, SDL blends into the
// empty copy and the copy's alpha stays 0.
TEST(ConvertToRGBA, AlphaIsCopiedNotBlended)
{
    SDL_Surface* src = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, 4, 1, 32, R, G, B, A);
    ASSERT_NE(nullptr, src);
    ASSERT_TRUE(src->flags & SDL_SRCALPHA);
    writePixel(src, 0, 0, 10, 20, 30, 0);
    writePixel(src, 1, 0, 40, 50, 60, 77);
    writePixel(src, 2, 0, 70, 80, 90, 200);
    writePixel(src, 3, 0, 255, 128, 1, 255);

    SDL_Surface* out = convertToRGBA(src, 8, 2);
    ASSERT_NE(nullptr, out);
    EXPECT_EQ(8, out->w);
    EXPECT_EQ(2, out->h);
    EXPECT_EQ(4, out->format->BytesPerPixel);
    expectRgba(out, 0, 0, {10, 20, 30, 0});
    expectRgba(out, 1, 0, {40, 50, 60, 77});
    expectRgba(out, 2, 0, {70, 80, 90, 200});
    expectRgba(out, 3, 0, {255, 128, 1, 255});
    // Outside the picture the copy stays fully transparent.
    expectRgba(out, 4, 0, {0, 0, 0, 0});
    expectRgba(out, 0, 1, {0, 0, 0, 0});
    // The caller's surface keeps its alpha mode.
    EXPECT_TRUE(src->flags & SDL_SRCALPHA);
    EXPECT_EQ(SDL_ALPHA_OPAQUE, src->format->alpha);

    SDL_FreeSurface(out);
    SDL_FreeSurface(src);
}

TEST(ConvertToRGBA, SurfacesWithoutAlphaBecomeOpaqueExceptTheColourKey)
{
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 1, 24, R, G, B, 0);
    ASSERT_NE(nullptr, rgb);
    writePixel(rgb, 0, 0, 10, 20, 30, 255);
    writePixel(rgb, 1, 0, 255, 0, 255, 255);
    writePixel(rgb, 2, 0, 0, 0, 0, 255);
    // A per-surface alpha of 128 must not halve the copied colours either.
    SDL_SetAlpha(rgb, SDL_SRCALPHA, 128);
    SDL_SetColorKey(rgb, SDL_SRCCOLORKEY, SDL_MapRGB(rgb->format, 255, 0, 255));

    SDL_Surface* out = convertToRGBA(rgb, 4, 1);
    ASSERT_NE(nullptr, out);
    expectRgba(out, 0, 0, {10, 20, 30, 255});
    expectRgba(out, 1, 0, {0, 0, 0, 0});  // keyed: left transparent
    expectRgba(out, 2, 0, {0, 0, 0, 255});
    EXPECT_TRUE(rgb->flags & SDL_SRCALPHA);
    EXPECT_EQ(128, rgb->format->alpha);
    EXPECT_TRUE(rgb->flags & SDL_SRCCOLORKEY);

    SDL_FreeSurface(out);
    SDL_FreeSurface(rgb);
    EXPECT_EQ(nullptr, convertToRGBA(nullptr, 4, 4));
}

// The decoders' common layouts are copied without SDL's blit; every channel
// order must give what the blit gives, odd widths (padded rows) included.
TEST(ConvertToRGBA, DirectCopyMatchesTheBlitForEveryChannelOrder)
{
    struct Layout {
        int bits;
        Uint32 r, g, b, a;
    };
    const Layout layouts[] = {
        {24, R, G, B, 0},          {24, B, G, R, 0},          {32, R, G, B, A},
        {32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000},  // BGRA in memory
        {32, 0x0000ff00, 0x00ff0000, 0xff000000, 0x000000ff},  // ARGB in memory
        {32, R, G, B, 0},                                      // padding byte, no alpha
    };
    for (const Layout& l : layouts) {
        SDL_Surface* src = SDL_CreateRGBSurface(SDL_SWSURFACE, 5, 3, l.bits, l.r, l.g, l.b, l.a);
        ASSERT_NE(nullptr, src);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                writePixel(src, x, y, static_cast<Uint8>(x * 50 + 3), static_cast<Uint8>(y * 90 + 7),
                           static_cast<Uint8>(x * y * 17 + 11), static_cast<Uint8>(x * 60 + y));
        SDL_Surface* want = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 4, 32, R, G, B, A);
        SDL_SetAlpha(src, 0, SDL_ALPHA_OPAQUE);
        SDL_BlitSurface(src, nullptr, want, nullptr);
        SDL_Surface* got = convertToRGBA(src, 8, 4);
        ASSERT_NE(nullptr, got);
        for (int y = 0; y < 4; ++y)
            ASSERT_EQ(0, std::memcmp(static_cast<Uint8*>(want->pixels) + y * want->pitch,
                                     static_cast<Uint8*>(got->pixels) + y * got->pitch, 8 * 4))
                << l.bits << "-bit layout, row " << y;
        SDL_FreeSurface(got);
        SDL_FreeSurface(want);
        SDL_FreeSurface(src);
    }
}
