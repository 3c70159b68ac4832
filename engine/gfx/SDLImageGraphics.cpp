#include "engine/gfx/SDLImageGraphics.h"

#include "engine/gfx/SDLSurfaceImage.h"

#include <SDL.h>
#include <algorithm>
#include <memory>

namespace {

SDL_Surface* surfaceOf(Image* image)
{
    auto* sdlImage = dynamic_cast<SDLSurfaceImage*>(image);
    return sdlImage ? sdlImage->getSurface() : nullptr;
}

// The channel arithmetic below reads bytes through the masks, so it needs
// 32-bit pixels with 8-bit channels (any order).
bool isByteChannel32(const SDL_Surface* s)
{
    const SDL_PixelFormat* f = s->format;
    if (f->BytesPerPixel != 4)
        return false;
    for (Uint32 mask : {f->Rmask, f->Gmask, f->Bmask, f->Amask})
        if (mask != 0 && mask != 0xffu && mask != 0xff00u && mask != 0xff0000u && mask != 0xff000000u)
            return false;
    return true;
}

// SDL_Rect holds 16-bit fields; callers clip to the surfaces first, so the
// values fit, but clamp anyway rather than wrap.
SDL_Rect makeSDLRect(int x, int y, int w, int h)
{
    SDL_Rect r;
    r.x = static_cast<Sint16>(std::clamp(x, -32768, 32767));
    r.y = static_cast<Sint16>(std::clamp(y, -32768, 32767));
    r.w = static_cast<Uint16>(std::clamp(w, 0, 65535));
    r.h = static_cast<Uint16>(std::clamp(h, 0, 65535));
    return r;
}

// A source window and where it lands, clipped to both surfaces.
struct Region {
    int sx = 0, sy = 0;  // in the source
    int dx = 0, dy = 0;  // in the target
    int w = 0, h = 0;
};

// Whatever is cut off one side (a negative target position, a negative
// source corner, an edge of either surface) is cut off the other too, so
// every remaining source pixel keeps its place relative to the target.
bool clipRegion(const SDL_Surface* src, const SDL_Surface* dst, int x, int y, const Rect& rect, Region& out)
{
    int sx = static_cast<int>(std::min(rect.x1, rect.x2));
    int sy = static_cast<int>(std::min(rect.y1, rect.y2));
    int w = rect.width();
    int h = rect.height();
    if (x < 0) { sx -= x; w += x; x = 0; }
    if (y < 0) { sy -= y; h += y; y = 0; }
    if (sx < 0) { x -= sx; w += sx; sx = 0; }
    if (sy < 0) { y -= sy; h += sy; sy = 0; }
    w = std::min({w, src->w - sx, dst->w - x});
    h = std::min({h, src->h - sy, dst->h - y});
    if (w <= 0 || h <= 0)
        return false;
    out.sx = sx;
    out.sy = sy;
    out.dx = x;
    out.dy = y;
    out.w = w;
    out.h = h;
    return true;
}

enum class ChannelOp { Add, Replace, Subtract, Clear };

struct Channel {
    Uint32 targetMask;
    Uint8 targetShift;
    Uint32 sourceMask;
    Uint8 sourceShift;
    Uint8 sourceDefault;  // value when the source has no such channel
};

uint8_t combine(ChannelOp op, int t, int s)
{
    switch (op) {
    case ChannelOp::Add: return static_cast<uint8_t>(std::min(t + s, 255));
    case ChannelOp::Replace: return static_cast<uint8_t>(s);
    case ChannelOp::Subtract: return static_cast<uint8_t>(std::max(t - s, 0));
    case ChannelOp::Clear: return 0;
    }
    return static_cast<uint8_t>(t);
}

void combineChannels(SDL_Surface* dst, Image* source, int x, int y, const Rect& rect, const bool flags[4],
                     ChannelOp op)
{
    SDL_Surface* src = surfaceOf(source);
    if (!dst || !src || !isByteChannel32(dst) || !isByteChannel32(src))
        return;

    // Reading and writing the same surface in place would feed changed
    // pixels back in where the windows overlap: work from a copy.
    std::unique_ptr<Image> sourceCopy;
    if (src == dst) {
        sourceCopy.reset(source->clone());
        src = surfaceOf(sourceCopy.get());
        if (!src)
            return;
    }

    Region region;
    if (!clipRegion(src, dst, x, y, rect, region))
        return;

    const SDL_PixelFormat* tf = dst->format;
    const SDL_PixelFormat* sf = src->format;
    const Uint32 tMasks[4] = {tf->Rmask, tf->Gmask, tf->Bmask, tf->Amask};
    const Uint8 tShifts[4] = {tf->Rshift, tf->Gshift, tf->Bshift, tf->Ashift};
    const Uint32 sMasks[4] = {sf->Rmask, sf->Gmask, sf->Bmask, sf->Amask};
    const Uint8 sShifts[4] = {sf->Rshift, sf->Gshift, sf->Bshift, sf->Ashift};
    Channel channels[4];
    int channelCount = 0;
    for (int c = 0; c < 4; ++c) {
        // A channel the target does not store cannot change.
        if (!flags[c] || tMasks[c] == 0)
            continue;
        channels[channelCount++] = {tMasks[c], tShifts[c], sMasks[c], sShifts[c],
                                    static_cast<Uint8>(c == 3 ? 255 : 0)};
    }
    if (channelCount == 0)
        return;

    const bool lockDst = SDL_MUSTLOCK(dst) && SDL_LockSurface(dst) == 0;
    const bool lockSrc = SDL_MUSTLOCK(src) && SDL_LockSurface(src) == 0;
    for (int row = 0; row < region.h; ++row) {
        auto* t = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(dst->pixels) + (region.dy + row) * dst->pitch) +
                  region.dx;
        const auto* s = reinterpret_cast<const Uint32*>(static_cast<const uint8_t*>(src->pixels) +
                                                        (region.sy + row) * src->pitch) +
                        region.sx;
        for (int col = 0; col < region.w; ++col) {
            Uint32 pixel = t[col];
            const Uint32 sp = s[col];
            for (int i = 0; i < channelCount; ++i) {
                const Channel& ch = channels[i];
                const int tv = static_cast<int>((pixel & ch.targetMask) >> ch.targetShift);
                const int sv = ch.sourceMask ? static_cast<int>((sp & ch.sourceMask) >> ch.sourceShift)
                                             : ch.sourceDefault;
                pixel = (pixel & ~ch.targetMask) | (static_cast<Uint32>(combine(op, tv, sv)) << ch.targetShift);
            }
            t[col] = pixel;
        }
    }
    if (lockSrc)
        SDL_UnlockSurface(src);
    if (lockDst)
        SDL_UnlockSurface(dst);
}

} // namespace

SDLImageGraphics::SDLImageGraphics(SDLSurfaceImage* targetImage) : target(targetImage) {}

void SDLImageGraphics::fillRect(int x, int y, int w, int h, Color c)
{
    SDL_Surface* dst = target->getSurface();
    if (!dst)
        return;
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + w, dst->w);
    const int bottom = std::min(y + h, dst->h);
    if (right <= left || bottom <= top)
        return;
    SDL_Rect r = makeSDLRect(left, top, right - left, bottom - top);
    SDL_FillRect(dst, &r, SDL_MapRGBA(dst->format, c.r, c.g, c.b, c.a));
}

void SDLImageGraphics::blit(int x, int y, Image* source, const Rect& rect, bool useAlpha)
{
    SDL_Surface* dst = target->getSurface();
    SDL_Surface* src = surfaceOf(source);
    if (!dst || !src)
        return;

    SDL_SetAlpha(src, useAlpha ? SDL_SRCALPHA : 0, 255);

    // SDL does not define a blit of a surface onto itself.
    std::unique_ptr<Image> sourceCopy;
    if (src == dst) {
        sourceCopy.reset(source->clone());
        src = surfaceOf(sourceCopy.get());
        if (!src)
            return;
    }

    Region region;
    if (!clipRegion(src, dst, x, y, rect, region))
        return;
    SDL_Rect from = makeSDLRect(region.sx, region.sy, region.w, region.h);
    SDL_Rect to = makeSDLRect(region.dx, region.dy, region.w, region.h);
    SDL_BlitSurface(src, &from, dst, &to);
}

void SDLImageGraphics::combineRegion(int x, int y, Image* source, const Rect& rect, bool r, bool g, bool b, bool a,
                                     bool replace, bool fast)
{
    const bool flags[4] = {r, g, b, a};
    const ChannelOp op = fast ? (replace ? ChannelOp::Clear : ChannelOp::Subtract)
                              : (replace ? ChannelOp::Replace : ChannelOp::Add);
    combineChannels(target->getSurface(), source, x, y, rect, flags, op);
}

void SDLImageGraphics::copyChannels(int x, int y, Image* source, const Rect& rect, bool r, bool g, bool b, bool a,
                                    bool replace)
{
    const bool flags[4] = {r, g, b, a};
    combineChannels(target->getSurface(), source, x, y, rect, flags, replace ? ChannelOp::Replace : ChannelOp::Add);
}
