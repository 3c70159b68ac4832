#include "engine/anim/Animation.h"

#include "engine/anim/SystemAnimationListener.h"
#include "engine/gfx/Graphics.h"

#include <algorithm>

Animation::Animation(GLTexture* texture_, int frameWidth, int frameHeight, int columns, int rows, int count,
                     int frameTime_)
    : texture(texture_), frameTime(frameTime_)
{
    if (columns <= 0 || rows <= 0 || count <= 0)
        return;
    // 64-bit product: a huge grid must not overflow into a small count.
    const int64_t cells = static_cast<int64_t>(columns) * rows;
    const int32_t wanted = static_cast<int32_t>(std::min<int64_t>(count, cells));
    frames.reserve(static_cast<size_t>(wanted));
    for (int c = 0; c < columns && frameCount() < wanted; ++c) {
        for (int r = 0; r < rows && frameCount() < wanted; ++r) {
            const float left = static_cast<float>(c) * static_cast<float>(frameWidth);
            const float top = static_cast<float>(r) * static_cast<float>(frameHeight);
            frames.emplace_back(left, top, left + static_cast<float>(frameWidth), top + static_cast<float>(frameHeight));
        }
    }
}

void Animation::draw(Graphics& graphics, int x, int y, Color color) const
{
    if (frames.empty() || !texture)
        return;
    Rect source = frames[static_cast<size_t>(current)];
    // Exchanging the horizontal bounds maps the right edge of the source to
    // the left of the quad: the same place, flipped left to right.
    if (mirrored)
        std::swap(source.x1, source.x2);
    graphics.drawImageRect(x, y, texture, source, color);
}

void Animation::step()
{
    if (frames.empty())
        return;
    const int64_t count = frameCount();
    const int64_t last = lastFrame();
    // 64-bit sums: a step near the int32 limits must not overflow.
    const int64_t next = static_cast<int64_t>(current) + stepSize;

    switch (mode) {
    case Loop:
        // C++ '%' keeps the sign of the dividend; fold negatives back up.
        current = static_cast<int32_t>(((next % count) + count) % count);
        break;
    case BackAndForth: {
        if (count == 1) {
            current = 0;
            break;
        }
        int64_t pos = next;
        if (stepSize > 0 && pos >= last) {
            pos = last;
            stepSize = -stepSize;
        }
        if (stepSize < 0 && pos <= 0) {
            pos = 0;
            stepSize = -stepSize;
        }
        current = static_cast<int32_t>(pos);
        break;
    }
    case Once:
        if (current == last && listener) {
            // Last statement: the listener may delete this animation.
            listener->onAnimationEnded(listenerId);
            return;
        }
        current = static_cast<int32_t>(std::clamp<int64_t>(next, 0, last));
        break;
    default:
        break;
    }
}

void Animation::update(int32_t dt)
{
    if (frameTime <= 0) {
        // Nothing to measure against: one step per call, no carried time.
        accumulated = 0;
    } else {
        accumulated += dt;
        if (accumulated < frameTime)
            return;
        accumulated -= frameTime;
    }
    if (!paused)
        step();
}

void Animation::setCurrentFrame(int32_t frameIndex)
{
    current = frames.empty() ? 0 : std::clamp(frameIndex, 0, lastFrame());
}
