#include "minigames/SquirrelWidget.h"

#include "engine/gfx/Graphics.h"
#include "engine/ui/SimpleButtonListener.h"
#include "minigames/NeklacePiece.h"

#include <algorithm>

namespace {
// The paw lies this far down the picture.
constexpr double AnchorDown = 0.6;
} // namespace

SquirrelWidget::SquirrelWidget(GLTexture* texture, int x, int y, SimpleButtonListener* buttonListener, int squirrelId,
                               bool isMirrored, int moveMs, int delayMs, int distance)
    : ClickableImageWidget(texture, x, y, buttonListener, squirrelId, true)
    , restX(x)
    , mirrored(isMirrored)
    , motion(moveMs, delayMs, distance)
{
    tint = Color(255, 255, 255, 0);
}

Point SquirrelWidget::anchor() const
{
    return Point(mirrored ? geometry.w : 0, static_cast<int>(geometry.h * AnchorDown));
}

void SquirrelWidget::show(NeklacePiece* piece)
{
    setPosition(restX, geometry.y);
    motion.start();
    carried = piece;
    follow();
}

void SquirrelWidget::update(int dt, ScreenBase*)
{
    if (!running || !motion.isRunning())
        return;
    const bool ended = motion.advance(dt);
    follow();
    if (ended && listener)
        listener->onButton(id, BackState);
}

void SquirrelWidget::follow()
{
    setPosition(restX + motion.offset(), geometry.y);
    tint.a = static_cast<uint8_t>(std::clamp(motion.alpha(), 0, 255));
    if (carried) {
        carried->setAlpha(tint.a);
        const Point paw = anchor();
        carried->centreOn(geometry.x + paw.x, geometry.y + paw.y);
    }
}

void SquirrelWidget::draw(Graphics& g, ScreenBase* screen)
{
    if (!mirrored) {
        ClickableImageWidget::draw(g, screen);
        return;
    }
    const float cx = geometry.w / 2.f;
    g.pushTransform();
    g.translate(cx, 0.f);
    g.scale(-1.f, 1.f);
    g.translate(-cx, 0.f);
    ClickableImageWidget::draw(g, screen);
    g.popTransform();
}

bool SquirrelWidget::hitTest(int x, int y)
{
    if (tint.a == 0)
        return false;
    // The pixel the drawing shows at x: column c of the picture lies at
    // column w - 1 - c when flipped.
    const int px = mirrored ? 2 * geometry.x + geometry.w - 1 - x : x;
    if (ClickableImageWidget::hitTest(px, y))
        return true;
    return carried && carried->hitTest(x, y);
}
